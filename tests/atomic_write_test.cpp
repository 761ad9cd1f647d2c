// Saves through the atomic writer: temporary names nothing else can have,
// whole files after a writer is killed at any moment, and two copies of the
// game saving one file at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <set>

#include "engine/files.h"
#include "flow_support.h"
#include "game/saved_files.h"
#include "engine/string_list.h"
#include "gui/widgets.h"
#include "support.h"

namespace fs = std::filesystem;

namespace {

// A save whose bytes prove themselves whole: a header naming its writer and
// length, a body derived from both, and an end mark.
std::string Content(int writer, int generation, size_t length) {
    std::string bytes = std::to_string(writer) + " " + std::to_string(generation) + " " + std::to_string(length) + "\n";
    for (size_t i = 0; i < length; ++i) bytes += static_cast<char>('a' + (i * 7 + writer + generation) % 26);
    return bytes + "end\n";
}

// Whether `bytes` is one whole Content(); its writer goes to `writer`.
bool IsWhole(const std::string& bytes, int& writer) {
    int generation = 0;
    size_t length = 0;
    if (std::sscanf(bytes.c_str(), "%d %d %zu", &writer, &generation, &length) != 3) return false;
    return bytes == Content(writer, generation, length);
}

std::vector<std::string> FolderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    return names;
}

// A child process that saves `count` contents (or without end) and exits 0
// only when every save succeeded.
pid_t StartWriter(const std::string& path, int writer, int count) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    std::string error;
    for (int generation = 0; count < 0 || generation < count; ++generation) {
        const size_t length = 1 + (generation * 4099 + writer * 131) % 60000;
        if (!WriteFileAtomically(path, Content(writer, generation, length), error)) _exit(1);
    }
    _exit(0);
}

}  // namespace

TEST(AtomicWrite, TemporaryNamesCollideWithNoSaveAndAreNeverListed) {
    ScratchFolder dir;
    std::string error;
    // A profile whose name is another's plus ".tmp" survives the other's save.
    ASSERT_TRUE(WriteFileAtomically(dir / "prf/A.tmp", "other", error)) << error;
    ASSERT_TRUE(WriteFileAtomically(dir / "prf/A", "mine", error)) << error;
    EXPECT_EQ(ReadFile(dir / "prf/A.tmp"), "other");
    EXPECT_EQ(ReadFile(dir / "prf/A"), "mine");
    EXPECT_EQ(FolderNames(dir / "prf").size(), 2u);

    for (const char* temp : {".A.Zx09ab", ".beach1.wld.000000", ".main.cfg.aBcDeF"}) {
        EXPECT_TRUE(IsTemporaryFileName(temp)) << temp;
        EXPECT_FALSE(IsSafeProfileName(temp)) << temp;
    }
    for (const char* name : {"A", "A.tmp", "beach1.wld", ".A", ".A.abcde", "A.abcdef", ".A.abc-de", "main.cfg"}) {
        EXPECT_FALSE(IsTemporaryFileName(name)) << name;
    }

    // What a crash leaves behind is not a profile, and goes at the next start.
    WriteFile(dir / "prf/.A.Q1w2E3", "half");
    const TF_list listed = ListFiles(dir / "prf/*.*");
    ASSERT_EQ(listed.count, 2);
    EXPECT_EQ(listed.items[0], "A");
    EXPECT_EQ(listed.items[1], "A.tmp");
    RemoveLeftoverTemporaryFiles(dir / "prf");
    EXPECT_EQ(FolderNames(dir / "prf").size(), 2u);
    EXPECT_EQ(ReadFile(dir / "prf/A.tmp"), "other");
}

TEST(AtomicWrite, ATemporaryFileBeingWrittenIsNotTakenForALeftover) {
    ScratchFolder dir;
    const std::string busy = dir / ".A.busy01";
    WriteFile(busy, "half");
    const int fd = ::open(busy.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);  // as a running writer holds it
    RemoveLeftoverTemporaryFiles(dir.path().string());
    EXPECT_TRUE(fs::exists(busy));
    ::close(fd);
    RemoveLeftoverTemporaryFiles(dir.path().string());
    EXPECT_FALSE(fs::exists(busy));
}

TEST(AtomicWrite, AWriterKilledAtAnyMomentLeavesTheOldFileOrTheNew) {
    ScratchFolder dir;
    const std::string path = dir / "prf/Player";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, Content(0, 0, 10), error)) << error;
    std::mt19937 random(13);
    std::set<std::string> seen;
    for (int kill = 0; kill < 200; ++kill) {
        const pid_t child = StartWriter(path, kill + 1, -1);
        ASSERT_GT(child, 0);
        usleep(random() % 3000);
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: a save failed";
        const std::string bytes = ReadFile(path);
        int writer = -1;
        ASSERT_TRUE(IsWhole(bytes, writer)) << "after kill " << kill << ": " << bytes.substr(0, 40);
        seen.insert(bytes.substr(0, bytes.find('\n')));
        RemoveLeftoverTemporaryFiles(dir / "prf");
        ASSERT_EQ(FolderNames(dir / "prf"), std::vector<std::string>{"Player"});
    }
    EXPECT_GT(seen.size(), 1u);  // the writers did get saves through
}

TEST(AtomicWrite, TwoWritersOnOneFileOnlyEverShowWholeFiles) {
    ScratchFolder dir;
    const std::string path = dir / "prf/Player";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, Content(0, 0, 10), error)) << error;
    const pid_t writers[2] = {StartWriter(path, 1, 300), StartWriter(path, 2, 300)};
    std::set<int> seenWriters;
    int reads = 0;
    int statuses[2] = {0, 0};
    bool done[2] = {false, false};
    while (!done[0] || !done[1]) {
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(path, bytes));
        int writer = -1;
        ASSERT_TRUE(IsWhole(bytes, writer)) << "read " << reads << ": " << bytes.substr(0, 40);
        seenWriters.insert(writer);
        ++reads;
        for (int i = 0; i < 2; ++i) {
            if (!done[i]) done[i] = waitpid(writers[i], &statuses[i], WNOHANG) == writers[i];
        }
    }
    for (int status : statuses) EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
    int writer = -1;
    EXPECT_TRUE(IsWhole(ReadFile(path), writer));
    EXPECT_TRUE(writer == 1 || writer == 2);
    EXPECT_EQ(FolderNames(dir / "prf"), std::vector<std::string>{"Player"});
}

TEST_F(FlowTest, StartUpRemovesWhatInterruptedSavesLeft) {
    WriteUserFile("prf/Player", std::string("\x03\r\n120\r\n"));
    for (const char* leftover : {"prf/.Player.a1B2c3", ".main.cfg.zzzzzz", "wld/.beach1.wld.Q9q9Q9"}) {
        WriteUserFile(leftover, "half");
    }
    WriteUserFile("wld/.notes", "the player's own");
    Launch();
    EXPECT_EQ(FolderNames(user / "prf"), std::vector<std::string>{"Player"});
    EXPECT_FALSE(fs::exists(user / ".main.cfg.zzzzzz"));
    EXPECT_EQ(FolderNames(user / "wld"), std::vector<std::string>{".notes"});
    ASSERT_EQ(gamestate, stMenu);
    const Ilist* list = WidgetNamed<Ilist>("lst_pr");
    ASSERT_EQ(list->items.count, 1);
    EXPECT_EQ(list->items.items[0], "Player");
    EXPECT_EQ(progress, 3);
}
