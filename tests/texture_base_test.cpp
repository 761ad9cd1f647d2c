// Texture bases: loading order, first match and the fallback to entry 0.
#include "media/texture_base.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include "engine/host.h"
#include "support.h"

namespace {

class TextureBaseTest : public ::testing::Test {
  protected:
    void SetUp() override { Host_OpenHeadless(); }
    void TearDown() override { Host_Shutdown(); }

    // A JPG of one colour, written through a TGA.
    void WriteSolidJpg(const std::string& path, uint32_t colour) {
        const std::string tga = path + ".src.tga";
        WriteSolidTga(tga, 4, 4, colour);
        SDL_Surface* surface = IMG_Load(tga.c_str());
        ASSERT_NE(surface, nullptr);
        ASSERT_EQ(IMG_SaveJPG(surface, path.c_str(), 95), 0);
        SDL_FreeSurface(surface);
        std::filesystem::remove(tga);
    }

    std::string Name(const TBase& base, OE_Texture* handle) {
        for (int i = 0; i < base.count; ++i) {
            if (base.items[i].handle == handle) return base.items[i].name;
        }
        return "?";
    }

    ScratchFolder dir;
    TBase base;
};

}  // namespace

TEST_F(TextureBaseTest, TgaBeforeJpgAndFirstMatchWins) {
    WriteSolidJpg(dir / "car.jpg", 0x0000FF);
    WriteSolidJpg(dir / "sky.jpg", 0xFF0000);
    WriteSolidTga(dir / "car.tga", 2, 2, 0x00FF00);
    WriteSolidTga(dir / "a.b.tga", 2, 2, 0x00FF00);
    LoadTextureFolder(base, dir.path().string() + "/");

    ASSERT_EQ(base.count, 4);
    const char* order[] = {"a.b", "car", "car", "sky"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(base.items[i].name, order[i]);
    EXPECT_EQ(FindTexture(base, "car"), base.items[1].handle);
    EXPECT_EQ(FindTexture(base, "car")->width, 2);  // the TGA one
    EXPECT_EQ(FindTexture(base, "sky"), base.items[3].handle);
    EXPECT_EQ(FindTexture(base, "a.b"), base.items[0].handle);
}

TEST_F(TextureBaseTest, MissesFallBackToTheFirstTexture) {
    EXPECT_EQ(FindTexture(base, "car"), nullptr);  // an empty base has only the empty handle

    LoadTextureFolder(base, dir / "missing/");
    EXPECT_EQ(base.count, 0);

    WriteSolidTga(dir / "wall.tga", 2, 2, 0x00FF00);
    WriteSolidTga(dir / "Car.tga", 2, 2, 0x00FF00);
    LoadTextureFolder(base, dir.path().string() + "/");
    ASSERT_EQ(base.count, 2);
    EXPECT_EQ(Name(base, FindTexture(base, "car")), "Car");  // letter case counts: entry 0
    EXPECT_EQ(Name(base, FindTexture(base, "tree")), "Car");
    EXPECT_EQ(Name(base, FindTexture(base, "wall")), "wall");
}

TEST_F(TextureBaseTest, UnloadablePicturesCountAsMissing) {
    WriteSolidTga(dir / "wall.tga", 2, 2, 0x00FF00);
    LoadTexture(base, dir / "wall.tga");
    WriteFile(dir / "broken.tga", "not a picture");
    LoadTexture(base, dir / "broken.tga");
    // A header claiming 23171 x 23171 pixels of 32 bits, then 4 bytes.
    std::string huge(18, '\0');
    huge[2] = 2;
    huge[12] = huge[14] = static_cast<char>(23171 & 0xFF);
    huge[13] = huge[15] = static_cast<char>(23171 >> 8);
    huge[16] = 32;
    WriteFile(dir / "huge.tga", huge + "abcd");
    LoadTexture(base, dir / "huge.tga");
    ASSERT_EQ(base.count, 1);
    EXPECT_EQ(Name(base, FindTexture(base, "broken")), "wall");
    EXPECT_EQ(Name(base, FindTexture(base, "huge")), "wall");
}
