// The settings file beside main.cfg: read forgivingly, written whole, and
// keys of other versions kept.
#include "game/settings.h"

#include <gtest/gtest.h>

TEST(Settings, ReadsKeysAndKeepsWhatItDoesNotKnow) {
    const SettingsRecord s = ParseSettings("# comment\n rumble = 0 \r\n\nno equals sign\nfuture=a=b\nrumble=1\n");
    EXPECT_EQ(SettingValue(s, "rumble", "x"), "1");    // the last of a key given twice
    EXPECT_EQ(SettingValue(s, "future", "x"), "a=b");  // everything after the first '='
    EXPECT_EQ(SettingValue(s, "missing", "x"), "x");
    ASSERT_EQ(s.entries.size(), 2u);
    EXPECT_EQ(ParseSettings(FormatSettings(s)).entries, s.entries);
}

TEST(Settings, RefusesWhatWouldBreakTheFile) {
    SettingsRecord s;
    EXPECT_FALSE(SetSetting(s, "", "1"));
    EXPECT_FALSE(SetSetting(s, "a=b", "1"));
    EXPECT_FALSE(SetSetting(s, "rumble", "1\nlang=en"));
    EXPECT_TRUE(s.entries.empty());
    EXPECT_TRUE(SetSetting(s, "rumble", "0"));
    EXPECT_TRUE(SetSetting(s, "rumble", "1"));
    EXPECT_EQ(FormatSettings(s), "# Kolvetra settings\nrumble=1\n");
}
