// The byte layouts of main.cfg and the profile files, including the bytes
// that look like line breaks, and the safe writing of both.
#include "game/saved_files.h"

#include <gtest/gtest.h>

#include "engine/files.h"
#include "support.h"

using namespace std::string_literals;

TEST(OptionsFile, WritesTheExactBytes) {
    OptionsRecord o;
    o.windowed = 1;
    o.musicoff = 0;
    o.ambientoff = 1;
    o.profile = "Player";
    EXPECT_EQ(FormatOptions(o), "\x01\r\n\x00\r\n\x01\r\n\r\nPlayer\r\n"s);
}

TEST(OptionsFile, ReadsBackWhatWasWritten) {
    OptionsRecord o;
    o.windowed = 0;
    o.musicoff = 1;
    o.ambientoff = 0;
    o.country = "Россия";
    o.profile = "Игрок 1";
    const OptionsRecord back = ParseOptions(FormatOptions(o));
    EXPECT_EQ(back.windowed, 0);
    EXPECT_EQ(back.musicoff, 1);
    EXPECT_EQ(back.ambientoff, 0);
    EXPECT_EQ(back.country, "Россия");
    EXPECT_EQ(back.profile, "Игрок 1");
}

TEST(OptionsFile, ByteLinesTakeTheirFirstByteWhateverItIs) {
    // A digit instead of a byte is kept as it is; a CR or LF byte is a value too.
    const OptionsRecord digit = ParseOptions("1\r\n\r\r\n\n\r\nx\r\nP\n");
    EXPECT_EQ(digit.windowed, '1');
    EXPECT_EQ(digit.musicoff, '\r');
    EXPECT_EQ(digit.ambientoff, '\n');
    EXPECT_EQ(digit.country, "x");
    EXPECT_EQ(digit.profile, "P");
}

TEST(OptionsFile, MissingOrShortFileGivesDefaults) {
    const OptionsRecord none = ParseOptions("");
    EXPECT_EQ(none.windowed, 0);
    EXPECT_EQ(none.musicoff, 0);
    EXPECT_EQ(none.ambientoff, 0);
    EXPECT_EQ(none.profile, "");
    const OptionsRecord shortFile = ParseOptions("\x01\r\n\x01"s);
    EXPECT_EQ(shortFile.windowed, 1);
    EXPECT_EQ(shortFile.musicoff, 1);
    EXPECT_EQ(shortFile.ambientoff, 0);
    EXPECT_EQ(ParseOptions("\x00\n\x00\n\x00\nc\nLF only"s).profile, "LF only");
}

TEST(ProfileFile, ProgressTenAndThirteenSurvive) {
    for (int progress : {0, 1, 10, 13, 16}) {
        const std::string bytes = FormatProfile({progress, 1234});
        const ProfileRecord back = ParseProfile(bytes);
        EXPECT_EQ(back.progress, progress);
        EXPECT_EQ(back.score, 1234);
    }
    EXPECT_EQ(FormatProfile({10, 5}), "\n\r\n5\r\n"s);
    EXPECT_EQ(FormatProfile({1, -20}), "\x01\r\n-20\r\n"s);
}

TEST(ProfileFile, FreshAndDamagedProfiles) {
    EXPECT_EQ(FormatNewProfile(), "\x00\r\n"s);
    const ProfileRecord fresh = ParseProfile(FormatNewProfile());
    EXPECT_EQ(fresh.progress, 0);
    EXPECT_EQ(fresh.score, 0);
    EXPECT_EQ(ParseProfile("").progress, 0);
    EXPECT_EQ(ParseProfile("\x05\r\nlots\r\n"s).score, 0);
    EXPECT_EQ(ParseProfile("\x05\r\n\r\n  77\r\n"s).score, 77);
    EXPECT_EQ(ParseProfile("\xFF\r\n1\r\n"s).progress, 255);
}

TEST(ProfileFile, UnsafeNamesAreRefused) {
    for (const char* bad : {"", ".", "..", "a/b", "..\\x", "tab\there", "nl\n"}) EXPECT_FALSE(IsSafeProfileName(bad));
    for (const char* good : {"Player", "Игрок", "a.b", "x y", "...."}) EXPECT_TRUE(IsSafeProfileName(good));
}

TEST(AtomicWrite, ReplacesWholeFilesAndReportsFailure) {
    ScratchFolder dir;
    const std::string path = dir / "prf/Player";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "first", error)) << error;
    ASSERT_TRUE(WriteFileAtomically(path, "second\r\n", error)) << error;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "second\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    // A folder in the way: nothing is written and the reason is given.
    std::filesystem::create_directories(dir / "blocked");
    EXPECT_FALSE(WriteFileAtomically(dir / "blocked", "x", error));
    EXPECT_NE(error.find("blocked"), std::string::npos);
    EXPECT_FALSE(ReadWholeFile(dir / "missing", bytes));
}
