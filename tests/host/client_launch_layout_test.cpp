#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "launcher/system/ClientLaunchLayout.h"

namespace {

using Block = std::vector<unsigned char>;

Block Encode(const ClientLaunchFields& f) {
  Block block(kClientLaunchBlockSize, 0xCC);
  EncodeClientLaunchBlock(f, block.data());
  return block;
}

std::string Text(const Block& b, BlockField field) {
  return ReadLengthPrefixed(b.data() + field.offset, static_cast<int>(field.capacity));
}

bool AllZero(const Block& b, unsigned from, unsigned to) {
  for (unsigned i = from; i < to; ++i) {
    if (b[i] != 0) return false;
  }
  return true;
}

ClientLaunchFields Typical() {
  ClientLaunchFields f;
  f.Argument1 = "player01";
  f.HostAddress = "10.1.2.3";
  f.Argument3 = "8000";
  f.Argument4 = "42";
  f.Argument5 = "short";
  f.Argument6 = "token-6";
  f.ServerId = "s12";
  f.ExecutablePath = "C:\\Zorvath\\LoginTarn.exe";
  f.Version = "2.6";
  f.WindowHandle = 0x00030A2Cu;
  f.PayUrl1 = "http://pay.example/1";
  f.HomeUrl = "http://home.example/";
  f.AntiAddictionUrl = "http://aa.example/";
  f.ServiceUrl = "http://service.example/";
  return f;
}

TEST(CopyLengthPrefixed, LengthByteThenCharactersCutToCapacity) {
  struct Case {
    const char* text;
    int capacity;
    std::vector<unsigned char> expected;  // the first capacity + 1 bytes of the field
  } cases[] = {
      {"abc", 5, {3, 'a', 'b', 'c', 0xEE, 0xEE}},
      {"abcd", 5, {4, 'a', 'b', 'c', 'd', 0xEE}},
      {"abcdef", 5, {4, 'a', 'b', 'c', 'd', 0xEE}},  // no terminator, nothing past the field
      {"", 5, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}},
      {"abc", 1, {0xEE, 0xEE}},
      {"abc", 0, {0xEE}},
      {"abc", -3, {0xEE}},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> field(c.expected.size(), 0xEE);
    CopyLengthPrefixed(c.text, field.data(), c.capacity);
    EXPECT_EQ(field, c.expected) << c.text << " capacity " << c.capacity;
  }
  unsigned char untouched[3] = {0xEE, 0xEE, 0xEE};
  CopyLengthPrefixed(nullptr, untouched, 3);
  EXPECT_EQ(untouched[0], 0xEE);
  CopyLengthPrefixed("abc", nullptr, 3);  // no field: nothing to write, no crash
}

TEST(CopyLengthPrefixed, LengthNeverExceedsOneByte) {
  std::string longText(400, 'x');
  std::vector<unsigned char> field(400, 0);
  CopyLengthPrefixed(longText.c_str(), field.data(), 400);
  EXPECT_EQ(field[0], 255);
  EXPECT_EQ(field[255], 'x');
  EXPECT_EQ(field[256], 0);
}

TEST(ParseDecimalInteger, RuntimeConversion) {
  struct Case {
    const char* text;
    int32_t value;
  } cases[] = {
      {"8000", 8000},
      {"-17", -17},
      {"+5", 5},
      {"  12", 12},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"0x10", 0},
      {"2147483647", 2147483647},
      {"99999999999", 2147483647},
      {"-2147483648", INT32_MIN},
      {"-99999999999", INT32_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDecimalInteger(c.text), c.value) << c.text;
}

TEST(EncodeClientLaunchBlock, EveryFieldAtItsOffset) {
  Block b = Encode(Typical());
  EXPECT_EQ(Text(b, kServerIdField), "s12");
  EXPECT_EQ(b[0], 3);
  EXPECT_EQ(Text(b, kHostAddressField), "10.1.2.3");
  EXPECT_EQ(b[47], 0);
  EXPECT_EQ(b[48] | b[49] << 8, 8000);
  EXPECT_EQ(b[50], 0);
  EXPECT_EQ(b[51], 1);
  EXPECT_EQ(Text(b, kArgument6Field), "token-6");
  EXPECT_EQ(Text(b, kExecutablePathField), "C:\\Zorvath\\LoginTarn.exe");
  EXPECT_EQ(Text(b, kVersionField), "2.6");
  EXPECT_TRUE(AllZero(b, 360, 380)) << "no version check ran: the stage name and the gap stay zero";
  EXPECT_EQ(Text(b, kArgument1Field), "player01");
  EXPECT_TRUE(AllZero(b, 421, 462));
  EXPECT_EQ(Text(b, kArgument5Field), "short");
  EXPECT_EQ(b[483], 0);
  EXPECT_EQ(ReadLittleEndian32(&b[484]), 42u);
  EXPECT_EQ(ReadLittleEndian32(&b[488]), 0x00030A2Cu);
  EXPECT_EQ(Text(b, kPayUrlField), "http://pay.example/1");
  EXPECT_EQ(Text(b, kHomeUrlField), "http://home.example/");
  EXPECT_EQ(Text(b, kAntiAddictionUrlField), "http://aa.example/");
  EXPECT_EQ(Text(b, kServiceUrlField), "http://service.example/");
  // Bytes after a short text are zero, not left over from before.
  EXPECT_EQ(b[4], 0);
  EXPECT_TRUE(AllZero(b, 1 + 3, 31));
}

TEST(EncodeClientLaunchBlock, EdgeValues) {
  ClientLaunchFields f = Typical();
  f.Argument1 = std::string(50, 'a');
  f.HostAddress.clear();  // resolution failed
  f.Argument3 = "70000";  // only the low 16 bits are kept
  f.Argument4 = "letters";
  f.ServerId = std::string(40, 's');
  f.ExecutablePath = std::string(300, 'p');
  Block b = Encode(f);

  EXPECT_EQ(b[380], 40);
  EXPECT_EQ(Text(b, kArgument1Field), std::string(40, 'a'));
  EXPECT_TRUE(AllZero(b, 31, 48)) << "unresolved address leaves offsets 31 to 47 zero";
  EXPECT_EQ(b[48] | b[49] << 8, 70000 & 0xFFFF);
  EXPECT_EQ(ReadLittleEndian32(&b[484]), 0u);
  EXPECT_EQ(Text(b, kServerIdField), std::string(30, 's'));
  EXPECT_EQ(b[31], 0) << "a cut text does not spill into the next field";
  EXPECT_EQ(Text(b, kExecutablePathField), std::string(255, 'p'));
  EXPECT_EQ(b[349], 3) << "the version after a full path is intact";

  f.Argument4 = "-1";
  f.Argument3 = "-1";
  b = Encode(f);
  EXPECT_EQ(ReadLittleEndian32(&b[484]), 0xFFFFFFFFu);
  EXPECT_EQ(b[48] | b[49] << 8, 0xFFFF);
}

TEST(EncodeClientLaunchBlock, RefillStartsFromZeroAndStageNameIsSeparate) {
  Block b = Encode(Typical());
  WriteStage1SectionName("Stage1_All", b.data());
  EXPECT_EQ(Text(b, kStage1SectionField), "Stage1_All");
  WriteStage1SectionName("Stage1_Long_Group_Name", b.data());
  EXPECT_EQ(Text(b, kStage1SectionField), "Stage1_Long_Gro");
  EXPECT_TRUE(AllZero(b, 376, 380));

  ClientLaunchFields empty;
  EncodeClientLaunchBlock(empty, b.data());
  Block expected(kClientLaunchBlockSize, 0);
  expected[kMarkerOffset] = 1;
  EXPECT_EQ(b, expected);
}

}  // namespace
