// Picture headers are checked before decoding: a small file claiming a huge
// picture is refused at once, and every picture of the game still loads.
#include "engine/picture_file.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include "engine/host.h"
#include "support.h"

namespace {

std::string TgaHeader(int w, int h, int bits, uint8_t type = 2) {
    std::string header(18, '\0');
    header[2] = static_cast<char>(type);
    header[12] = static_cast<char>(w & 0xFF);
    header[13] = static_cast<char>(w >> 8);
    header[14] = static_cast<char>(h & 0xFF);
    header[15] = static_cast<char>(h >> 8);
    header[16] = static_cast<char>(bits);
    return header;
}

std::string Encoded(const std::string& folder, bool png) {
    const std::string tga = folder + "/src.tga";
    const std::string out = folder + (png ? "/out.png" : "/out.jpg");
    WriteSolidTga(tga, 8, 6, 0x336699);
    SDL_Surface* surface = IMG_Load(tga.c_str());
    EXPECT_NE(surface, nullptr);
    EXPECT_EQ(png ? IMG_SavePNG(surface, out.c_str()) : IMG_SaveJPG(surface, out.c_str(), 90), 0);
    SDL_FreeSurface(surface);
    return ReadFile(out);
}

class PictureFileTest : public ::testing::Test {
  protected:
    void SetUp() override { Host_OpenHeadless(); }
    void TearDown() override { Host_Shutdown(); }

    // Refused by the header check, by the loader without decoding, and when
    // only its size is read.
    void ExpectRefused(const std::string& bytes, const std::string& name) {
        PictureSize size;
        std::string error;
        EXPECT_FALSE(CheckPictureHeader(bytes, name, size, error)) << name;
        EXPECT_FALSE(error.empty());
        WriteFile(dir / name, bytes);
        EXPECT_EQ(LoadPicture(dir / name, error), nullptr) << name;
        std::string sizeError;
        EXPECT_FALSE(ReadPictureSize(dir / name, size, sizeError)) << name;
        EXPECT_EQ(sizeError, error) << name;
    }

    ScratchFolder dir;
};

}  // namespace

TEST_F(PictureFileTest, HugeClaimsAreRefusedBeforeDecoding) {
    ExpectRefused(TgaHeader(23171, 23171, 32) + "abcd", "crash.tga");  // 22 bytes
    ExpectRefused(TgaHeader(20000, 20000, 32, 10) + std::string(1000, '\x7F'), "slow.tga");
    ExpectRefused(TgaHeader(0, 16, 32), "empty.tga");
    ExpectRefused(TgaHeader(64, 64, 32) + std::string(100, 'x'), "short.tga");
    ExpectRefused(TgaHeader(64, 64, 32, 10) + "xy", "short_rle.tga");

    std::string png = Encoded(dir.path().string(), true);
    png[16] = png[17] = '\x7F';  // width in the IHDR chunk
    ExpectRefused(png, "wide.png");
    std::string jpg = Encoded(dir.path().string(), false);
    const size_t frame = jpg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    jpg[frame + 5] = jpg[frame + 6] = '\x7F';  // height in the frame header
    ExpectRefused(jpg, "tall.jpg");
    ExpectRefused("BM" + std::string(60, '\0'), "bitmap.jpg");  // decodable, but not a format of the game
}

TEST_F(PictureFileTest, EveryFormatOfTheGameStillLoads) {
    std::string error;
    for (const bool png : {true, false}) {
        const std::string name = png ? "a.png" : "a.jpg";
        WriteFile(dir / name, Encoded(dir.path().string(), png));
        SDL_Surface* surface = LoadPicture(dir / name, error);
        ASSERT_NE(surface, nullptr) << error;
        EXPECT_EQ(surface->w, 8);
        EXPECT_EQ(surface->h, 6);
        SDL_FreeSurface(surface);
    }
    // A JPEG whose frame header comes after 20 KB of a comment.
    const std::string jpg = Encoded(dir.path().string(), false);
    const std::string comment = "\xFF\xFE" + std::string("\x4E\x22", 2) + std::string(0x4E20, 'c');
    WriteFile(dir / "noted.jpg", jpg.substr(0, 2) + comment + jpg.substr(2));
    PictureSize noted;
    ASSERT_TRUE(ReadPictureSize(dir / "noted.jpg", noted, error)) << error;
    EXPECT_EQ(noted.width, 8);
    EXPECT_EQ(noted.height, 6);
    // What the game ships: the header check agrees with the decoder.
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(TestDataFolder())) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".tga" && ext != ".jpg") continue;
        const std::string bytes = ReadFile(entry.path().string());
        PictureSize size;
        ASSERT_TRUE(CheckPictureHeader(bytes, entry.path().string(), size, error)) << entry.path() << ": " << error;
        SDL_Surface* surface = DecodePicture(bytes, entry.path().string(), error);
        ASSERT_NE(surface, nullptr) << entry.path() << ": " << error;
        EXPECT_EQ(surface->w, size.width);
        EXPECT_EQ(surface->h, size.height);
        PictureSize read;
        ASSERT_TRUE(ReadPictureSize(entry.path().string(), read, error)) << entry.path() << ": " << error;
        EXPECT_EQ(read.width, size.width);
        EXPECT_EQ(read.height, size.height);
        SDL_FreeSurface(surface);
        ++checked;
    }
    EXPECT_GT(checked, 50);
}
