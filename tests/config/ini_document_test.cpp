#include "config/ini_document.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velkor {
namespace {

using namespace std::string_literals;

// One file that holds every oddity the readers must cope with.
const std::string kProfile =
    "; comment=not a key\r\n"
    "[MENU]\r\n"
    "Log=12abc\r\n"
    "[  Odd Section  ]\r\n"
    "   Spaced Key   =   value with spaces   \r\n"
    "Negative=-42\r\n"
    "Plus=+7\r\n"
    "Word=abc\r\n"
    "Minus=-\r\n"
    "Empty=\r\n"
    "Quoted=\"  quoted  \"\r\n"
    "Single='x'\r\n"
    "Unbalanced=\"abc\r\n"
    "QuotedNumber=\"12\"\r\n"
    "Long=0123456789ABCDEF\r\n"
    "Nul=ab\0cd\r\n"s
    "Huge=99999999999\r\n"
    "HugeNegative=-99999999999\r\n"
    "Twice=first\r\n"
    "Twice=second\r\n"
    "NoEquals\r\n"
    "[Unité]\r\n"
    "Clé=accent\r\n"
    "[menu]\r\n"
    "Other=in the second MENU section\r\n";

struct IntCase {
  const char* section;
  const char* key;
  int default_value;
  int expected;
};

class ProfileIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(ProfileIntTest, ReadsAsThePlatformDoes) {
  const IntCase& c = GetParam();
  const IniDocument ini = IniDocument::Parse(kProfile);
  EXPECT_EQ(ini.GetProfileInt(c.section, c.key, c.default_value), c.expected)
      << "[" << c.section << "] " << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileIntTest,
    ::testing::Values(IntCase{"menu", "LOG", 5, 12},      // names ignore case; digits lead
                      IntCase{" Menu ", " log ", 5, 12},  // blanks around asked names
                      IntCase{"Odd Section", "Negative", 5, -42},
                      IntCase{"odd section", "Plus", 5, 7},
                      IntCase{"Odd Section", "Word", 5, 0},  // no digits: 0, not the default
                      IntCase{"Odd Section", "Minus", 5, 0},
                      IntCase{"Odd Section", "Empty", 5, 5},  // empty value: the default
                      IntCase{"Odd Section", "QuotedNumber", 5, 12},
                      IntCase{"Odd Section", "Huge", 5, 2147483647},  // saturates, no wrap
                      IntCase{"Odd Section", "HugeNegative", 5, -2147483647 - 1},
                      IntCase{"Odd Section", "Absent", 5, 5}, IntCase{"Absent", "Log", -3, -3},
                      IntCase{"Odd Section", "NoEquals", 9, 9},  // a line without '=' is no key
                      IntCase{"MENU", "Other", 4, 4},  // only the first section of a name counts
                      IntCase{"", "comment", 6, 6}));  // comments are not keys

struct TextCase {
  const char* section;
  const char* key;
  const char* default_value;
  std::size_t buffer_size;
  std::string expected;
};

class ProfileStringTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ProfileStringTest, ReadsAsThePlatformDoes) {
  const TextCase& c = GetParam();
  const IniDocument ini = IniDocument::Parse(kProfile);
  EXPECT_EQ(ini.GetProfileString(c.section, c.key, c.default_value, c.buffer_size), c.expected)
      << "[" << c.section << "] " << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileStringTest,
    ::testing::Values(
        TextCase{"odd section", "spaced key", "d", 255, "value with spaces"},
        TextCase{"Odd Section", "Quoted", "d", 255, "  quoted  "},  // quotes stripped, not blanks
        TextCase{"Odd Section", "Single", "d", 255, "x"},
        TextCase{"Odd Section", "Unbalanced", "d", 255, "\"abc"},
        TextCase{"Odd Section", "Empty", "d", 255, ""},  // present but empty: not the default
        TextCase{"Odd Section", "Long", "d", 10, "012345678"},  // room kept for the NUL
        TextCase{"Odd Section", "Long", "d", 1, ""}, TextCase{"Odd Section", "Long", "d", 0, ""},
        TextCase{"Odd Section", "Nul", "d", 255, "ab"},
        TextCase{"Odd Section", "Twice", "d", 255, "first"},
        TextCase{"Odd Section", "Absent", "Mode Demo", 255, "Mode Demo"},
        TextCase{"Odd Section", "Absent", "Mode Demo USB device", 16, "Mode Demo USB d"},
        TextCase{"UNITÉ", "CLÉ", "d", 255, "accent"},  // Latin letters fold too
        TextCase{"Unité", "Clé", "d", 4, "acc"}));

TEST(IniDocument, AnyBytesSerializeBackUnchanged) {
  const std::vector<std::string> inputs = {
      "",
      "\n",
      "\r\n\r\n",
      "[Section]\nkey=value",               // no final line end
      "\xEF\xBB\xBF[Bom]\r\nk=v\r\n",       // UTF-8 byte-order mark
      "[Open\r\nk=v\r\n[]\r\n=\r\n==\r\n",  // '[' without ']', empty names
      "a\rb\rc\r\n\r\r\n",                  // lone CRs stay inside their line
      "bin\0ary\xFF\xFE\x80\x01\x1A\r\n"s,  // binary junk and NULs
      std::string(100000, 'x') + "=" + std::string(50000, 'y') + "\r\n",
  };
  for (const std::string& input : inputs) {
    EXPECT_EQ(IniDocument::Parse(input).Serialize(), input);
  }
}

TEST(IniDocument, ByteOrderMarkIsNotPartOfTheFirstSectionName) {
  const IniDocument ini = IniDocument::Parse("\xEF\xBB\xBF[Bom]\r\nk=v\r\n");
  EXPECT_EQ(ini.GetProfileString("Bom", "k", "", 255), "v");
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, ChangesOnlyWhatItMust) {
  const WriteCase& c = GetParam();
  IniDocument ini = IniDocument::Parse(c.before);
  ASSERT_TRUE(ini.WriteProfileString(c.section, c.key, c.value));
  EXPECT_EQ(ini.Serialize(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWriteTest,
    ::testing::Values(
        WriteCase{"ReplaceKeepsSpellingAndSpacing", "[MESURES]\r\n  AIR = 0  \r\nEau=0\r\n",
                  "Mesures", "Air", "-1", "[MESURES]\r\n  AIR = -1\r\nEau=0\r\n"},
        WriteCase{"ReplaceEmptyValue", "[A]\r\nk=\r\n", "A", "k", "1", "[A]\r\nk=1\r\n"},
        WriteCase{"ReplaceFirstOfTwins", "[A]\r\nk=1\r\nk=2\r\n", "A", "K", "3",
                  "[A]\r\nk=3\r\nk=2\r\n"},
        WriteCase{"NewKeyAfterLastEntryBeforeTrailingComment",
                  "[A]\r\nx=1\r\n\r\n; about B\r\n[B]\r\ny=2\r\n", "a", "z", "3",
                  "[A]\r\nx=1\r\nz=3\r\n\r\n; about B\r\n[B]\r\ny=2\r\n"},
        WriteCase{"NewKeyInEmptySection", "[A]\r\n[B]\r\n", "A", "k", "v", "[A]\r\nk=v\r\n[B]\r\n"},
        WriteCase{"NewKeyInFirstOfTwinSections", "[A]\r\n[B]\r\n[a]\r\n", "A", "k", "v",
                  "[A]\r\nk=v\r\n[B]\r\n[a]\r\n"},
        WriteCase{"NewKeyInLastSectionWithoutFinalLineEnd", "[A]\r\nx=1", "A", "k", "v",
                  "[A]\r\nx=1\r\nk=v\r\n"},
        WriteCase{"NewSectionAtTheEnd", "; top\r\n[A]\r\nx=1\r\n", "New", "k", "v",
                  "; top\r\n[A]\r\nx=1\r\n[New]\r\nk=v\r\n"},
        WriteCase{"NewSectionAfterLastLineWithoutLineEnd", "[A]\r\nx=1", "B", "k", "v",
                  "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        WriteCase{"LfFileKeepsLf", "[A]\nx=1\n", "B", "k", "v", "[A]\nx=1\n[B]\nk=v\n"},
        WriteCase{"EmptyFileGetsCrLf", "", "A", "k", "v", "[A]\r\nk=v\r\n"},
        WriteCase{"CommentedKeyIsNotReplaced", "[A]\r\n;k=old\r\n", "A", "k", "new",
                  "[A]\r\nk=new\r\n;k=old\r\n"},
        WriteCase{"ValueStopsAtLineBreak", "[A]\r\n", "A", "k", "one\r\n[Injected]\r\nx=1",
                  "[A]\r\nk=one\r\n"},
        WriteCase{"JunkAroundIsKept", "\x01\xFF junk\r\n[A\r\n[A]\r\nno equals\r\n", "A", "k", "v",
                  "\x01\xFF junk\r\n[A\r\n[A]\r\nk=v\r\nno equals\r\n"}),
    [](const ::testing::TestParamInfo<WriteCase>& param_info) {
      return std::string(param_info.param.name);
    });

TEST(IniDocument, RefusesNamesThatCannotBeReadBack) {
  const std::string before = "[A]\r\nk=1\r\n";
  IniDocument ini = IniDocument::Parse(before);
  EXPECT_FALSE(ini.WriteProfileString("", "k", "v"));
  EXPECT_FALSE(ini.WriteProfileString("A", "  ", "v"));
  EXPECT_FALSE(ini.WriteProfileString("A", "a=b", "v"));
  EXPECT_FALSE(ini.WriteProfileString("A", ";k", "v"));
  EXPECT_FALSE(ini.WriteProfileString("A\r\n[B]", "k", "v"));
  EXPECT_EQ(ini.Serialize(), before);
}

// ---- Encodings --------------------------------------------------------------------------------

// Written by an earlier ANSI version: "é" and "ç" are single Windows-1252 bytes.
const std::string kAnsiFile =
    "; R\xE9glages\r\n"
    "[Affichage]\r\n"
    "Langue=Fran\xE7"
    "ais\r\n"
    "Tempo=5\r\n";

TEST(IniDocument, Windows1252FileReadsAsUtf8) {
  const IniDocument ini = IniDocument::Parse(kAnsiFile);
  EXPECT_EQ(ini.Encoding(), TextEncoding::kWindows1252);
  EXPECT_EQ(ini.GetProfileString("Affichage", "Langue", "", 100), "Français");
  EXPECT_EQ(ini.GetProfileString("Affichage", "Langue", "", 6), "Franç");  // cut in characters
}

TEST(IniDocument, Windows1252FileKeepsItsBytesAndGetsNewTextInItsEncoding) {
  IniDocument ini = IniDocument::Parse(kAnsiFile);
  ASSERT_TRUE(ini.WriteProfileString("Affichage", "Tempo", "8"));
  ASSERT_TRUE(ini.WriteProfileString("Affichage", "Dernière", "Été €"));
  EXPECT_EQ(ini.Serialize(),
            "; R\xE9glages\r\n"
            "[Affichage]\r\n"
            "Langue=Fran\xE7"
            "ais\r\n"
            "Tempo=8\r\n"
            "Derni\xE8re=\xC9t\xE9 \x80\r\n");
  // Read back as the next run would: still one encoding, every text intact.
  const IniDocument again = IniDocument::Parse(ini.Serialize());
  EXPECT_EQ(again.GetProfileString("Affichage", "DERNIÈRE", "", 255), "Été €");
  EXPECT_EQ(again.GetProfileString("Affichage", "Langue", "", 255), "Français");
}

TEST(IniDocument, TextWindows1252CannotHoldTurnsTheFileIntoUtf8) {
  IniDocument ini = IniDocument::Parse(kAnsiFile);
  ASSERT_TRUE(ini.WriteProfileString("Affichage", "Langue", "Ελληνικά"));
  EXPECT_EQ(ini.Encoding(), TextEncoding::kUtf8);
  EXPECT_EQ(ini.Serialize(),
            "; Réglages\r\n"
            "[Affichage]\r\n"
            "Langue=Ελληνικά\r\n"
            "Tempo=5\r\n");
}

TEST(IniDocument, Utf8FileStaysUtf8) {
  IniDocument ini = IniDocument::Parse("; Réglages\n[Affichage]\nLangue=Français\n");
  EXPECT_EQ(ini.Encoding(), TextEncoding::kUtf8);
  EXPECT_EQ(ini.GetProfileString("affichage", "langue", "", 100), "Français");
  ASSERT_TRUE(ini.WriteProfileString("Affichage", "Tempo", "é"));
  EXPECT_EQ(ini.Serialize(), "; Réglages\n[Affichage]\nLangue=Français\nTempo=é\n");
}

TEST(IniDocument, InvalidUtf8FromACallerIsNotWrittenAsIs) {
  IniDocument ini;
  ASSERT_TRUE(ini.WriteProfileString("A", "k",
                                     "Fran\xE7"
                                     "ais"));
  EXPECT_EQ(ini.Serialize(), "[A]\r\nk=Français\r\n");
}

}  // namespace
}  // namespace velkor
