#include "game/race_times.h"

#include <ctime>

#include "engine/language.h"
#include "engine/omega.h"
#include "game/lap_times.h"
#include "game/settings.h"
#include "gui/element.h"
#include "media/texture_base.h"
#include "world/race.h"

namespace {

// `label` and the time of `ticks`, into `out` (its buffer reused).
void TimeLine(std::string& out, const char* label, int ticks) {
    static std::string time;
    RaceTimeText(time, ticks);
    out.assign(Tr(label));
    out += time;
}

void HudLine(const std::string& text, int y) {
    Text_Draw(font, 130, y + 2, text, 1.0f, 0, 255, 0x022000);
    Text_Draw(font, 128, y, text, 1.0f, 0, 255, 0xFFFFFF);
}

void RecordText(const char* name, const char* label, const TrackTime* t) {
    ielement& e = ElementNamed(name);
    e.visible = t && t->ticks > 0 && TimesShown();
    if (!e.visible) return;
    TimeLine(e.caption, label, t->ticks);
    e.caption += "  ";
    e.caption += t->profile.empty() ? t->vehicle : t->profile;
}

}  // namespace

bool TimesShown() { return SettingValue(settings, "times", "0") == "1"; }

void DrawRaceTimes() {
    if (!TimesShown()) return;
    static std::string lap, best;
    TimeLine(lap, kLapTimeText, CurrentLapTicks(lapclock));
    Pr2D_Rect(116, 100, 200, lapclock.bestLap > 0 ? 60 : 34, 0x000000, 64, 1);
    HudLine(lap, 104);
    if (lapclock.bestLap == 0) return;
    TimeLine(best, kBestLapText, lapclock.bestLap);
    HudLine(best, 130);
}

void ShowRaceTimes(const RecordNews& news) {
    if (!TimesShown() || lapclock.finishTicks == 0) return;
    TimeLine(ElementNamed("lb_tm_race").caption, kRaceTimeText, lapclock.finishTicks);
    if (news.race) ElementNamed("lb_tm_race").caption += Tr(kNewRecordText);
    TimeLine(ElementNamed("lb_tm_lap").caption, kBestLapText, lapclock.bestLap);
    if (news.lap) ElementNamed("lb_tm_lap").caption += Tr(kNewRecordText);
    ElementNamed("wnd_times").visible = true;
}

void HideRaceTimes() { ElementNamed("wnd_times").visible = false; }

void ShowTrackRecords(std::string_view track, const char* lapText, const char* raceText) {
    const TrackRecords* r = FindRecords(records, track);
    RecordText(lapText, kRecordLapText, r ? &r->lap : nullptr);
    RecordText(raceText, kRecordRaceText, r ? &r->race : nullptr);
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}
