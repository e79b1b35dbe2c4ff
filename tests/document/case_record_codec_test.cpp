// The 6078-byte image of the case record: every offset, the encodings, and reading back.
#include "document/case_record_codec.h"

#include <gtest/gtest.h>

#include <cmath>

#include "document/ansi_text.h"
#include "document_test_support.h"

namespace torvane {
namespace {

using testing::BitsAt;
using testing::DistinctRecord;
using testing::DoubleAt;
using testing::FromBits;
using testing::Int16At;
using testing::TextAt;
using testing::ToBits;

std::vector<std::uint8_t> Image(const CaseRecord& r) {
  const auto image = EncodeCaseRecord(r);
  return std::vector<std::uint8_t>(image.begin(), image.end());
}

TEST(CaseRecordImageTest, EveryFieldSitsAtItsOffset) {
  const auto b = Image(DistinctRecord());
  ASSERT_EQ(b.size(), 6078u);

  // Gas tables, first index fastest: (i, g) is element i + 30 g.
  EXPECT_EQ(TextAt(b, 0, 4), "G000");
  EXPECT_EQ(TextAt(b, 4 * (1 + 30 * 0), 4), "G001");
  EXPECT_EQ(TextAt(b, 4 * (0 + 30 * 1), 4), "G030");
  EXPECT_EQ(TextAt(b, 4 * (29 + 30 * 4), 4), "G149");
  EXPECT_EQ(TextAt(b, 596, 4), "G149");
  EXPECT_EQ(DoubleAt(b, 600), 1000.5);
  EXPECT_EQ(DoubleAt(b, 600 + 8 * (7 + 30 * 2)), 1067.5);
  EXPECT_EQ(DoubleAt(b, 1792), 1149.5);
  EXPECT_EQ(Int16At(b, 1800), 3000);
  EXPECT_EQ(Int16At(b, 1800 + 2 * (29 + 30 * 3)), 3119);
  EXPECT_EQ(Int16At(b, 2098), 3149);

  EXPECT_EQ(Int16At(b, 2100), 7001);
  EXPECT_EQ(Int16At(b, 2102), 7002);
  EXPECT_EQ(Int16At(b, 2104), -7003);
  EXPECT_EQ(TextAt(b, 2106, 2), "Zq");
  const size_t unit_offsets[14] = {2108, 2110, 2112, 2114, 2116, 2118, 2120,
                                   2122, 2124, 2126, 2128, 2130, 2132, 2134};
  for (int q = 0; q < 14; ++q) EXPECT_EQ(Int16At(b, unit_offsets[q]), 7100 + q) << q;
  EXPECT_EQ(Int16At(b, 2136), 7201);
  EXPECT_EQ(Int16At(b, 2138), 7202);
  EXPECT_EQ(Int16At(b, 2140), 7203);
  EXPECT_EQ(Int16At(b, 2142), -7204);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Int16At(b, 2144 + 2 * static_cast<size_t>(k)), 7211 + k);
  EXPECT_EQ(TextAt(b, 2154, 40), "abcdefghijklmnopqrstuvwxyz0123456789ABCD");
  EXPECT_EQ(Int16At(b, 2194), 7301);
  EXPECT_EQ(Int16At(b, 2196), 7302);

  // Reserved double tables: start, last element, and sizes 600/720/600/720/40/600/600.
  const struct {
    size_t offset;
    int count;
    int block;
  } tables[] = {{2198, 75, 1}, {2798, 90, 2}, {3518, 75, 3}, {4118, 90, 4},
                {4838, 5, 5},  {4878, 75, 6}, {5478, 75, 7}};
  for (const auto& t : tables) {
    EXPECT_EQ(DoubleAt(b, t.offset), t.block * 10000.0 + 0.25) << t.offset;
    EXPECT_EQ(DoubleAt(b, t.offset + 8 * static_cast<size_t>(t.count - 1)),
              t.block * 10000.0 + (t.count - 1) + 0.25)
        << t.offset;
  }
  EXPECT_EQ(DoubleAt(b, 6070), 70074.25);  // D7(4, 14), the last 8 bytes
}

TEST(CaseRecordImageTest, NumbersAreLittleEndian) {
  CaseRecord r;
  r.component_count = 0x1234;
  r.last_gas_section = -2;
  r.mol_fraction[0] = 1.0;  // 0x3FF0000000000000
  const auto b = Image(r);
  EXPECT_EQ(b[2100], 0x34);
  EXPECT_EQ(b[2101], 0x12);
  EXPECT_EQ(b[2102], 0xFE);
  EXPECT_EQ(b[2103], 0xFF);
  const std::uint8_t one[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(b[600 + static_cast<size_t>(k)], one[k]) << k;
}

TEST(CaseRecordImageTest, DecodingGivesBackEveryField) {
  const CaseRecord original = DistinctRecord();
  const auto image = EncodeCaseRecord(original);
  const CaseRecord back = DecodeCaseRecord(image);
  EXPECT_EQ(back.gas_code, original.gas_code);
  EXPECT_EQ(back.mol_fraction, original.mol_fraction);
  EXPECT_EQ(back.component_id, original.component_id);
  EXPECT_EQ(back.component_count, 7001);
  EXPECT_EQ(back.last_gas_section, 7002);
  EXPECT_EQ(back.unit_system, -7003);
  EXPECT_EQ(back.unit_system_name.view(), "Zq");
  EXPECT_EQ(back.unit_num, original.unit_num);
  EXPECT_EQ(back.reserved_int, original.reserved_int);
  EXPECT_EQ(back.case_title.view(), "abcdefghijklmnopqrstuvwxyz0123456789ABCD");
  EXPECT_EQ(back.reserved_array.d4, original.reserved_array.d4);
  EXPECT_EQ(back.reserved_array.d5, original.reserved_array.d5);
  EXPECT_EQ(EncodeCaseRecord(back), image);
}

TEST(CaseRecordImageTest, ReservedDoublesKeepTheirBitsIncludingNaNPayloads) {
  CaseRecord r;
  const std::uint64_t signalling = 0x7FF0000000000001ULL;
  const std::uint64_t negative_payload = 0xFFF8DEADBEEF0001ULL;
  r.reserved_array.d1[0] = FromBits(signalling);
  r.reserved_array.d3[74] = FromBits(negative_payload);
  r.reserved_array.d5[4] = -INFINITY;
  r.reserved_array.d7[10] = FromBits(0x8000000000000000ULL);  // -0
  r.reserved_array.d2[5] = FromBits(0x0000000000000001ULL);   // smallest subnormal
  const auto b = Image(r);
  EXPECT_EQ(BitsAt(b, 2198), signalling);
  EXPECT_EQ(BitsAt(b, 3518 + 8 * 74), negative_payload);
  EXPECT_EQ(BitsAt(b, 4838 + 8 * 4), 0xFFF0000000000000ULL);
  const CaseRecord back = DecodeCaseRecord(b);
  EXPECT_EQ(ToBits(back.reserved_array.d1[0]), signalling);
  EXPECT_EQ(ToBits(back.reserved_array.d3[74]), negative_payload);
  EXPECT_EQ(ToBits(back.reserved_array.d7[10]), 0x8000000000000000ULL);
  EXPECT_EQ(ToBits(back.reserved_array.d2[5]), 1ULL);
  const auto again = EncodeCaseRecord(back);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), b.begin()));
}

TEST(CaseRecordImageTest, ArbitraryBytesComeBackUnchanged) {
  std::vector<std::uint8_t> bytes(6078);
  std::uint32_t x = 12345;
  for (auto& byte : bytes) {
    x = x * 1103515245u + 12345u;
    byte = static_cast<std::uint8_t>(x >> 16);
  }
  const auto again = EncodeCaseRecord(DecodeCaseRecord(bytes));
  EXPECT_TRUE(std::equal(again.begin(), again.end(), bytes.begin()));
}

TEST(CaseRecordImageTest, ShortInputReadsMissingBytesAsZeros) {
  const auto full = Image(DistinctRecord());
  const std::vector<std::uint8_t> part(full.begin(), full.begin() + 2101);
  const CaseRecord r = DecodeCaseRecord(part);
  EXPECT_EQ(r.component_id[149], 3149);
  // 2100 is present, 2101 (the high byte of 7001 = 0x1B59) is missing.
  EXPECT_EQ(r.component_count, 0x59);
  EXPECT_EQ(r.last_gas_section, 0);
  EXPECT_EQ(r.case_title.view(), std::string(40, '\0'));
  EXPECT_EQ(ToBits(r.reserved_array.d7[74]), 0u);

  const CaseRecord empty = DecodeCaseRecord({});
  EXPECT_EQ(empty.gas_code[0].view(), std::string(4, '\0'));
  EXPECT_EQ(empty.component_count, 0);
}

TEST(CaseRecordImageTest, LabyDataIsFifteenLittleEndianDoubles) {
  LabyData d{};
  for (size_t k = 0; k < 15; ++k) d[k] = static_cast<double>(k) + 0.125;
  const auto image = EncodeLabyData(d);
  const std::vector<std::uint8_t> b(image.begin(), image.end());
  ASSERT_EQ(b.size(), 120u);
  EXPECT_EQ(DoubleAt(b, 0), 0.125);
  EXPECT_EQ(DoubleAt(b, 8 * 9), 9.125);
  EXPECT_EQ(DoubleAt(b, 112), 14.125);
  EXPECT_EQ(DecodeLabyData(b), d);
  const LabyData part = DecodeLabyData(std::span<const std::uint8_t>(b).first(20));
  EXPECT_EQ(part[1], 1.125);
  EXPECT_EQ(part[2], 0.0);  // only its four low bytes (all zero) are present
}

TEST(FixedTextTest, CutsAndPadsToItsLength) {
  const FixedText<40> long_title(std::string(45, 'x') + "tail");
  EXPECT_EQ(long_title.view(), std::string(40, 'x'));
  const FixedText<40> short_title("Pump A");
  EXPECT_EQ(short_title.view(), "Pump A" + std::string(34, ' '));
  EXPECT_EQ(short_title.Trimmed(), "Pump A");
  EXPECT_EQ(FixedText<2>("English").view(), "En");
  EXPECT_EQ(FixedText<2>("SI Units").view(), "SI");
  EXPECT_EQ(FixedText<2>("S").view(), "S ");
  EXPECT_EQ(FixedText<4>().view(), "    ");
  EXPECT_EQ(FixedText<4>().Trimmed(), "");
}

TEST(FixedTextTest, TitleWithAccentsIsStoredInTheAnsiCodePage) {
  CaseRecord r;
  r.case_title = FixedText<40>(Utf8ToAnsi("Verdichter Mühle – 3 €"));
  const auto b = Image(r);
  EXPECT_EQ(b[2154 + 12], 0xFC);  // ü
  EXPECT_EQ(b[2154 + 17], 0x96);  // en dash
  EXPECT_EQ(b[2154 + 21], 0x80);  // euro sign
  EXPECT_EQ(b[2154 + 22], 0x20);
  EXPECT_EQ(AnsiToUtf8(DecodeCaseRecord(b).case_title.Trimmed()), "Verdichter Mühle – 3 €");
}

TEST(AnsiTextTest, EveryByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
  EXPECT_EQ(AnsiToUtf8("\x80\x9F\xA0\xFF"), "\u20AC\u0178\u00A0\u00FF");
  EXPECT_EQ(AnsiToUtf8("\x81"), "\u0081");
}

TEST(AnsiTextTest, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(Utf8ToAnsi("CH4 \u03B1"), "CH4 ?");    // Greek alpha
  EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80"), "?");  // one emoji, one question mark
  EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");            // cut sequence
  EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "??");         // overlong slash
  EXPECT_EQ(Utf8ToAnsi("\xED\xA0\x80"), "???");    // surrogate
  EXPECT_EQ(Utf8ToAnsi("\xFFz"), "?z");
}

}  // namespace
}  // namespace torvane
