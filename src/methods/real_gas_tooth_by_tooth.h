// Tooth by tooth for the real gas: the seal as the same chain of throttles as the ideal tooth by
// tooth, with every station on the inlet's isentrope of the program's equation of state instead
// of a perfect gas of constant gamma. Throttle i passes
//   F_i(p) = alpha c rho(p) sqrt(nu w_(i-1)^2 + 2 (h(p_(i-1)) - h(p))),  w_i = G / (alpha c rho_i),
// which is largest where the throat velocity equals the speed of sound (on an isentrope
// dh = dp/rho): that is the throttle's choke point. The largest flux every throttle passes, the
// choked case and the flux that gives the downstream pressure are found exactly as for the
// ideal gas. The isentrope is looked up from a table whose interpolation error stays far below
// 1e-6 of the leakage (the tests compare it with exact look-ups).
#pragma once

#include <vector>

#include "methods/leakage_methods.h"
#include "thermo/gas_properties.h"

namespace torvane {

// One station of the real-gas chain, in SI units.
struct RealGasStation {
  double pressure = 0;        // Pa
  double temperature = 0;     // K
  double density = 0;         // kg/m3
  double enthalpy = 0;        // J/kg, reference: the ideal gas at 298.15 K and 1 atm
  double drho_dp_t = 0;       // (d rho/dp)_T, kg/(m3 Pa): the storage term of continuity
  double speed_of_sound = 0;  // m/s
  double jet_velocity = 0;    // through the throttle before the station, m/s (0 at station 0)
};

struct RealGasToothByToothResult {
  // As tooth by tooth gives it: the leakage, choking, critical ratio, the cavity pressures and
  // temperatures; or why the method does not apply.
  MethodResult method;
  std::vector<RealGasStation> stations;  // 0 (upstream) to N, when the method succeeded
};

// How the chain looks up the isentrope: from its table, or with a Newton solve at every
// pressure (a reference for the table, a hundred times slower).
enum class IsentropeLookup { kTable, kExact };

// The seal (SI) for gas; the seal's gamma and z_up take no part. The upstream state must be one
// where the equation of state gives a reliable Z at or above 200 degR.
RealGasToothByToothResult RealGasToothByTooth(const SealCase& seal, const CaloricGas& gas,
                                              IsentropeLookup lookup = IsentropeLookup::kTable);

}  // namespace torvane
