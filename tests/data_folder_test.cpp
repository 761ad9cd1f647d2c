#include <gtest/gtest.h>

#include <filesystem>

#include "build_info.h"
#include "engine/paths.h"
#include "support.h"

namespace fs = std::filesystem;

// A build keeps data/ beside the program, an install share/kolvetra/ next
// to bin/; the first that exists wins, and --data alone is taken as given.
TEST(DataFolder, TriedInOrderFromTheProgramsFolder) {
    ScratchFolder scratch;
    const std::string bin = scratch / "prefix/bin/";
    const std::vector<std::string> places = DataFolderCandidates("", bin);
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[0], scratch / "prefix/bin/data/");
    EXPECT_EQ(places[1], scratch / "prefix/share/kolvetra/");
    EXPECT_EQ(places[2], std::string(KOLVETRA_INSTALLED_DATA) + "/");

    fs::create_directories(scratch / "prefix/bin");
    fs::create_directories(scratch / "prefix/share/kolvetra");
    EXPECT_EQ(FirstExistingFolder(places), places[1]);
    fs::create_directories(scratch / "prefix/bin/data");
    EXPECT_EQ(FirstExistingFolder(places), places[0]);

    EXPECT_EQ(DataFolderCandidates(scratch / "mine", bin), std::vector<std::string>{scratch / "mine/"});
    EXPECT_EQ(FirstExistingFolder({scratch / "none/", scratch / "prefix/bin/data/nor/"}), "");
}
