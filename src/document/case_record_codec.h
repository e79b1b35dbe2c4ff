// The byte image of the case record: 6078 bytes, fields in their stored order with no padding,
// integers as little-endian 16-bit two's complement, doubles as little-endian IEEE 754
// binary64, texts as Windows-1252 bytes blank-padded to their length. Tables are stored with
// their first index fastest. Each field is encoded on its own; the image never depends on how
// the compiler lays out CaseRecord.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "document/case_record.h"
#include "document/laby_data.h"

namespace torvane {

inline constexpr size_t kCaseRecordSize = 6078;
inline constexpr size_t kLabyDataSize = 120;

// Offsets of the fields in the image.
namespace record_offset {
inline constexpr size_t kGasCode = 0;         // 150 texts of 4
inline constexpr size_t kMolFraction = 600;   // 150 doubles
inline constexpr size_t kComponentId = 1800;  // 150 integers
inline constexpr size_t kComponentCount = 2100;
inline constexpr size_t kLastGasSection = 2102;
inline constexpr size_t kUnitSystem = 2104;
inline constexpr size_t kUnitSystemName = 2106;  // text 2
inline constexpr size_t kUnitNum = 2108;         // 14 integers, IVNum .. LnNum
inline constexpr size_t kR1 = 2136;              // R1..R4
inline constexpr size_t kR5 = 2144;              // R5(0..4)
inline constexpr size_t kCaseTitle = 2154;       // text 40
inline constexpr size_t kR6 = 2194;
inline constexpr size_t kR7 = 2196;
inline constexpr size_t kD1 = 2198;
inline constexpr size_t kD2 = 2798;
inline constexpr size_t kD3 = 3518;
inline constexpr size_t kD4 = 4118;
inline constexpr size_t kD5 = 4838;
inline constexpr size_t kD6 = 4878;
inline constexpr size_t kD7 = 5478;
inline constexpr size_t kEnd = 6078;
}  // namespace record_offset

using CaseRecordImage = std::array<std::uint8_t, kCaseRecordSize>;
using LabyDataImage = std::array<std::uint8_t, kLabyDataSize>;

CaseRecordImage EncodeCaseRecord(const CaseRecord& record);

// Reads a record from bytes. Bytes beyond the image are ignored; an image shorter than 6078
// bytes reads its missing bytes as zeros. Any bytes give a record: nothing is judged here
// (see RecordProblems).
CaseRecord DecodeCaseRecord(std::span<const std::uint8_t> bytes);

LabyDataImage EncodeLabyData(const LabyData& laby_data);
// The 15 doubles of the first 120 bytes; missing bytes read as zeros.
LabyData DecodeLabyData(std::span<const std::uint8_t> bytes);

}  // namespace torvane
