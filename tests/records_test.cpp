// Track records and the stopwatch: better times only, a file that survives
// a restart, a damaged file set aside, and replay files read with every
// field checked.
#include "game/records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/paths.h"
#include "game/lap_times.h"
#include "game/replay.h"
#include "support.h"

namespace {

namespace fs = std::filesystem;

const TrackTime kAnna{0, "jeep", "2026-12-08", "Anna"};
const TrackTime kBoris{0, "tank", "2026-12-09", "Борис Б"};

TEST(Records, OnlyBetterTimesAreKept) {
    RecordsTable table;
    RecordNews news = OfferTimes(table, "beach1", 900, 4000, kAnna);
    EXPECT_TRUE(news.lap && news.race) << "a first race sets both";
    news = OfferTimes(table, "beach1", 950, 3900, kBoris);
    EXPECT_FALSE(news.lap);
    EXPECT_TRUE(news.race);
    news = OfferTimes(table, "beach1", 900, 3900, kAnna);
    EXPECT_FALSE(news.lap || news.race) << "a tie is no record";
    news = OfferTimes(table, "beach1", 0, 0, kAnna);
    EXPECT_FALSE(news.lap || news.race) << "an unfinished race has no times";
    const TrackRecords* r = FindRecords(table, "beach1");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->lap.ticks, 900);
    EXPECT_EQ(r->lap.profile, "Anna");
    EXPECT_EQ(r->race.ticks, 3900);
    EXPECT_EQ(r->race.vehicle, "tank");
    EXPECT_EQ(r->race.profile, "Борис Б");
    EXPECT_EQ(FindRecords(table, "city1"), nullptr);
}

TEST(Records, FileReadsBackAsWritten) {
    RecordsTable table, back;
    OfferTimes(table, "beach1", 900, 4000, kAnna);
    OfferTimes(table, "city2r", 1200, 0, kBoris);
    OfferTimes(table, "icy1", 0, 5000, TrackTime{0, "car", "2027-01-01", ""});
    std::string fault;
    ASSERT_TRUE(ParseRecords(FormatRecords(table), back, fault)) << fault;
    EXPECT_EQ(FormatRecords(back), FormatRecords(table));
    EXPECT_EQ(back.count, 3);
    EXPECT_EQ(FindRecords(back, "icy1")->race.profile, "");
    EXPECT_EQ(FindRecords(back, "city2r")->race.ticks, 0);
}

TEST(Records, DamagedTextsAreRefused) {
    const std::string tag = std::string(kRecordsTag) + "\n";
    const struct {
        std::string text;
        const char* fault;
    } kBad[] = {
        {"", "not a records file"},
        {"kolvetra-records 2\n", "not a records file"},
        {tag + "beach1 lap 900 jeep 2026-12-08 Anna\nbeach1 lap 800 jeep 2026-12-08 Anna\n", "line 3"},
        {tag + "beach1 best 900 jeep 2026-12-08 Anna\n", "bad line 2"},
        {tag + "beach1 lap -5 jeep 2026-12-08 Anna\n", "bad line 2"},
        {tag + "beach1 lap 99999999999 jeep 2026-12-08 Anna\n", "bad line 2"},
        {tag + "beach1 lap 900 bicycle 2026-12-08 Anna\n", "bad line 2"},
        {tag + "beach1 lap 900 jeep 08.12.2026 Anna\n", "bad line 2"},
        {tag + "../x lap 900 jeep 2026-12-08 Anna\n", "bad line 2"},
        {tag + "beach1 lap 900 jeep 2026-12-08 a/b\n", "bad line 2"},
    };
    for (const auto& b : kBad) {
        RecordsTable table;
        OfferTimes(table, "kept", 1, 1, kAnna);
        std::string fault;
        EXPECT_FALSE(ParseRecords(b.text, table, fault)) << b.text;
        EXPECT_NE(fault.find(b.fault), std::string::npos) << fault;
        EXPECT_EQ(table.count, 1) << "a refused file changes nothing";
    }
}

class RecordsFile : public ::testing::Test {
  protected:
    void SetUp() override { SetUserFolder(scratch.path().string()); }
    void TearDown() override { records = RecordsTable{}; }
    ScratchFolder scratch;
};

TEST_F(RecordsFile, SurviveARestart) {
    LoadRecords();
    EXPECT_EQ(records.count, 0) << "no file yet";
    OfferTimes(records, "forest1", 700, 3100, kAnna);
    ASSERT_TRUE(SaveRecords());
    EXPECT_EQ(ReadFile(scratch / "records.txt").rfind(std::string(kRecordsTag) + "\n", 0), 0u);
    records = RecordsTable{};
    LoadRecords();
    ASSERT_EQ(records.count, 1);
    EXPECT_EQ(FindRecords(records, "forest1")->race.ticks, 3100);
}

TEST_F(RecordsFile, DamagedFileIsSetAsideAndTheGameGoesOn) {
    const std::string damaged = std::string(kRecordsTag) + "\nforest1 lap 7";
    WriteFile(scratch / "records.txt", damaged);
    LoadRecords();
    EXPECT_EQ(records.count, 0);
    EXPECT_FALSE(fs::exists(scratch / "records.txt"));
    EXPECT_EQ(ReadFile(scratch / "records.txt.bad"), damaged);

    OfferTimes(records, "forest1", 700, 3100, kAnna);
    ASSERT_TRUE(SaveRecords());
    WriteFile(scratch / "records.txt", "rubbish");
    LoadRecords();
    EXPECT_EQ(ReadFile(scratch / "records.txt.bad"), damaged) << "an earlier bad file is never written over";
    EXPECT_EQ(ReadFile(scratch / "records.txt.bad2"), "rubbish");
}

TEST(LapClock, TimesLapsFromTheTicksTheWorldMoved) {
    LapClock c;
    for (int i = 0; i < 10; ++i) TickLapClock(c, false, 0);  // the countdown
    EXPECT_EQ(c.raceTicks, 0);
    for (int i = 0; i < 100; ++i) TickLapClock(c, true, 0);
    EXPECT_EQ(CurrentLapTicks(c), 100);
    TickLapClock(c, true, 1);
    EXPECT_EQ(c.bestLap, 101);
    for (int i = 0; i < 90; ++i) TickLapClock(c, true, 1);
    TickLapClock(c, true, 2);
    EXPECT_EQ(c.bestLap, 91);
    for (int i = 0; i < 120; ++i) TickLapClock(c, true, 2);
    TickLapClock(c, true, 3);
    TickLapClock(c, true, 4);
    EXPECT_EQ(c.bestLap, 1);
    EXPECT_EQ(c.finishTicks, 101 + 91 + 121 + 1);
    TickLapClock(c, true, 5);
    EXPECT_EQ(c.finishTicks, 314) << "laps past the last are not timed";
    std::string text;
    RaceTimeText(text, 314);
    EXPECT_EQ(text, "0:09.42");
    RaceTimeText(text, 20 * 60 * 1000 / 30 + 1);
    EXPECT_EQ(text, "20:00.03");
}

Replay SmallReplay() {
    Replay r;
    r.track = "beach1";
    r.trackHash = 0x0123456789abcdefULL;
    r.setup = RaceSetup{3, 15, 2};
    r.mode = 0;
    r.score = -7;
    r.random = RandomState{0xfedcba9876543210ULL, 0x1111ULL};
    r.ticks = {
        {ControlBits(RaceInput{true, false, true, false}, false), 10, -20, 13000},
        {ControlBits(RaceInput{false, true, false, true}, true), -kReplayPositionLimit, kReplayPositionLimit, 1}};
    return r;
}

TEST(ReplayFile, ReadsBackAsWritten) {
    const Replay r = SmallReplay();
    Replay back;
    std::string fault;
    ASSERT_TRUE(ParseReplay(FormatReplay(r), back, fault)) << fault;
    EXPECT_EQ(FormatReplay(back), FormatReplay(r));
    EXPECT_EQ(back.random.state, r.random.state);
    EXPECT_EQ(back.setup.colour, 15);
    const RaceInput in = ControlsOf(back.ticks[1].controls);
    EXPECT_TRUE(in.down && in.right && !in.up && !in.left);
    EXPECT_TRUE(back.ticks[1].controls & kWorldRuns);
}

TEST(ReplayFile, EveryFieldIsChecked) {
    const std::string good = FormatReplay(SmallReplay());
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string text;
        const char* fault;
    } kBad[] = {
        {with("track beach1", "track ../x"), "bad track name"},
        {with("track-hash 0123456789abcdef", "track-hash 12"), "bad track-hash"},
        {with("vehicle 3", "vehicle 4"), "bad vehicle"},
        {with("colour 15", "colour 16"), "bad colour"},
        {with("difficulty 2", "difficulty -1"), "bad difficulty"},
        {with("mode 0", "mode 2"), "bad mode"},
        {with("score -7", "score 3000000000"), "bad score"},
        {with("0000000000001111", "0000000000001110"), "bad random"},
        {with("ticks 2", "ticks 200000"), "bad ticks"},
        {with("ticks 2", "ticks 3"), "cut short at tick 3"},
        {with("ticks 2", "ticks 1"), "more ticks than it says"},
        {with("5 10 -20 13000", "32 10 -20 13000"), "bad tick 1"},
        {with("5 10 -20 13000", "5 10 -20"), "bad tick 1"},
        {with("5 10 -20 13000", "5 10 -20 13000 9"), "bad tick 1"},
        {with("-400000000", "-400000001"), "bad tick 2"},
        {with("vehicle", "colour"), "no vehicle line"},
    };
    for (const auto& b : kBad) {
        Replay r;
        std::string fault;
        EXPECT_FALSE(ParseReplay(b.text, r, fault)) << b.text;
        EXPECT_EQ(fault, b.fault);
    }
}

}  // namespace
