// The widgets: how each answers the mouse and the keyboard, and what it shows.
#include <vector>

#include "gui_support.h"

namespace {

int calls = 0;
bool checkedSeen = false;
void Count() { ++calls; }

class GuiWidgets : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        calls = 0;
        Add<Iwindow>("wnd", 0, 0, 800, 600);
    }
    void LoadGameFont() {
        const std::string folder = TestDataFolder() + "/fnt/";
        GuiFont = Text_LoadFontFromFile(folder + "font.tga", folder + "font.ofi", -1, 266);
        ASSERT_NE(GuiFont, nullptr);
        ASSERT_GT(CaptionWidth("W"), 0);
    }
    void KeyPress(int vk) {
        Host_KeyEvent(vk, true);
        Frame();
        Host_KeyEvent(vk, false);
    }
    std::vector<uint32_t> Grab(int x, int y, int w, int h) {
        std::vector<uint32_t> pixels;
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) pixels.push_back(Host_ReadPixel(i, j));
        }
        return pixels;
    }
};

TEST_F(GuiWidgets, ButtonShowsItsHoverFaceOneFrameLateAndSoundsOncePerEntry) {
    ButtonTexture = Solid(8, 8, 0x00FF00);
    Add<Ibutton>("btn", 100, 100, 100, 50);
    Frame();
    EXPECT_EQ(Host_ReadPixel(101, 101), 0x00FF00u);

    MoveTo(150, 125);
    Frame();  // the mouse has just entered: still the full face
    EXPECT_EQ(Host_ReadPixel(101, 101), 0x00FF00u);
    EXPECT_EQ(Played(hoverSound), 1);
    EXPECT_EQ(LastPlayed().pan, 150 - 400);
    Frame();
    EXPECT_EQ(Host_ReadPixel(103, 103), 0x000000u);  // 4 pixels smaller on every side
    EXPECT_EQ(Host_ReadPixel(104, 104), 0x00FF00u);
    EXPECT_EQ(Host_ReadPixel(195, 145), 0x00FF00u);
    EXPECT_EQ(Host_ReadPixel(196, 146), 0x000000u);
    MoveTo(160, 130);
    Frame();
    EXPECT_EQ(Played(hoverSound), 1);  // still inside: no new sound

    MoveTo(300, 300);
    Frame();  // left: the small face shows one frame more
    EXPECT_EQ(Host_ReadPixel(101, 101), 0x000000u);
    Frame();
    EXPECT_EQ(Host_ReadPixel(101, 101), 0x00FF00u);
    MoveTo(700, 125);
    Frame();
    EXPECT_EQ(Played(hoverSound), 1);

    MoveTo(190, 140);
    Frame();
    EXPECT_EQ(Played(hoverSound), 2);
    EXPECT_EQ(LastPlayed().pan, 190 - 400);
}

TEST_F(GuiWidgets, ButtonClickSoundsFollowTheMouseAndCallTheHandler) {
    Ibutton& button = Add<Ibutton>("btn", 600, 100, 100, 50);
    button.onClick = Count;
    Click(650, 125);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(button.focused);
    ASSERT_EQ(Played(click), 1);
    EXPECT_EQ(LastPlayed().sound, click);
    EXPECT_EQ(LastPlayed().pan, 250);
    EXPECT_EQ(LastPlayed().volume, 0);
    EXPECT_FALSE(LastPlayed().loop);

    Frame();  // held, no new press
    EXPECT_EQ(calls, 1);
    button.onClick = nullptr;
    Click(650, 125);  // no handler: still the sound
    EXPECT_EQ(Played(click), 2);
}

TEST_F(GuiWidgets, OnlyAClickableImageAnswersTheMouse) {
    Iimage& picture = Add<Iimage>("img_plain", 100, 100, 100, 100);
    picture.onClick = Count;
    Iimage& logo = Add<Iimage>("img_logo", 300, 100, 100, 100);
    logo.clickable = true;
    logo.onClick = Count;

    Click(150, 150);
    Frame();
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(picture.hover);
    EXPECT_TRUE(Host_SoundLog().empty());

    Click(350, 150);
    Frame();
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(logo.hover);
    EXPECT_EQ(Played(hoverSound), 1);
    EXPECT_EQ(Played(click), 1);
    EXPECT_EQ(LastPlayed().pan, 0);
}

TEST_F(GuiWidgets, TintedImageShowsItsPlainPictureUnderTheMouse) {
    Iimage& image = Add<Iimage>("img", 100, 100, 64, 64);
    image.texture = Solid(4, 4, 0xFFFFFF);
    image.tinted = true;
    image.tint = 0x0000FF;
    Frame();
    EXPECT_EQ(Host_ReadPixel(130, 130), 0x0000FFu);
    image.clickable = true;
    MoveTo(130, 130);
    Frame();
    EXPECT_EQ(Host_ReadPixel(130, 130), 0xFFFFFFu);
}

TEST_F(GuiWidgets, LabelSoundsAtTheCentreAndCallsItsHandler) {
    Ilabel& label = Add<Ilabel>("txt_lock", 500, 100, 200, 100, "closed");
    label.onClick = Count;
    MoveTo(690, 150);
    Frame();
    Frame();
    EXPECT_EQ(Played(hoverSound), 1);
    EXPECT_EQ(LastPlayed().pan, 0);
    Click(690, 150);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(label.focused);
    EXPECT_EQ(LastPlayed().sound, click);
    EXPECT_EQ(LastPlayed().pan, 0);
}

void RecordChecked() {
    ++calls;
    checkedSeen = ElementNamed("chk").checked;
}

TEST_F(GuiWidgets, CheckBoxTogglesBeforeItsHandlerAndIsSilent) {
    Icheckbox& box = Add<Icheckbox>("chk", 100, 100, 180, 40);
    box.onClick = RecordChecked;
    Click(150, 120);
    EXPECT_TRUE(box.checked);
    EXPECT_TRUE(checkedSeen);
    Click(150, 120);
    EXPECT_FALSE(box.checked);
    EXPECT_FALSE(checkedSeen);
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(box.focused);
    EXPECT_TRUE(Host_SoundLog().empty());
}

TEST_F(GuiWidgets, CheckBoxCaptionIsTheTextColourHalved) {
    LoadGameFont();
    Add<Icheckbox>("chk", 100, 100, 180, 40, "WWWW");
    Frame();
    bool found = false;
    for (int y = 103; y < 135 && !found; ++y) {
        for (int x = 100; x < 280 && !found; ++x) found = Host_ReadPixel(x, y) == 0x7FFFFFu;
    }
    EXPECT_TRUE(found);
}

TEST_F(GuiWidgets, EditTakesTypedTextOnlyWhileFocusedAndNarrowerThanTheBox) {
    LoadGameFont();
    Iedit& edit = Add<Iedit>("edt", 100, 100, 100, 40, "ABCDEFGHIJ");
    edit.width = CaptionWidth("ABCDEFGHIJ");  // exactly as wide as its text

    Host_TypeText("x");
    Frame();
    EXPECT_EQ(edit.caption, "ABCDEFGHIJ");  // not focused

    Click(110, 120);
    ASSERT_TRUE(edit.focused);
    Frame();
    Host_TypeText("K");
    Frame();
    EXPECT_EQ(edit.caption, "ABCDEFGHIJ");  // as wide as the box: typing is dropped

    KeyPress(VK_BACK);
    EXPECT_EQ(edit.caption, "ABCDEFGHI");
    Host_TypeText("KLM");
    Frame();
    // Typed at once as if key by key: the box is full after the K.
    EXPECT_EQ(edit.caption, "ABCDEFGHIK");
    Host_TypeText("N");
    Frame();
    EXPECT_EQ(edit.caption, "ABCDEFGHIK");
}

TEST_F(GuiWidgets, BackspaceRemovesWholeCharacters) {
    Iedit& edit = Add<Iedit>("edt", 100, 100, 300, 40, "Ёжик");
    Click(150, 120);
    KeyPress(VK_BACK);
    EXPECT_EQ(edit.caption, "Ёжи");
    Host_TypeText("я");
    Frame();
    EXPECT_EQ(edit.caption, "Ёжия");
    for (int i = 0; i < 6; ++i) KeyPress(VK_BACK);
    EXPECT_EQ(edit.caption, "");
    Host_TypeText("a€");
    Frame();
    KeyPress(VK_BACK);
    EXPECT_EQ(edit.caption, "a");
}

TEST_F(GuiWidgets, PressOutsideTheEditDropsItsFocusAndUntakenText) {
    Iedit& edit = Add<Iedit>("edt", 100, 100, 300, 40, "Player");
    Click(150, 120);
    Frame();
    Host_TypeText("One");
    Frame();
    EXPECT_EQ(edit.caption, "PlayerOne");

    Host_TypeText("Two");
    Click(500, 500);  // before the box has taken it
    EXPECT_FALSE(edit.focused);
    Click(150, 120);
    Frame();
    EXPECT_EQ(edit.caption, "PlayerOne");

    Host_KeyEvent(VK_BACK, true);  // Backspace does nothing once the focus is gone
    Click(500, 500);
    Host_KeyEvent(VK_BACK, false);
    EXPECT_EQ(edit.caption, "PlayerOne");
}

TEST_F(GuiWidgets, ListShowsTheItemBeforeTheChoiceOnTopAndTheChoiceUnderTheBar) {
    LoadGameFont();
    Ilist& list = Add<Ilist>("lst", 100, 100, 130, 128);
    list.noScrollButtons = true;
    list.noSelectionBar = true;
    for (const char* item : {"a", "b", "c", "d"}) AddItem(list.items, item);
    Frame();
    const std::vector<uint32_t> shown = Grab(101, 101, 128, 126);

    Host_BeginTestFrame();
    DrawCaption(110, 104, "d", TextColor);
    DrawCaption(110, 144, "a", TextColor);
    DrawCaption(110, 184, "b", TextColor);  // "c" has no room in 128 pixels
    EXPECT_EQ(shown, Grab(101, 101, 128, 126));

    EXPECT_EQ(ListRowItem(list, 3), -1);
    list.height = 300;
    EXPECT_EQ(ListRowItem(list, 3), 2);
    ClearList(list.items);
    for (int i = 0; i < 20; ++i) AddItem(list.items, "x");
    EXPECT_EQ(ListRowItem(list, 0), 19);
    EXPECT_EQ(ListRowItem(list, 6), 5);
    EXPECT_EQ(ListRowItem(list, 7), -1);  // 7 rows in 300 pixels
    ClearList(list.items);
    EXPECT_EQ(ListRowItem(list, 0), -1);
}

TEST_F(GuiWidgets, ListBarMarksTheRowOfTheChoice) {
    Ilist& list = Add<Ilist>("lst", 100, 100, 130, 128);
    list.noScrollButtons = true;
    AddItem(list.items, "only");
    Frame();
    const uint32_t bar = Host_ReadPixel(200, 120);
    EXPECT_NE(bar, 0u);
    EXPECT_EQ(Host_ReadPixel(200, 160), 0u);
    AddItem(list.items, "two");
    Frame();
    EXPECT_EQ(Host_ReadPixel(200, 120), 0u);
    EXPECT_EQ(Host_ReadPixel(200, 160), bar);
}

TEST_F(GuiWidgets, ListScrollSquaresTurnTheRingOneStepPerFrameHeld) {
    Ilist& list = Add<Ilist>("lst", 100, 100, 130, 128);
    for (const char* item : {"a", "b", "c"}) AddItem(list.items, item);
    const auto order = [&] { return list.items.items[0] + list.items.items[1] + list.items.items[2]; };

    const double before = U_GetTime();
    Press(220, 110);  // the up square at the top right
    EXPECT_EQ(order(), "cab");
    EXPECT_EQ(U_GetTime() - before, 50.0);  // each step pauses the game 50 ms
    Frame();
    EXPECT_EQ(order(), "bca");
    Release();
    Frame();
    EXPECT_EQ(order(), "bca");

    Click(220, 220);  // the down square at the bottom right
    EXPECT_EQ(order(), "cab");
    Click(220, 210);
    EXPECT_EQ(order(), "abc");
    Click(210, 150);  // elsewhere in the list: nothing
    EXPECT_EQ(order(), "abc");
    EXPECT_FALSE(list.focused);

    list.noScrollButtons = true;
    Click(220, 110);
    EXPECT_EQ(order(), "abc");
}

TEST_F(GuiWidgets, TextOfNoSizeIsCentredOnItsPosition) {
    LoadGameFont();
    Add<Itext>("lb", 400, 300, 0, 0, "WW");
    Frame();
    const int w = CaptionWidth("WW");
    const std::vector<uint32_t> shown = Grab(400 - w, 280, 2 * w, 40);
    Host_BeginTestFrame();
    DrawShadowedCaption(400 - w / 2, 284, "WW", 0x222200, 0xFFFFFF);
    EXPECT_EQ(shown, Grab(400 - w, 280, 2 * w, 40));
}

}  // namespace
