#include "document/case_record_codec.h"

#include <bit>
#include <stdexcept>

namespace torvane {
namespace {

class ByteWriter {
 public:
  explicit ByteWriter(std::span<std::uint8_t> out) : out_(out) {}

  void Int16(std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    Put(static_cast<std::uint8_t>(bits & 0xFF));
    Put(static_cast<std::uint8_t>(bits >> 8));
  }
  void Double(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int k = 0; k < 8; ++k) Put(static_cast<std::uint8_t>((bits >> (8 * k)) & 0xFF));
  }
  template <size_t N>
  void Text(const FixedText<N>& text) {
    for (char c : text.bytes()) Put(static_cast<std::uint8_t>(c));
  }
  template <typename T, size_t N>
  void Int16s(const std::array<T, N>& values) {
    for (auto v : values) Int16(v);
  }
  template <size_t N>
  void Doubles(const std::array<double, N>& values) {
    for (double v : values) Double(v);
  }
  size_t position() const { return pos_; }

 private:
  void Put(std::uint8_t byte) { out_[pos_++] = byte; }
  std::span<std::uint8_t> out_;
  size_t pos_ = 0;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> in) : in_(in) {}

  std::int16_t Int16() {
    const auto lo = static_cast<std::uint16_t>(Get());
    const auto hi = static_cast<std::uint16_t>(Get());
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
  }
  double Double() {
    std::uint64_t bits = 0;
    for (int k = 0; k < 8; ++k) bits |= static_cast<std::uint64_t>(Get()) << (8 * k);
    return std::bit_cast<double>(bits);
  }
  template <size_t N>
  void Text(FixedText<N>& text) {
    for (char& c : text.bytes()) c = static_cast<char>(Get());
  }
  template <size_t N>
  void Int16s(std::array<std::int16_t, N>& values) {
    for (auto& v : values) v = Int16();
  }
  template <size_t N>
  void Doubles(std::array<double, N>& values) {
    for (double& v : values) v = Double();
  }
  size_t position() const { return pos_; }

 private:
  // Bytes beyond the end of the input read as zeros.
  std::uint8_t Get() {
    const std::uint8_t byte = pos_ < in_.size() ? in_[pos_] : 0;
    ++pos_;
    return byte;
  }
  std::span<const std::uint8_t> in_;
  size_t pos_ = 0;
};

void Expect(size_t position, size_t offset) {
  if (position != offset) throw std::logic_error("case record image out of step");
}

}  // namespace

CaseRecordImage EncodeCaseRecord(const CaseRecord& r) {
  namespace off = record_offset;
  CaseRecordImage image{};
  ByteWriter w(image);
  for (const auto& code : r.gas_code) w.Text(code);
  Expect(w.position(), off::kMolFraction);
  w.Doubles(r.mol_fraction);
  Expect(w.position(), off::kComponentId);
  w.Int16s(r.component_id);
  Expect(w.position(), off::kComponentCount);
  w.Int16(r.component_count);
  w.Int16(r.last_gas_section);
  w.Int16(r.unit_system);
  w.Text(r.unit_system_name);
  Expect(w.position(), off::kUnitNum);
  w.Int16s(r.unit_num);
  Expect(w.position(), off::kR1);
  w.Int16(r.reserved_int.r1);
  w.Int16(r.reserved_int.r2);
  w.Int16(r.reserved_int.r3);
  w.Int16(r.reserved_int.r4);
  w.Int16s(r.reserved_int.r5);
  Expect(w.position(), off::kCaseTitle);
  w.Text(r.case_title);
  Expect(w.position(), off::kR6);
  w.Int16(r.reserved_int.r6);
  w.Int16(r.reserved_int.r7);
  Expect(w.position(), off::kD1);
  const ReservedArray& d = r.reserved_array;
  w.Doubles(d.d1);
  Expect(w.position(), off::kD2);
  w.Doubles(d.d2);
  Expect(w.position(), off::kD3);
  w.Doubles(d.d3);
  Expect(w.position(), off::kD4);
  w.Doubles(d.d4);
  Expect(w.position(), off::kD5);
  w.Doubles(d.d5);
  Expect(w.position(), off::kD6);
  w.Doubles(d.d6);
  Expect(w.position(), off::kD7);
  w.Doubles(d.d7);
  Expect(w.position(), off::kEnd);
  return image;
}

CaseRecord DecodeCaseRecord(std::span<const std::uint8_t> bytes) {
  namespace off = record_offset;
  if (bytes.size() > kCaseRecordSize) bytes = bytes.first(kCaseRecordSize);
  CaseRecord r;
  ByteReader in(bytes);
  for (auto& code : r.gas_code) in.Text(code);
  in.Doubles(r.mol_fraction);
  in.Int16s(r.component_id);
  Expect(in.position(), off::kComponentCount);
  r.component_count = in.Int16();
  r.last_gas_section = in.Int16();
  r.unit_system = in.Int16();
  in.Text(r.unit_system_name);
  in.Int16s(r.unit_num);
  Expect(in.position(), off::kR1);
  r.reserved_int.r1 = in.Int16();
  r.reserved_int.r2 = in.Int16();
  r.reserved_int.r3 = in.Int16();
  r.reserved_int.r4 = in.Int16();
  in.Int16s(r.reserved_int.r5);
  in.Text(r.case_title);
  Expect(in.position(), off::kR6);
  r.reserved_int.r6 = in.Int16();
  r.reserved_int.r7 = in.Int16();
  ReservedArray& d = r.reserved_array;
  in.Doubles(d.d1);
  in.Doubles(d.d2);
  in.Doubles(d.d3);
  in.Doubles(d.d4);
  in.Doubles(d.d5);
  in.Doubles(d.d6);
  in.Doubles(d.d7);
  Expect(in.position(), off::kEnd);
  return r;
}

LabyDataImage EncodeLabyData(const LabyData& laby_data) {
  LabyDataImage image{};
  ByteWriter w(image);
  w.Doubles(laby_data);
  return image;
}

LabyData DecodeLabyData(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > kLabyDataSize) bytes = bytes.first(kLabyDataSize);
  LabyData laby_data{};
  ByteReader in(bytes);
  in.Doubles(laby_data);
  return laby_data;
}

}  // namespace torvane
