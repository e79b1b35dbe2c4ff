// The ideal-gas isobaric heat capacity of the 98 library components,
// cp0/R = a0 + a1 T + a2 T^2 + a3 T^3 + a4 T^4 with T in kelvin, written by
// scripts/make-ideal-gas-cp-table from tests/data/ideal-gas-cp.csv. Do not edit by hand.
//
// The data and their sources, as the csv gives them:
//   Ideal-gas isobaric heat capacity of the 98 Torvane library components (codes and ids of the
//     component library).
//   Form (every row): Cp0/R = a0 + a1*T + a2*T^2 + a3*T^3 + a4*T^4, T in kelvin, R = 8.314462618
//     J/(mol K);
//   coefficients are unscaled (a1 in 1/K, a2 in 1/K^2, ...). Cp0 in J/(mol K) = R * (polynomial);
//   in Btu/(lbmol degR) = 1.98588 * (polynomial) (same number per mole in both systems, since
//     Cp0/R is dimensionless).
//   tmin_K, tmax_K: the range of the source data (or of the fit). Outside it the polynomial is an
//     extrapolation.
//   Sources: [P] Poling, Prausnitz, O'Connell, The Properties of Gases and Liquids, 5th ed.,
//     Appendix A (copy in
//   CalebBell/chemicals "chemicals/Heat Capacity/PolingDatabank.tsv"), used as printed;
//   [T] TRC, Frenkel et al., Thermodynamics of Organic Compounds in the Gas State (1994)
//     (CalebBell/chemicals TRC gas table),
//   converted to the polynomial form by a relative least-squares fit on 401 points over [tmin_K,
//     tmax_K], max fit error stated;
//   [J] JANAF Thermochemical Tables 1998 (CalebBell/chemicals JANAF_1998_gas_Cp.json), fitted the
//     same way;
//   mixtures (AIR, R500) are mole-fraction sums of rows of this file; STYR is an estimate by
//     analogy.
//   Poling rows rejected: 3MP (corrupt coefficients), C2BN/T2BN (cis/trans rows swapped), SO2 (5 %
//     high) -> TRC fits.
//   cp300_J_molK: this row at 300 K; check_source/check_J_molK/check_dev_pct: an independent value
//     at 300 K and the deviation.
//   note: doubtful identification or data; empty when none.
#include "thermo/ideal_gas_cp_table.h"

namespace torvane {
namespace {

// clang-format off
constexpr IdealGasCpRow kRows[] = {
    {"CH4", 1, {4.568, -0.008975, 3.631e-05, -3.407e-08, 1.091e-11}, 50, 1000},  // methane; Poling
    {"C2H6", 2, {4.178, -0.004427, 5.66e-05, -6.651e-08, 2.487e-11}, 50, 1000},  // ethane; Poling
    {"C3H8", 3, {3.847, 0.005131, 6.011e-05, -7.893e-08, 3.079e-11}, 50, 1000},  // propane; Poling
    {"BUTA", 4, {5.547, 0.005536, 8.057e-05, -1.0571e-07, 4.134e-11}, 200, 1000},  // n-butane; Poling
    {"IBUT", 5, {3.351, 0.017883, 5.477e-05, -8.1e-08, 3.243e-11}, 50, 1000},  // isobutane (2-methylpropane); Poling
    {"PENT", 6, {7.554, -0.000368, 0.00011846, -1.4939e-07, 5.753e-11}, 200, 1000},  // n-pentane; Poling
    {"IPEN", 7, {1.959, 0.038191, 2.434e-05, -5.175e-08, 2.165e-11}, 200, 1000},  // isopentane (2-methylbutane); Poling
    {"NPEN", 8, {-11.428, 0.156037, -0.00033383, 4.0127e-07, -1.7806e-10}, 200, 1000},  // neopentane (2,2-dimethylpropane); Poling
    {"HEXA", 9, {8.831, -0.000166, 0.00014302, -1.8314e-07, 7.124e-11}, 200, 1000},  // n-hexane; Poling
    {"2MP", 10, {2.096, 0.046419, 3.124e-05, -6.829e-08, 2.902e-11}, 200, 1000},  // 2-methylpentane; Poling
    {"3MP", 11, {1.913882336, 0.04557770826, 3.42602845e-05, -7.281656668e-08, 3.153793459e-11}, 200, 1000},  // 3-methylpentane; TRC fit
    {"NHEX", 12, {3.007, 0.039059, 4.851e-05, -8.243e-08, 3.367e-11}, 200, 1000},  // neohexane (2,2-dimethylbutane); Poling
    {"23DB", 13, {-2.214, 0.074352, -3.697e-05, 2.73e-09, 3.08e-12}, 200, 1000},  // 2,3-dimethylbutane; Poling
    {"HEPT", 14, {9.634, 0.004156, 0.00015494, -2.0066e-07, 7.77e-11}, 200, 1000},  // n-heptane; Poling
    {"2MH", 15, {3.452, 0.046373, 5.446e-05, -9.875e-08, 4.089e-11}, 200, 1000},  // 2-methylhexane; Poling
    {"3MH", 16, {2.10773225, 0.05329703063, 4.348353572e-05, -9.396486018e-08, 4.171030562e-11}, 200, 1000},  // 3-methylhexane; TRC fit
    {"3EP", 17, {7.598, 0.019547, 0.00011641, -1.6107e-07, 6.378e-11}, 200, 1000},  // 3-ethylpentane; Poling
    {"22DP", 18, {1.315, 0.060462, 2.813e-05, -7.62e-08, 3.434e-11}, 200, 1000},  // 2,2-dimethylpentane; Poling
    {"24DP", 19, {-3.133, 0.097923, -6.912e-05, 2.424e-08, -2.5e-12}, 200, 1000},  // 2,4-dimethylpentane; Poling
    {"33DP", 20, {-0.48, 0.073415, -7.4e-06, -3.562e-08, 1.822e-11}, 200, 1000},  // 3,3-dimethylpentane; Poling
    {"TRIP", 21, {-0.711, 0.073562, -1.007e-05, -3.018e-08, 1.583e-11}, 200, 1000},  // triptane (2,2,3-trimethylbutane); Poling
    {"OCTA", 22, {10.824, 0.004983, 0.00017751, -2.3137e-07, 8.98e-11}, 200, 1000},  // n-octane; Poling
    {"DIB", 23, {-1.367, 0.087285, -1.799e-05, -3.343e-08, 1.857e-11}, 200, 1000},  // diisobutyl (2,5-dimethylhexane); Poling
    {"IOCT", 24, {0.384, 0.077059, 6.65e-06, -5.565e-08, 2.619e-11}, 200, 1000},  // isooctane (2,2,4-trimethylpentane); Poling
    {"NONA", 25, {12.152, 0.004575, 0.00020416, -2.6777e-07, 1.0465e-10}, 200, 1000},  // n-nonane; Poling
    {"DECA", 26, {13.467, 0.004139, 0.00023127, -3.0477e-07, 1.197e-10}, 200, 1000},  // n-decane; Poling
    {"CYP", 27, {5.019, -0.019734, 0.00017917, -2.17e-07, 8.215e-11}, 50, 1000},  // cyclopentane; Poling
    {"MCYP", 28, {5.379, -0.008258, 0.00017293, -2.1646e-07, 8.263e-11}, 50, 1000},  // methylcyclopentane; Poling
    {"CYH", 29, {4.035, -0.004433, 0.00016834, -2.0775e-07, 7.746e-11}, 100, 1000},  // cyclohexane; Poling
    {"MCYH", 30, {3.148, 0.018438, 0.00013624, -1.8793e-07, 7.364e-11}, 50, 1000},  // methylcyclohexane; Poling
    {"C2H4", 31, {4.221, -0.008782, 5.795e-05, -6.729e-08, 2.511e-11}, 50, 1000},  // ethylene; Poling
    {"C3H6", 32, {3.834, 0.003893, 4.688e-05, -6.013e-08, 2.283e-11}, 50, 1000},  // propylene; Poling
    {"1BUE", 33, {4.389, 0.007984, 6.143e-05, -8.2e-08, 3.165e-11}, 50, 1000},  // 1-butene; Poling
    {"C2BN", 34, {4.655669934, 0.001107476542, 7.989254115e-05, -1.032196818e-07, 4.093664817e-11}, 200, 1000},  // cis-2-butene; TRC fit
    {"T2BN", 35, {4.874647047, 0.0094228409, 5.001835504e-05, -6.665158157e-08, 2.588362161e-11}, 200, 1000},  // trans-2-butene; TRC fit
    {"IBTE", 36, {3.231, 0.020949, 2.313e-05, -3.949e-08, 1.566e-11}, 50, 1000},  // isobutene (2-methylpropene); Poling
    {"1PNE", 37, {5.079, 0.011919, 7.838e-05, -1.0962e-07, 4.381e-11}, 200, 1000},  // 1-pentene; Poling
    {"12BU", 38, {3.67488547, 0.01507513697, 2.754884792e-05, -4.486821079e-08, 1.867376063e-11}, 200, 1000},  // 1,2-butadiene; TRC fit
    {"C4H6", 39, {3.607, 0.005085, 8.253e-05, -1.2371e-07, 5.321e-11}, 50, 1000},  // 1,3-butadiene; Poling
    {"IPRE", 40, {1.175713994, 0.04045415502, -3.673969381e-06, -2.420143907e-08, 1.304313031e-11}, 200, 1000},  // isoprene (2-methyl-1,3-butadiene); TRC fit
    {"C2H2", 41, {2.41, 0.010926, -2.55e-06, -7.9e-09, 5.24e-12}, 50, 1000},  // acetylene; Poling
    {"C6H6", 42, {3.551, -0.006184, 0.00014365, -1.9807e-07, 8.234e-11}, 50, 1000},  // benzene; Poling
    {"C7H8", 43, {3.866, 0.003558, 0.00013356, -1.8659e-07, 7.69e-11}, 50, 1000},  // toluene; Poling
    {"EBEN", 44, {4.544, 0.010578, 0.00013644, -1.9276e-07, 7.885e-11}, 50, 1000},  // ethylbenzene; Poling
    {"OXYL", 45, {3.289, 0.034144, 4.989e-05, -8.335e-08, 3.338e-11}, 50, 1000},  // o-xylene; Poling
    {"MXYL", 46, {4.002, 0.017537, 0.0001059, -1.5037e-07, 6.008e-11}, 50, 1000},  // m-xylene; Poling
    {"PXYL", 47, {4.113, 0.014909, 0.0001181, -1.6724e-07, 6.736e-11}, 50, 1000},  // p-xylene; Poling
    {"STYR", 48, {4.587, 0.006223, 0.00013779, -1.9354e-07, 7.909e-11}, 200, 1000},  // styrene; estimate by group analogy
    {"IPRB", 49, {2.985, 0.034196, 0.00011938, -2.0152e-07, 8.923e-11}, 50, 1000},  // isopropylbenzene (cumene); Poling
    {"MALC", 50, {4.714, -0.006986, 4.211e-05, -4.443e-08, 1.535e-11}, 50, 1000},  // methanol; Poling
    {"EALC", 51, {4.396, 0.000628, 5.546e-05, -7.024e-08, 2.685e-11}, 50, 1000},  // ethanol; Poling
    {"CO", 52, {3.912, -0.003913, 1.182e-05, -1.3e-08, 5.15e-12}, 50, 1000},  // carbon monoxide; Poling
    {"CO2", 53, {3.259, 0.001356, 1.502e-05, -2.374e-08, 1.056e-11}, 50, 1000},  // carbon dioxide; Poling
    {"H2S", 54, {4.266, -0.003438, 1.319e-05, -1.331e-08, 4.88e-12}, 50, 1000},  // hydrogen sulfide; Poling
    {"SO2", 55, {3.514742593, 0.003589316609, 5.283185201e-06, -1.007751666e-08, 4.358771967e-12}, 200, 1000},  // sulfur dioxide; TRC fit
    {"NH3", 56, {4.238, -0.004215, 2.041e-05, -2.126e-08, 7.61e-12}, 50, 1000},  // ammonia; Poling
    {"AIR", 57, {3.5485148, -0.0005799156, 1.433852e-06, -3.1116e-11, -3.98204e-13}, 50, 1000},  // air (pseudo-component); mole-fraction mixture of rows N2 0.7812, O2 0.2096, A 0.0092
    {"H2", 58, {2.883, 0.003681, -7.72e-06, 6.92e-09, -2.13e-12}, 50, 1000},  // hydrogen (normal); Poling
    {"O2", 59, {3.63, -0.001794, 6.58e-06, -6e-09, 1.79e-12}, 50, 1000},  // oxygen; Poling
    {"N2", 60, {3.539, -0.000261, 7e-08, 1.57e-09, -9.9e-13}, 50, 1000},  // nitrogen; Poling
    {"CL2", 61, {3.056, 0.0053708, -8.098e-06, 5.693e-09, -1.5256e-12}, 50, 1000},  // chlorine; Poling
    {"H2O", 62, {4.395, -0.004186, 1.405e-05, -1.564e-08, 6.32e-12}, 50, 1000},  // water; Poling
    {"HE", 63, {2.5, 0, 0, 0, 0}, 50, 3000},  // helium; monatomic, 5/2
    {"HCL", 64, {3.827, -0.002936, 8.79e-06, -1.031e-08, 4.39e-12}, 50, 1000},  // hydrogen chloride; Poling
    {"N2O", 65, {3.165, 0.003401, 9.89e-06, -1.88e-08, 8.9e-12}, 50, 1000},  // nitrous oxide; Poling
    {"NO2", 66, {3.925090331, -0.001365174722, 1.552167818e-05, -1.907196344e-08, 7.268275877e-12}, 200, 1000},  // nitrogen dioxide; JANAF fit
    {"NO", 67, {4.534, -0.007644, 2.066e-05, -2.156e-08, 8.06e-12}, 50, 1000},  // nitric oxide; Poling
    {"A", 68, {2.5, 0, 0, 0, 0}, 50, 3000},  // argon; monatomic, 5/2
    {"UNDE", 69, {15.48949909, -0.00409520367, 0.0002874695841, -3.848449617e-07, 1.564403814e-10}, 200, 1000},  // n-undecane; TRC fit
    {"BINN", 70, {-0.843, 0.061392, 6.352e-05, -1.3754e-07, 6.169e-11}, 200, 1000},  // biphenyl; Poling
    {"R11", 71, {2.09, 0.03889, -6.079e-05, 4.542e-08, -1.316e-11}, 50, 1000},  // trichlorofluoromethane (R11); Poling
    {"R12", 72, {2.185, 0.031251, -3.724e-05, 1.93e-08, -3.23e-12}, 50, 1000},  // dichlorodifluoromethane (R12); Poling
    {"R22", 73, {3.164, 0.010422, 1.179e-05, -2.65e-08, 1.222e-11}, 50, 1000},  // chlorodifluoromethane (R22); Poling
    {"R500", 74, {2.62110265, 0.0235681871, -1.14008195e-05, -6.6022125e-09, 5.689028e-12}, 50, 1000},  // R500 azeotrope: R12 73.8 wt% + R152a 26.2 wt% (mole fractions 0.60605 / 0.39395); mole-fraction mixture of rows R12 0.60605, R152 0.39395
    {"R152", 75, {3.292, 0.011749, 2.835e-05, -4.645e-08, 1.941e-11}, 50, 1000},  // 1,1-difluoroethane (R152a); Poling
    {"PRPD", 76, {3.403, 0.006271, 3.388e-05, -5.113e-08, 2.161e-11}, 50, 1000},  // propadiene (allene); Poling
    {"PRPY", 77, {3.158, 0.01221, 1.167e-05, -2.316e-08, 1.002e-11}, 50, 1000},  // propyne (methylacetylene); Poling
    {"1BYN", 78, {2.995, 0.0208, 1.56e-05, -3.462e-08, 1.524e-11}, 50, 1000},  // 1-butyne (ethylacetylene); Poling
    {"2BYN", 79, {4.860054888, 0.007530058544, 3.969361823e-05, -5.244705412e-08, 2.019144959e-11}, 200, 1000},  // 2-butyne (dimethylacetylene); TRC fit
    {"R318", 80, {0.949, 0.080942, -7.976e-05, 2.97e-08, -8.7e-13}, 298, 1000},  // octafluorocyclobutane (RC318); Poling
    {"MECL", 81, {3.578, -0.00175, 3.071e-05, -3.714e-08, 1.408e-11}, 200, 1000},  // chloromethane (methyl chloride); Poling
    {"MNCL", 82, {2.71, 0.011561, 3.24e-06, -1.37e-08, 6.62e-12}, 200, 1000},  // dichloromethane (methylene chloride); Poling
    {"ACE", 83, {5.126, 0.001511, 5.731e-05, -7.177e-08, 2.728e-11}, 200, 1000},  // acetone; Poling
    {"MEK", 84, {6.349, 0.011062, 4.851e-05, -6.484e-08, 2.469e-11}, 200, 1000},  // methyl ethyl ketone (2-butanone); Poling
    {"ANTL", 85, {3.899787839, 0.003793901339, 2.204070006e-05, -2.938676143e-08, 1.151655116e-11}, 200, 1000},  // acetonitrile; TRC fit
    {"R114", 86, {2.525, 0.053644, -5.771e-05, 2.417e-08, -1.99e-12}, 50, 1000},  // 1,2-dichlorotetrafluoroethane (R114); Poling
    {"ETHX", 87, {3.119173575, -0.004195652776, 6.708483276e-05, -8.785816118e-08, 3.580017008e-11}, 200, 1000},  // ethylene oxide; TRC fit
    {"R113", 89, {2.133, 0.063238, -8.916e-05, 6.14e-08, -1.683e-11}, 50, 1000},  // 1,1,2-trichlorotrifluoroethane (R113); Poling
    {"R23", 90, {3.45, 0.00348, 3.012e-05, -4.452e-08, 1.834e-11}, 50, 1000},  // trifluoromethane (R23); Poling
    {"PHOS", 91, {2.443478466, 0.02350933551, -3.55478965e-05, 2.714779472e-08, -8.256242163e-12}, 298, 1000},  // phosgene; TRC fit
    {"ODIC", 92, {0.7382608408, 0.04788072703, -6.37891658e-06, -3.533736453e-08, 2.056303022e-11}, 200, 1000},  // o-dichlorobenzene (1,2-dichlorobenzene); TRC fit
    {"VCL", 93, {2.171213849, 0.01360670585, 8.808181602e-06, -2.368055682e-08, 1.138566423e-11}, 200, 1000},  // vinyl chloride (chloroethene); TRC fit
    {"FORM", 94, {4.599851705, -0.008387366476, 3.343649212e-05, -3.398815082e-08, 1.18153493e-11}, 200, 1000},  // formaldehyde; TRC fit
    {"23DI", 95, {5.231330321, 0.02462715311, 4.412620879e-05, -7.967758081e-08, 3.515611285e-11}, 200, 1000},  // 2,3-dichlorobutane; TRC fit
    {"R134", 96, {3.064, 0.02542, 5.86e-06, -3.339e-08, 1.716e-11}, 50, 1000},  // 1,1,1,2-tetrafluoroethane (R134a); Poling
    {"2M1B", 97, {2.645309589, 0.03222496165, 2.438167172e-05, -5.156713677e-08, 2.22758811e-11}, 273, 1000},  // 2-methyl-1-butene; TRC fit
    {"14PD", 98, {3.077634813, 0.02061474602, 5.137505453e-05, -8.371385813e-08, 3.572901752e-11}, 200, 1000},  // 1,4-pentadiene; TRC fit
    {"3M1B", 99, {2.108, 0.041912, -4.16e-06, -1.937e-08, 9.54e-12}, 298, 1000},  // 3-methyl-1-butene; Poling
};
// clang-format on

}  // namespace

std::span<const IdealGasCpRow> IdealGasCpRows() { return kRows; }

}  // namespace torvane
