#include "core/platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/platform/errors.h"
#include "core/platform/numbers.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

namespace orvaltic {
namespace {

using testing::ReadFileBytes;
using testing::RunInChild;
using testing::TempFolder;
using testing::WriteFileBytes;

void ExpectInOutError(const std::function<void()>& action, const std::string& message, int code) {
  EXPECT_THROW(
      {
        try {
          action();
        } catch (const InOutError& error) {
          EXPECT_EQ(error.what(), message);
          EXPECT_EQ(error.code(), code);
          throw;
        }
      },
      InOutError);
}

// One read of a field and what it must give.
struct Step {
  enum Kind { kText, kFloat, kInteger } kind;
  std::string text;
  double number = 0;
};

Step Text(std::string text) {
  return {Step::kText, std::move(text)};
}
Step Float(double value) {
  return {Step::kFloat, {}, value};
}
Step Integer(std::int32_t value) {
  return {Step::kInteger, {}, static_cast<double>(value)};
}

struct ReaderCase {
  const char* name;
  std::string input;
  std::vector<Step> steps;
  bool at_end_after;
};

void PrintTo(const ReaderCase& c, std::ostream* os) {
  *os << c.name;
}

class ReaderRulesTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderRulesTest, ReadsFieldsByTheRules) {
  const ReaderCase& c = GetParam();
  TextFileReader reader(c.input);
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const Step& step = c.steps[i];
    SCOPED_TRACE("step " + std::to_string(i));
    switch (step.kind) {
      case Step::kText:
        EXPECT_EQ(reader.ReadTextLine(), step.text);
        break;
      case Step::kFloat:
        EXPECT_EQ(reader.ReadFloatLine(), step.number);
        break;
      case Step::kInteger:
        EXPECT_EQ(reader.ReadIntegerLine(), static_cast<std::int32_t>(step.number));
        break;
    }
  }
  EXPECT_EQ(reader.AtEnd(), c.at_end_after);
}

const std::string k64DigitFrequency = "88.1" + std::string(60, '0');
const std::string k32DigitInteger = std::string(30, '0') + "42";

INSTANTIATE_TEST_SUITE_P(
    Table, ReaderRulesTest,
    ::testing::Values(
        ReaderCase{"CrLfEndsLines", "one\r\ntwo\r\n", {Text("one"), Text("two")}, true},
        ReaderCase{"LoneCrEndsLine", "one\rtwo\r\n", {Text("one"), Text("two")}, true},
        ReaderCase{"LoneLfEndsLine", "a\nb\r\nc", {Text("a"), Text("b"), Text("c")}, true},
        ReaderCase{"OnlyOneLfAfterCr", "a\r\n\nb\r\n", {Text("a"), Text(""), Text("b")}, true},
        ReaderCase{"LfOnlyFile",
                   "88.1\nname\n\n 20 pt\nlast\n",
                   {Float(88.1), Text("name"), Integer(20), Text("last")},
                   true},
        ReaderCase{"ByteOrderMarkSkipped",
                   "\xEF\xBB\xBF"
                   "88.1\r\nx",
                   {Float(88.1), Text("x")},
                   true},
        ReaderCase{"ByteOrderMarkOnlyAtStart",
                   "a\r\n\xEF\xBB\xBF"
                   "b",
                   {Text("a"), Text("\xEF\xBB\xBF"
                                    "b")},
                   true},
        ReaderCase{"EmptyLines", "\r\n\r\nx", {Text(""), Text(""), Text("x")}, true},
        ReaderCase{"CtrlZMidLine",
                   "abc\x1A"
                   "def\r\n88\r\n",
                   {Text("abc"), Float(0), Text("")},
                   true},
        ReaderCase{"CtrlZMidFile",
                   "88.1\r\n\x1A"
                   "99.5\r\nname\r\n",
                   {Float(88.1), Float(0), Text("")},
                   true},
        ReaderCase{"BlankLinesBeforeNumber",
                   "\r\n\r\n  \t\r\n 88.1\r\nname\r\n",
                   {Float(88.1), Text("name")},
                   true},
        ReaderCase{"TabsAndControlBytesAroundNumber",
                   "\t\x01\x0B"
                   "89.5\t\r\nx\r\n",
                   {Float(89.5), Text("x")},
                   true},
        ReaderCase{"JunkAfterNumberSkipped",
                   "88.1 junk, more\r\nname\r\n20 pt\r\nnext",
                   {Float(88.1), Text("name"), Integer(20), Text("next")},
                   true},
        ReaderCase{"NumberLineEndsWithLoneCr", "7\rtext\r\n", {Integer(7), Text("text")}, true},
        ReaderCase{"FloatTakesAtMost64Bytes",
                   k64DigitFrequency + "x\r\nname\r\n",
                   {Float(88.1), Text("name")},
                   true},
        ReaderCase{"IntegerTakesAtMost32Bytes",
                   k32DigitInteger + "x\r\nname\r\n",
                   {Integer(42), Text("name")},
                   true},
        ReaderCase{"EndOfFileInNumbers", "  \r\n\t", {Float(0), Integer(0), Text("")}, true},
        ReaderCase{"EndOfFileInText", "abc", {Text("abc"), Text(""), Float(0)}, true},
        ReaderCase{"NumberAtEndWithoutLineEnd", "88.1", {Float(88.1), Text("")}, true},
        ReaderCase{"DecimalNotations",
                   "88\r\n88.1\r\n8.81E1\r\n-0.5\r\n",
                   {Float(88), Float(88.1), Float(88.1), Float(-0.5)},
                   true},
        ReaderCase{"Integers",
                   "$30C\r\n-5\r\n2147483647\r\n-2147483648\r\n",
                   {Integer(780), Integer(-5), Integer(2147483647), Integer(-2147483647 - 1)},
                   true},
        ReaderCase{"HighBytesUnchanged",
                   "\xE9t\xE9\xFF\x80\r\n\xC3(\r\n",
                   {Text("\xE9t\xE9\xFF\x80"), Text("\xC3(")},
                   true},
        ReaderCase{"StopsBeforeRestOfFile", "1\r\n2\r\n", {Integer(1)}, false}),
    [](const ::testing::TestParamInfo<ReaderCase>& param_info) { return param_info.param.name; });

struct InvalidCase {
  const char* name;
  std::string input;
  bool integer;
};

void PrintTo(const InvalidCase& c, std::ostream* os) {
  *os << c.name;
}

class InvalidNumberTest : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidNumberTest, ThrowsInvalidNumericInput) {
  TextFileReader reader(GetParam().input);
  ExpectInOutError(
      [&] {
        if (GetParam().integer) {
          reader.ReadIntegerLine();
        } else {
          reader.ReadFloatLine();
        }
      },
      "Invalid numeric input", 106);
}

INSTANTIATE_TEST_SUITE_P(Table, InvalidNumberTest,
                         ::testing::Values(InvalidCase{"WordAsFloat", "abc\r\n", false},
                                           InvalidCase{"WordAsInteger", "abc\r\n", true},
                                           InvalidCase{"DecimalComma", "88,5\r\n", false},
                                           InvalidCase{"FractionAsInteger", "88.1\r\n", true},
                                           InvalidCase{"IntegerOutOfRange", "2147483648\r\n", true},
                                           InvalidCase{"FloatOutOfRange", "1e999\r\n", false},
                                           InvalidCase{"Infinity", "inf\r\n", false},
                                           InvalidCase{"HighByte", "\xE9\r\n", false},
                                           InvalidCase{"TokenCutInsideExponent",
                                                       std::string(63, '1') + "E5\r\n", false}),
                         [](const ::testing::TestParamInfo<InvalidCase>& param_info) {
                           return param_info.param.name;
                         });

TEST(TextFileReaderOpenTest, ReadsWholeFileFromDisk) {
  TempFolder folder;
  // Larger than any read buffer, with the end-of-file byte and high bytes on the way.
  std::string big;
  for (int i = 0; i < 200000; ++i) {
    big += "Station \xE9\xFF\r\n";
  }
  big +=
      "last\r\n\x1A"
      "ignored";
  WriteFileBytes(folder.File("big.cfg"), big);

  std::optional<TextFileReader> reader = TextFileReader::Open(folder.File("big.cfg"));
  ASSERT_TRUE(reader.has_value());
  for (int i = 0; i < 200000; ++i) {
    ASSERT_EQ(reader->ReadTextLine(), "Station \xE9\xFF");
  }
  EXPECT_EQ(reader->ReadTextLine(), "last");
  EXPECT_TRUE(reader->AtEnd());
}

// Whether a save of what was read would lose part of the file.
struct WholeCase {
  const char* name;
  std::string input;
  std::size_t text_lines;
  bool whole;
};

void PrintTo(const WholeCase& c, std::ostream* os) {
  *os << c.name;
}

class ReadWholeTest : public ::testing::TestWithParam<WholeCase> {};

TEST_P(ReadWholeTest, TellsWhetherAnythingWasLeftOrCut) {
  TextFileReader reader(GetParam().input, TextReadLimits{8});
  for (std::size_t i = 0; i < GetParam().text_lines; ++i) {
    EXPECT_LE(reader.ReadTextLine().size(), 8u);
  }
  EXPECT_EQ(reader.ReadWhole(), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadWholeTest,
    ::testing::Values(WholeCase{"AllRead", "one\r\ntwo\r\n", 2, true},
                      WholeCase{"LineAtTheCap", "12345678\r\n", 1, true},
                      WholeCase{"LineCut", "123456789\r\nx", 2, false},
                      WholeCase{"OnlyBlanksFollow", "one\r\n \t\r\n\n", 1, true},
                      WholeCase{"TextFollows", "one\r\n\r\nextra\r\n", 1, false},
                      // An end-of-file byte ends what is read; fields behind it would be
                      // lost to a save.
                      WholeCase{"FieldsAfterCtrlZ",
                                "one\r\n\x1A"
                                "extra",
                                1, false},
                      WholeCase{"CtrlZAtTheEnd", "one\r\n\x1A", 1, true},
                      WholeCase{"OnlyBlanksAndCtrlZAfterCtrlZ", "one\r\n\x1A\r\n \x1A\x1A", 1,
                                true}),
    [](const ::testing::TestParamInfo<WholeCase>& param_info) { return param_info.param.name; });

// A huge file is read only as far as its fields go, in little memory: the address space of the
// child is too small to hold the file.
TEST(TextFileReaderOpenTest, HugeFileIsReadWithoutHoldingIt) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs an unlimited address space";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the address sanitizer needs an unlimited address space";
#endif
#endif
  TempFolder folder;
  const std::string path = folder.File("huge.CFG");
  constexpr off_t kSize = off_t{160} << 20;
  WriteFileBytes(path, "88.1\r\n" + std::string(10000, 'x'));
  ASSERT_EQ(::truncate(path.c_str(), kSize), 0);  // the rest is a hole of zero bytes

  const std::optional<std::string> result = RunInChild([&] {
    long pages = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr || std::fscanf(statm, "%ld", &pages) != 1) {
      ::_exit(testing::kSkipExit);
    }
    std::fclose(statm);
    const rlim_t limit = static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE)) + (rlim_t{128} << 20);
    const rlimit address_space{limit, limit};
    if (::setrlimit(RLIMIT_AS, &address_space) != 0) {
      ::_exit(testing::kSkipExit);
    }
    std::optional<TextFileReader> reader = TextFileReader::Open(path);
    const double frequency = reader->ReadFloatLine();
    const std::size_t name = reader->ReadTextLine().size();
    return FormatFixed3(frequency) + " " + std::to_string(name) + " " +
           (reader->ReadWhole() ? "whole" : "cut");
  });
  if (!result) {
    GTEST_SKIP() << "cannot limit the address space here";
  }
  EXPECT_EQ(*result, "88.100 4096 cut");
}

// A file far larger than its format can hold is read no further than the format reaches, so
// reading a sparse 100 GB file (zero bytes, which number fields skip as blanks) ends at once.
TEST(TextFileReaderOpenTest, ReadsNoFurtherThanTheFormatCanHold) {
  TempFolder folder;
  const std::string path = folder.File("sparse.CFG");
  WriteFileBytes(path, "88.1\r\nName\r\n");
  if (::truncate(path.c_str(), off_t{100} << 30) != 0) {
    GTEST_SKIP() << "no sparse files here";
  }
  std::optional<TextFileReader> reader = TextFileReader::Open(path, TextReadLimits::ForLines(4));
  ASSERT_TRUE(reader.has_value());
  EXPECT_EQ(reader->ReadFloatLine(), 88.1);
  EXPECT_EQ(reader->ReadTextLine(), "Name");
  EXPECT_EQ(reader->ReadFloatLine(), 0.0);  // the rest of the limit is zero bytes
  EXPECT_TRUE(reader->AtEnd());
  EXPECT_FALSE(reader->ReadWhole());

  // A file that ends exactly at the limit is whole; one byte more is beyond what was read.
  const std::size_t limit = TextReadLimits::ForLines(1).max_file_size;
  const std::string line = std::string(kMaxSettingsLineLength, 'x') + "\r\n";
  for (const std::size_t size : {limit, limit + 1}) {
    WriteFileBytes(path, line + std::string(size - line.size(), ' '));
    reader = TextFileReader::Open(path, TextReadLimits::ForLines(1));
    ASSERT_TRUE(reader.has_value());
    EXPECT_EQ(reader->ReadTextLine().size(), kMaxSettingsLineLength);
    EXPECT_EQ(reader->ReadWhole(), size == limit) << size;
  }
}

TEST(TextFileReaderOpenTest, NulloptForMissingFileAndFolder) {
  TempFolder folder;
  EXPECT_FALSE(TextFileReader::Open(folder.File("missing.cfg")).has_value());
  EXPECT_FALSE(TextFileReader::Open(folder.path()).has_value());
  EXPECT_FALSE(TextFileReader::Open("").has_value());
  ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
  EXPECT_FALSE(TextFileReader::Open(folder.File("fifo")).has_value());
}

TEST(TextFileWriterTest, EndsEveryLineWithCrLf) {
  TempFolder folder;
  TextFileWriter writer;
  writer.WriteLine("88.000");
  writer.WriteLine("");
  writer.WriteLine("Radio 1");
  const std::string expected = "88.000\r\n\r\nRadio 1\r\n";
  EXPECT_EQ(writer.Contents(), expected);

  writer.SaveTo(folder.File("out.cfg"));
  EXPECT_EQ(ReadFileBytes(folder.File("out.cfg")), expected);
}

TEST(TextFileWriterTest, LineBreaksCannotShiftLaterLines) {
  TextFileWriter writer;
  writer.WriteLine("Radio\r\nInjected");
  writer.WriteLine("Cut\x1A here");
  writer.WriteLine("Lone\nfeed");
  writer.WriteLine("99.500");
  TextFileReader reader(writer.Contents());
  EXPECT_EQ(reader.ReadTextLine(), "Radio");
  EXPECT_EQ(reader.ReadTextLine(), "Cut");
  EXPECT_EQ(reader.ReadTextLine(), "Lone");
  EXPECT_EQ(reader.ReadFloatLine(), 99.5);
  EXPECT_TRUE(reader.AtEnd());
}

TEST(TextFileWriterTest, TextsComeBackUnchanged) {
  const std::vector<std::string> texts = {
      "Radio, \"Quoted\" 'single'",       "  blanks around  ", "", "\t",
      "\xFF\xFE\xC3( invalid UTF-8 \x80",
  };
  TempFolder folder;
  TextFileWriter writer;
  for (const std::string& text : texts) {
    writer.WriteLine("107.900");
    writer.WriteLine(text);
  }
  writer.SaveTo(folder.File("round.cfg"));

  std::optional<TextFileReader> reader = TextFileReader::Open(folder.File("round.cfg"));
  ASSERT_TRUE(reader.has_value());
  for (const std::string& text : texts) {
    EXPECT_EQ(reader->ReadFloatLine(), 107.9);
    EXPECT_EQ(reader->ReadTextLine(), text);
  }
  EXPECT_TRUE(reader->AtEnd());
}

struct ErrorCase {
  int err;
  const char* message;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
  *os << c.message << " " << c.err;
}

class MakeInOutErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(MakeInOutErrorTest, MapsSystemErrorToMessage) {
  const InOutError error = MakeInOutError(GetParam().err);
  EXPECT_STREQ(error.what(), GetParam().message);
  EXPECT_EQ(error.code(), GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MakeInOutErrorTest,
    ::testing::Values(
        ErrorCase{EACCES, "File access denied"}, ErrorCase{EPERM, "File access denied"},
        ErrorCase{EROFS, "File access denied"}, ErrorCase{EISDIR, "File access denied"},
        ErrorCase{ETXTBSY, "File access denied"}, ErrorCase{ENOENT, "Invalid filename"},
        ErrorCase{ENOTDIR, "Invalid filename"}, ErrorCase{ENAMETOOLONG, "Invalid filename"},
        ErrorCase{EINVAL, "Invalid filename"}, ErrorCase{ELOOP, "Invalid filename"},
        ErrorCase{ENOSPC, "Disk full"}, ErrorCase{EDQUOT, "Disk full"},
        ErrorCase{EFBIG, "Disk full"}, ErrorCase{EIO, "I/O error 5"},
        ErrorCase{EBUSY, "I/O error 16"}, ErrorCase{EXDEV, "I/O error 18"}));

}  // namespace
}  // namespace orvaltic
