#include "gui/notice.h"

#include "gui/element.h"

namespace {

int ticksLeft = 0;

}  // namespace

void ShowNotice(std::string_view line, std::string_view second) {
    if (Elements.count() == 0) return;
    ElementNamed("lb_note").caption = line;
    ElementNamed("lb_note2").caption = second;
    ElementNamed("wnd_note").visible = true;
    ticksLeft = kNoticeTicks;
}

void NoticeTick() {
    if (ticksLeft == 0 || --ticksLeft > 0 || Elements.count() == 0) return;
    ElementNamed("wnd_note").visible = false;
}
