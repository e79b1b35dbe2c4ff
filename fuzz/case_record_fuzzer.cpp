// Feeds arbitrary bytes to the case record reader: the decoder, the model check, the
// inspection of a file's raw record, and the round trip of whatever it reads.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "document/case_files.h"
#include "document/case_record.h"
#include "document/case_record_codec.h"
#include "units/unit_choice.h"

using torvane::kCaseRecordSize;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const torvane::CaseRecord record = torvane::DecodeCaseRecord(bytes);
  const auto problems = torvane::RecordProblems(record);
  const auto laby = torvane::DecodeLabyData(size > torvane::kLabyDataOffset
                                                ? bytes.subspan(torvane::kLabyDataOffset)
                                                : std::span<const std::uint8_t>());
  const auto laby_problems = torvane::LabyDataProblems(laby);
  for (double v : laby) (void)torvane::DoubleText(v);

  // Whatever was read is written back bit for bit: the first 6078 bytes, missing ones as zeros.
  const auto image = torvane::EncodeCaseRecord(record);
  for (size_t k = 0; k < kCaseRecordSize; ++k) {
    const std::uint8_t expected = k < size ? data[k] : 0;
    if (image[k] != expected) std::abort();
  }
  const auto laby_image = torvane::EncodeLabyData(laby);
  for (size_t k = 0; k < laby_image.size(); ++k) {
    const size_t at = torvane::kLabyDataOffset + k;
    const std::uint8_t expected = at < size ? data[at] : 0;
    if (laby_image[k] != expected) std::abort();
  }
  // A record the program would open has a unit choice the catalogue can apply and finite
  // labyrinth values.
  if (problems.empty()) {
    try {
      torvane::UnitChoice units;
      units.ApplyUnitChoice(record.unit_num);
    } catch (...) {
      std::abort();
    }
  }
  if (laby_problems.empty()) {
    for (double v : laby) {
      if (!std::isfinite(v)) std::abort();
    }
  }
  return 0;
}
