#include "gui/notice.h"

#include <string>

#include "engine/language.h"
#include "gui/element.h"

namespace {

int ticksLeft = 0;

std::string Translated(std::string_view line) {
    const std::string_view folder = kFolderText;
    if (line.substr(0, folder.size()) == folder) return Tr(kFolderText) + std::string(line.substr(folder.size()));
    const std::string text(line);
    return Tr(text.c_str());
}

}  // namespace

void ShowNotice(std::string_view line, std::string_view second) {
    if (Elements.count() == 0) return;
    ElementNamed("lb_note").caption = Translated(line);
    ElementNamed("lb_note2").caption = Translated(second);
    ElementNamed("wnd_note").visible = true;
    ticksLeft = kNoticeTicks;
}

void NoticeTick() {
    if (ticksLeft == 0 || --ticksLeft > 0 || Elements.count() == 0) return;
    ElementNamed("wnd_note").visible = false;
}
