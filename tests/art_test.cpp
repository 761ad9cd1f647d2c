// The generated pictures and font: what the game relies on in the data
// folder (sizes, names, paint layers, the lamp's lantern, captions that fit)
// and that the generator writes the same bytes every run.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/font_file.h"
#include "engine/string_list.h"
#include "support.h"

namespace {

struct Tga {
    int width = 0, height = 0;
    std::vector<uint8_t> bgra;  // top row first
    bool ok = false;
    const uint8_t* At(int x, int y) const { return &bgra[(static_cast<size_t>(y) * width + x) * 4]; }
};

// Reads the generator's uncompressed 32-bit TGA files.
Tga ReadTga(const std::string& path) {
    Tga t;
    const std::string bytes = ReadFile(path);
    if (bytes.size() < 18 || bytes[2] != 2 || static_cast<uint8_t>(bytes[16]) != 32) return t;
    const auto u8 = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    t.width = u8(12) | u8(13) << 8;
    t.height = u8(14) | u8(15) << 8;
    const size_t size = static_cast<size_t>(t.width) * t.height * 4;
    if (bytes.size() < 18 + size) return t;
    t.bgra.assign(bytes.begin() + 18, bytes.begin() + 18 + static_cast<std::ptrdiff_t>(size));
    if (!(u8(17) & 0x20)) {  // bottom-up rows
        std::vector<uint8_t> flipped(size);
        for (int y = 0; y < t.height; ++y) {
            std::copy_n(t.bgra.begin() + static_cast<std::ptrdiff_t>(y) * t.width * 4, t.width * 4,
                        flipped.begin() + static_cast<std::ptrdiff_t>(t.height - 1 - y) * t.width * 4);
        }
        t.bgra = flipped;
    }
    t.ok = true;
    return t;
}

std::string Obj(const std::string& name) { return TestDataFolder() + "/gfx/obj/" + name + ".tga"; }
std::string Share(const std::string& name) { return TestDataFolder() + "/gfx/share/" + name + ".tga"; }

const char* const kVehicles[] = {"jeep", "car", "tank", "turbo"};

TEST(Art, EveryVehicleHasSixteenFramesOfOneSizeWithGreyPaint) {
    for (const char* v : kVehicles) {
        const Tga first = ReadTga(Obj(std::string(v) + "_wh1"));
        ASSERT_TRUE(first.ok) << v;
        EXPECT_GE(first.width, 48) << v;
        for (int n = 1; n <= 16; ++n) {
            for (const char* layer : {"_wh", "_tp"}) {
                const std::string name = v + std::string(layer) + std::to_string(n);
                const Tga t = ReadTga(Obj(name));
                ASSERT_TRUE(t.ok) << name;
                EXPECT_EQ(t.width, first.width) << name;
                EXPECT_EQ(t.height, first.height) << name;
            }
            // The body paint is tinted by the game: it must be grey, and
            // there must be some of it.
            const Tga paint = ReadTga(Obj(v + std::string("_tp") + std::to_string(n)));
            int painted = 0, coloured = 0;
            for (int y = 0; y < paint.height; ++y) {
                for (int x = 0; x < paint.width; ++x) {
                    const uint8_t* p = paint.At(x, y);
                    if (p[3] < 128) continue;
                    ++painted;
                    if (std::abs(p[0] - p[1]) > 2 || std::abs(p[1] - p[2]) > 2) ++coloured;
                }
            }
            EXPECT_GT(painted, 200) << v << n;
            EXPECT_EQ(coloured, 0) << v << n;
        }
    }
}

TEST(Art, ObjectListNamesOnlyObjectsWithSprites) {
    TF_list list;
    ASSERT_TRUE(ReadLines(TestDataFolder() + "/gfx/obj/list.txt", list));
    ASSERT_GT(list.count, 40);
    int landscapes = 0, vehicles = 0;
    bool lamp = false, start = false, water = false;
    for (int i = 0; i < list.count; ++i) {
        const std::string name = list.items[i];
        ASSERT_FALSE(name.empty());
        // Sprites are found by the name followed by the frame digit.
        EXPECT_FALSE(name.back() >= '0' && name.back() <= '9') << name;
        bool vehicle = false;
        for (const char* v : kVehicles) vehicle = vehicle || name == v;
        vehicles += vehicle;
        landscapes += name.rfind("lnd", 0) == 0;
        lamp = lamp || name == "lamp";
        start = start || name == "lnd_start";
        water = water || name == "lnd_water";
        EXPECT_TRUE(std::filesystem::exists(Obj(vehicle ? name + "_wh1" : name + "1"))) << name;
    }
    EXPECT_EQ(vehicles, 4);
    EXPECT_GE(landscapes, 10);
    EXPECT_TRUE(lamp && start && water);
}

TEST(Art, PicturesHaveTheSizesTheScreensUse) {
    const struct {
        std::string path;
        int w, h;
    } fixed[] = {
        {Share("g_cur"), 64, 64}, {Share("g_tit"), 800, 256}, {Share("t0"), 400, 300},     {Share("t1"), 400, 300},
        {Share("t2"), 400, 300},  {Share("t3"), 400, 300},    {Share("help1"), 800, 364},  {Share("help2"), 800, 364},
        {Share("ann"), 160, 65},  {Share("logo2"), 215, 64},  {Share("Ostrel"), 256, 128}, {Share("lock"), 64, 64},
        {Share("color"), 64, 64}, {Share("for"), 128, 128},   {Obj("bn_spd1"), 32, 32},    {Obj("bn_oil1"), 32, 32},
        {Obj("bn_slw1"), 32, 32},
    };
    for (const auto& f : fixed) {
        const Tga t = ReadTga(f.path);
        ASSERT_TRUE(t.ok) << f.path;
        EXPECT_EQ(t.width, f.w) << f.path;
        EXPECT_EQ(t.height, f.h) << f.path;
    }
    for (const char* name : {"g_wnd", "g_but", "g_sh", "g_wh", "g_tr", "g_sr", "g_op", "g_qt", "light", "smoke"}) {
        EXPECT_TRUE(ReadTga(Share(name)).ok) << name;
    }
    // The cursor's tip is at (16, 8): drawn there, clear above and left.
    const Tga cursor = ReadTga(Share("g_cur"));
    EXPECT_GT(cursor.At(16, 9)[3], 128);
    EXPECT_EQ(cursor.At(12, 4)[3], 0);
    // The "light" glow is white and fades out to its edge.
    const Tga light = ReadTga(Share("light"));
    EXPECT_GT(light.At(light.width / 2, light.height / 2)[3], 240);
    EXPECT_EQ(light.At(0, 0)[3], 0);
}

TEST(Art, LanternSitsWhereTheGameDrawsTheLampGlow) {
    // The glow is centred 102 pixels above the lamp's position, which is the
    // bottom centre of its sprite.
    const Tga lamp = ReadTga(Obj("lamp1"));
    ASSERT_TRUE(lamp.ok);
    ASSERT_GT(lamp.height, 110);
    const uint8_t* p = lamp.At(lamp.width / 2, lamp.height - 102);
    EXPECT_EQ(p[3], 255);
    EXPECT_GT(p[2], 200);       // warm, bright
    EXPECT_LE(lamp.width, 32);  // a slim post, not a wide obstacle
}

TEST(Art, PropsAreCroppedToTheirFoot) {
    // Transparent margins would count as collision width; the foot must be
    // the bottom row.
    for (const char* name : {"palm1", "tree1", "fir1", "house1", "cone1", "barrel1", "sball1", "rock1"}) {
        const Tga t = ReadTga(Obj(name));
        ASSERT_TRUE(t.ok) << name;
        int top = -1, bottom = -1, left = t.width, right = -1;
        for (int y = 0; y < t.height; ++y) {
            for (int x = 0; x < t.width; ++x) {
                if (t.At(x, y)[3] > 8) {
                    if (top < 0) top = y;
                    bottom = y;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        EXPECT_EQ(top, 0) << name;
        EXPECT_EQ(bottom, t.height - 1) << name;
        EXPECT_TRUE(left == 0 || right == t.width - 1) << name;
    }
}

TEST(Art, EveryCaptionFitsItsElement) {
    FontMetrics metrics;
    std::string error;
    ASSERT_TRUE(ReadFontMetrics(TestDataFolder() + "/fnt/font.ofi", metrics, error)) << error;
    EXPECT_EQ(metrics.lineHeight, 32);
    const auto width = [&](const std::string& text) {
        int w = 0;
        for (size_t pos = 0; pos < text.size();) {
            const char32_t c = DecodeUtf8(text, pos);
            bool found = false;
            for (const FontGlyph& g : metrics.glyphs) {
                if (g.codepoint == c) {
                    w += g.advance;
                    found = true;
                    break;
                }
            }
            EXPECT_TRUE(found) << "no glyph for U+" << std::hex << static_cast<uint32_t>(c) << " in " << text;
        }
        return w;
    };
    // Buttons, check boxes and edit boxes with their widths; a caption must
    // leave at least two pixels either side.
    const struct {
        const char* caption;
        int width;
    } captions[] = {
        {"Save", 45},
        {"Load", 45},
        {"Undo", 45},
        {"Way", 45},
        {"AI Enable", 80},
        {"Dynamic", 80},
        {"$111111", 130},
        {"Турнир", 160},
        {"Еще игры", 160},
        {"Гонка", 160},
        {"Сказать другу", 160},
        {"Oпции", 160},
        {"Подписаться", 160},
        {"Выход", 160},
        {"Профиль", 180},
        {"Помощь", 120},
        {"Создать профиль", 300},
        {"Загрузить", 300},
        {"Назад в меню", 180},
        {"Принять", 300},
        {"вверх", 64},
        {"вниз", 64},
        {"Вперед", 100},
        {"Назад", 100},
        {"Начать гонку!", 160},
        {"норма", 160},
        {"трудно", 160},
        {"легко", 160},
        {"Полноэкранный", 180},
        {"Оконный", 180},
        {"Включены", 180},
        {"Выключены", 180},
        {"Включена", 180},
        {"Выключена", 180},
        {"Режим экрана", 180},
        {"Звуки окружения", 180},
        {"Музыка в меню", 180},
        {"След. трасса", 180},
        {"Пред. трасса", 180},
        {"Продолжить", 160},
        {"Выйти в меню", 200},
        {"Обзор", 160},
        {"Управление", 160},
        {"Эта трасса закрыта", 400},
        {"Map Editor", 150},
        {"Создать профиль", 400},
        {"Поздравляем!!! Вы победитель!!!", 400},
    };
    for (const auto& c : captions) EXPECT_LE(width(c.caption), c.width - 4) << c.caption;
    // Texts centred on the 400-pixel dialogs and the landscape descriptions
    // under the 400-pixel track picture on an 800-pixel screen.
    for (const char* text : {"Но вы должны приехать", "к следующей трассе!", "Теперь вы перешли"}) {
        EXPECT_LE(width(text), 380) << text;
    }
    for (const char* text : {"Это ваши первые заезды, вы должны быть первым!",
                             "Forestville - прекрасный лес с замечательными цветами и деревьями.",
                             "Ice Land очень холодное место...", "Это последние трассы, кубок почти у вас в руках!"}) {
        EXPECT_LE(width(text), 800) << text;
    }
}

TEST(Art, GeneratorWritesTheSameBytesEveryRun) {
    ScratchFolder a, b;
    for (const ScratchFolder* f : {&a, &b}) {
        const std::string command =
            std::string("ASAN_OPTIONS=detect_leaks=0 '") + KOLVETRA_DATAGEN + "' --out '" + f->path().string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(a.path())) {
        if (!entry.is_regular_file()) continue;
        const auto relative = std::filesystem::relative(entry.path(), a.path());
        ASSERT_TRUE(std::filesystem::exists(b.path() / relative)) << relative;
        EXPECT_EQ(ReadFile(entry.path().string()), ReadFile((b.path() / relative).string())) << relative;
        ++files;
    }
    EXPECT_GT(files, 200);
}

}  // namespace
