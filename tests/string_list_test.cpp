// The string list: rotation, folder listings and text-file lines.
#include "engine/string_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support.h"

namespace {

std::vector<std::string> Items(const TF_list& list) { return {list.items.begin(), list.items.begin() + list.count}; }

TF_list ListOf(std::initializer_list<const char*> items) {
    TF_list list;
    for (const char* item : items) AddItem(list, item);
    return list;
}

}  // namespace

TEST(StringList, RotatesOneStepEitherWay) {
    TF_list list = ListOf({"a", "b", "c"});
    RotateList(list, 1);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"c", "a", "b"}));
    RotateList(list, -1);
    RotateList(list, -1);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"b", "c", "a"}));

    RotateList(list, 2);  // only +1 and -1 turn the list
    RotateList(list, 0);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"b", "c", "a"}));

    TF_list one = ListOf({"x"});
    RotateList(one, 1);
    RotateList(one, -1);
    EXPECT_EQ(Items(one), (std::vector<std::string>{"x"}));
    EXPECT_TRUE(one.items[1].empty());
}

TEST(StringList, StopsAtItsCapacityAndClearsEverySlot) {
    TF_list list;
    for (int i = 0; i < kListCapacity + 5; ++i) AddItem(list, std::to_string(i));
    EXPECT_EQ(list.count, 1025);
    EXPECT_EQ(list.items[1024], "1024");
    ClearList(list);
    EXPECT_EQ(list.count, 0);
    for (const std::string& item : list.items) ASSERT_TRUE(item.empty());
}

TEST(StringList, StripExtensionKeepsEarlierDots) {
    EXPECT_EQ(StripExtension("car.tga"), "car");
    EXPECT_EQ(StripExtension("a.b.tga"), "a.b");
    EXPECT_EQ(StripExtension("car"), "car");
    EXPECT_EQ(StripExtension("dir.v2/car"), "dir.v2/car");  // a dot in a folder name is no extension
    EXPECT_EQ(StripExtension("c:name"), "c:name");
}

TEST(ListFiles, MissingOrUnmatchedFolderGivesOneEmptyName) {
    ScratchFolder dir;
    std::filesystem::create_directory(dir.path() / "empty");
    for (const std::string& mask : {dir / "missing/*.tga", dir / "empty/*.tga", dir / "missing/*.*"}) {
        const TF_list list = ListFiles(mask);
        EXPECT_EQ(list.count, 1) << mask;
        EXPECT_EQ(list.items[0], "") << mask;
    }
}

TEST(ListFiles, ExistingFolderWithoutFilesGivesNoNames) {
    ScratchFolder dir;
    std::filesystem::create_directory(dir.path() / "empty");
    EXPECT_EQ(ListFiles(dir / "empty/*.*").count, 0);  // "." matches, and is never listed

    std::filesystem::create_directories(dir.path() / "subs/one");
    std::filesystem::create_directories(dir.path() / "subs/two.tga");
    EXPECT_EQ(ListFiles(dir / "subs/*.*").count, 0);
    EXPECT_EQ(ListFiles(dir / "subs/*.tga").count, 0);  // a folder is never listed, whatever its name
}

TEST(ListFiles, MatchesAnyLetterCaseAndSortsTheSameWay) {
    ScratchFolder dir;
    for (const char* name : {"b.TGA", "A.tga", "c.Tga", "d.jpg", "e.tga.bak", "*x.tga"}) WriteFile(dir / name, "x");
    std::filesystem::create_directory(dir.path() / "folder.tga");
    EXPECT_EQ(Items(ListFiles(dir / "*.tga")), (std::vector<std::string>{"*x.tga", "A.tga", "b.TGA", "c.Tga"}));
    EXPECT_EQ(Items(ListFiles(dir / "*.*")),
              (std::vector<std::string>{"*x.tga", "A.tga", "b.TGA", "c.Tga", "d.jpg", "e.tga.bak"}));
    EXPECT_EQ(Items(ListFiles(dir / "?.jpg")), (std::vector<std::string>{"d.jpg"}));
}

TEST(ReadLines, KeepsEmptyLinesWithEitherLineEnd) {
    ScratchFolder dir;
    TF_list lines;
    WriteFile(dir / "crlf.txt", "tree\r\n\r\nrock\r\n");
    ASSERT_TRUE(ReadLines(dir / "crlf.txt", lines));
    EXPECT_EQ(Items(lines), (std::vector<std::string>{"tree", "", "rock"}));

    WriteFile(dir / "lf.txt", "tree\n\nrock");
    ASSERT_TRUE(ReadLines(dir / "lf.txt", lines));
    EXPECT_EQ(Items(lines), (std::vector<std::string>{"tree", "", "rock"}));
}

TEST(ReadLines, ReportsAFileItCannotRead) {
    ScratchFolder dir;
    TF_list lines = ListOf({"stale"});
    EXPECT_FALSE(ReadLines(dir / "missing.txt", lines));
    EXPECT_EQ(lines.count, 0);
    EXPECT_FALSE(ReadLines(dir.path().string(), lines));  // a folder is no text file
    EXPECT_EQ(lines.count, 0);
}
