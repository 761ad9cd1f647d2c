// The GUI element model: lookup by name, hit tests, the pass over windows and
// their elements, focus and clicks.
#include "gui_support.h"

namespace {

int calls = 0;
std::string trace;
void Count() { ++calls; }
void TraceA() { trace += 'a'; }
void TraceB() { trace += 'b'; }

class GuiElements : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        calls = 0;
        trace.clear();
    }
};

TEST_F(GuiElements, FindElementAnswersTheLastOfANameAndZeroForNone) {
    Add<Iwindow>("wnd", 0, 0, 800, 600);
    Add<Ibutton>("btn", 10, 10, 50, 50);
    Add<Ibutton>("other", 10, 10, 50, 50);
    Add<Ibutton>("btn", 10, 10, 50, 50);
    EXPECT_EQ(FindElement("btn"), 3);
    EXPECT_EQ(FindElement("other"), 2);
    EXPECT_EQ(FindElement("wnd"), 0);
    EXPECT_EQ(FindElement("nothing"), 0);
    EXPECT_EQ(FindElement("BTN"), 0);                     // names are case-sensitive
    EXPECT_EQ(WidgetNamed<Ibutton>("nothing"), nullptr);  // the fallback is the window
    EXPECT_EQ(WidgetNamed<Ibutton>("btn"), &Elements[3]);

    ClearElements();
    Add<Ibutton>("btn", 0, 0, 1, 1);
    EXPECT_EQ(FindElement("btn"), 0);  // a cleared list forgets the old names
    EXPECT_EQ(Elements[0].parent, 0);  // made before any window: belongs to element 0
}

TEST_F(GuiElements, MouseInRectExcludesEveryBorder) {
    const auto inside = [](int mx, int my) {
        Host_MouseMove(mx, my);
        return MouseInRect(10, 20, 30, 40);
    };
    EXPECT_TRUE(inside(11, 21));
    EXPECT_TRUE(inside(39, 59));
    EXPECT_FALSE(inside(10, 30));  // left border
    EXPECT_FALSE(inside(40, 30));  // right border, x + width
    EXPECT_FALSE(inside(20, 20));  // top border
    EXPECT_FALSE(inside(20, 60));  // bottom border, y + height
}

TEST_F(GuiElements, ChildrenArePlacedAndHitRelativeToTheirWindow) {
    Add<Iwindow>("wnd", 200, 100, 400, 300);
    Ibutton& button = Add<Ibutton>("btn", 50, 60, 100, 40);
    button.onClick = Count;
    Click(250, 160);  // the child's top-left corner on screen: its border
    EXPECT_EQ(calls, 0);
    Click(251, 161);
    EXPECT_EQ(calls, 1);
    Click(60, 70);  // where it would be without its window
    EXPECT_EQ(calls, 1);
}

TEST_F(GuiElements, HiddenWindowSilencesItsElementsAndKeepsTheirFocus) {
    Iwindow& window = Add<Iwindow>("wnd", 0, 0, 800, 600);
    Ibutton& button = Add<Ibutton>("btn", 100, 100, 100, 50);
    button.onClick = Count;
    Click(150, 125);
    ASSERT_TRUE(button.focused);
    ASSERT_EQ(calls, 1);
    const long hovers = Played(hoverSound);

    window.visible = false;
    Click(150, 125);  // a click on the hidden button
    Click(500, 500);  // and a press outside it
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(button.focused);
    EXPECT_TRUE(button.visible);  // its own flag is untouched
    EXPECT_EQ(Played(hoverSound), hovers);

    window.visible = true;
    Click(500, 500);
    EXPECT_FALSE(button.focused);
}

TEST_F(GuiElements, HiddenElementTakesNoPart) {
    Add<Iwindow>("wnd", 0, 0, 800, 600);
    Ibutton& button = Add<Ibutton>("btn", 100, 100, 100, 50, "", false);
    button.onClick = Count;
    Click(150, 125);
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(button.focused);
}

// A handler that shows another window: that window's elements later in the
// list see the same click in the same pass.
void ShowSecond() {
    trace += 'a';
    ElementNamed("wnd_b").visible = true;
}

TEST_F(GuiElements, ClickIsSeenByEveryElementUnderTheMouse) {
    Add<Iwindow>("wnd_a", 0, 0, 800, 600);
    Add<Ibutton>("under", 100, 100, 100, 50).onClick = ShowSecond;
    Add<Ibutton>("over", 120, 110, 100, 50).onClick = TraceB;
    Add<Iwindow>("wnd_b", 0, 0, 800, 600, "", false);
    Add<Ibutton>("shown", 100, 100, 100, 50).onClick = TraceB;

    Click(150, 125);
    EXPECT_EQ(trace, "abb");  // both overlapping buttons, then the one just shown
    EXPECT_TRUE(ElementNamed("shown").focused);
}

void ShowFirst() {
    trace += 'b';
    ElementNamed("wnd_a").visible = true;
}

TEST_F(GuiElements, WindowShownByALaterElementJoinsFromTheNextPass) {
    Add<Iwindow>("wnd_a", 0, 0, 800, 600, "", false);
    Add<Ibutton>("early", 100, 100, 100, 50).onClick = TraceA;
    Add<Iwindow>("wnd_b", 0, 0, 800, 600);
    Add<Ibutton>("late", 100, 100, 100, 50).onClick = ShowFirst;
    Click(150, 125);
    EXPECT_EQ(trace, "b");
    Click(150, 125);
    EXPECT_EQ(trace, "bab");
}

TEST_F(GuiElements, WindowDragsByItsTitleStripUnlessFixed) {
    Iwindow& window = Add<Iwindow>("wnd", 100, 100, 200, 200);
    Press(150, 110);
    EXPECT_TRUE(window.dragging);
    window.fixed = true;
    MoveTo(300, 300);
    Frame();
    EXPECT_EQ(window.x, 100);
    EXPECT_EQ(window.y, 100);

    window.fixed = false;
    Frame();  // the drag that began still holds
    EXPECT_EQ(window.x, 250);
    EXPECT_EQ(window.y, 290);
    Release();
    MoveTo(400, 400);
    Frame();
    EXPECT_FALSE(window.dragging);
    EXPECT_EQ(window.x, 250);
}

}  // namespace
