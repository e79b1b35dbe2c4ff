// Helpers of the document tests: scratch folders, raw file bytes, and records with a distinct
// value in every field.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/case_record.h"
#include "document/laby_data.h"

namespace torvane::testing {

// A fresh folder removed with everything in it when the test ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "torvane-doc-XXXXXX").string();
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = buffer.data();
  }
  ~ScratchFolder() {
    std::error_code ec;
    // Read-only files and folders left by a test must not stop the clean-up.
    for (const auto& e : std::filesystem::recursive_directory_iterator(path_, ec)) {
      ::chmod(e.path().c_str(), e.is_directory() ? 0700 : 0600);
    }
    ::chmod(path_.c_str(), 0700);
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
      names.push_back(e.path().filename().string());
    }
    return names;
  }

 private:
  std::string path_;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline std::int16_t Int16At(const std::vector<std::uint8_t>& b, size_t at) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8)));
}

inline std::uint64_t BitsAt(const std::vector<std::uint8_t>& b, size_t at) {
  std::uint64_t bits = 0;
  for (int k = 7; k >= 0; --k) bits = (bits << 8) | b.at(at + static_cast<size_t>(k));
  return bits;
}

inline double DoubleAt(const std::vector<std::uint8_t>& b, size_t at) {
  const std::uint64_t bits = BitsAt(b, at);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

inline std::string TextAt(const std::vector<std::uint8_t>& b, size_t at, size_t n) {
  return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                     b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

inline double FromBits(std::uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

inline std::uint64_t ToBits(double d) {
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof d);
  return bits;
}

// A record with a different value in every field (counts and indices out of the model: the
// codec does not judge).
inline CaseRecord DistinctRecord() {
  CaseRecord r;
  for (int k = 0; k < kGasTableSize; ++k) {
    const std::string code = {'G', static_cast<char>('0' + k / 100),
                              static_cast<char>('0' + (k / 10) % 10),
                              static_cast<char>('0' + k % 10)};
    r.gas_code[static_cast<size_t>(k)] = FixedText<4>(code);
    r.mol_fraction[static_cast<size_t>(k)] = 1000 + k + 0.5;
    r.component_id[static_cast<size_t>(k)] = static_cast<std::int16_t>(3000 + k);
  }
  r.component_count = 7001;
  r.last_gas_section = 7002;
  r.unit_system = -7003;
  r.unit_system_name = FixedText<2>("Zq");
  for (int q = 0; q < 14; ++q)
    r.unit_num[static_cast<size_t>(q)] = static_cast<std::int16_t>(7100 + q);
  r.reserved_int.r1 = 7201;
  r.reserved_int.r2 = 7202;
  r.reserved_int.r3 = 7203;
  r.reserved_int.r4 = -7204;
  for (int k = 0; k < 5; ++k)
    r.reserved_int.r5[static_cast<size_t>(k)] = static_cast<std::int16_t>(7211 + k);
  r.case_title = FixedText<40>("abcdefghijklmnopqrstuvwxyz0123456789ABCD");
  r.reserved_int.r6 = 7301;
  r.reserved_int.r7 = 7302;
  auto fill = [](auto& table, int block) {
    for (size_t k = 0; k < table.size(); ++k)
      table[k] = block * 10000.0 + static_cast<double>(k) + 0.25;
  };
  fill(r.reserved_array.d1, 1);
  fill(r.reserved_array.d2, 2);
  fill(r.reserved_array.d3, 3);
  fill(r.reserved_array.d4, 4);
  fill(r.reserved_array.d5, 5);
  fill(r.reserved_array.d6, 6);
  fill(r.reserved_array.d7, 7);
  return r;
}

// A record the program accepts: a three-component gas in two sections, SI units.
inline CaseRecord ValidRecord() {
  CaseRecord r;
  r.component_count = 3;
  r.last_gas_section = 1;
  const char* codes[] = {"CH4", "C2H6", "N2"};
  const double fractions[] = {0.85, 0.1, 0.05};
  const std::int16_t ids[] = {1, 2, 60};
  for (int g = 0; g < 2; ++g) {
    for (int i = 0; i < 3; ++i) {
      r.GasCode(i, g) = FixedText<4>(codes[i]);
      r.MolFraction(i, g) = fractions[i];
      r.ComponentId(i, g) = ids[i];
    }
  }
  r.unit_system = 1;
  r.unit_system_name = FixedText<2>("SI");
  r.unit_num = {3, 1, 2, 1, 1, 1, 1, 1, 1, 1, 3, 1, 1, 1};
  r.reserved_int.r6 = 1;
  r.case_title = FixedText<40>("Test case");
  return r;
}

inline LabyData ValidLabyData() {
  LabyData d{};
  for (size_t k = 1; k < d.size(); ++k) d[k] = 0.5 * static_cast<double>(k);
  return d;
}

}  // namespace torvane::testing
