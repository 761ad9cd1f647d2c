#include "game/records.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "engine/files.h"
#include "engine/paths.h"
#include "game/game_texts.h"
#include "game/profiles.h"
#include "game/replay.h"
#include "game/saved_files.h"
#include "gui/notice.h"
#include "world/world.h"

RecordsTable records;

namespace {

constexpr std::string_view kFile = "records.txt";

// A bad file set aside could not be renamed: it is then never written over.
bool recordsLocked = false;

std::string_view Word(std::string_view& line) {
    const size_t end = line.find(' ');
    const std::string_view word = line.substr(0, end);
    line = end == std::string_view::npos ? std::string_view{} : line.substr(end + 1);
    return word;
}

bool KnownVehicle(std::string_view name) {
    for (const char* v : vehiclenames) {
        if (name == v) return true;
    }
    return false;
}

bool Date(std::string_view d) {
    if (d.size() != 10 || d[4] != '-' || d[7] != '-') return false;
    for (size_t i = 0; i < d.size(); ++i) {
        if (i != 4 && i != 7 && (d[i] < '0' || d[i] > '9')) return false;
    }
    return true;
}

TrackRecords* Find(RecordsTable& table, std::string_view track) {
    return const_cast<TrackRecords*>(FindRecords(table, track));
}

// The track's entry, made when new; null when the table is full.
TrackRecords* Entry(RecordsTable& table, std::string_view track) {
    if (TrackRecords* found = Find(table, track)) return found;
    if (table.count == kMaxRecordTracks) return nullptr;
    TrackRecords& fresh = table.tracks[table.count++];
    fresh = TrackRecords{std::string(track), {}, {}};
    return &fresh;
}

void AppendTime(std::string& text, const TrackRecords& r, const char* kind, const TrackTime& t) {
    if (t.ticks <= 0) return;
    text +=
        r.track + " " + kind + " " + std::to_string(t.ticks) + " " + t.vehicle + " " + t.date + " " + t.profile + "\n";
}

bool Better(const TrackTime& now, int ticks) { return ticks > 0 && (now.ticks == 0 || ticks < now.ticks); }

// The name the bad file goes under: records.txt.bad, or .bad2 ... .bad9 when
// earlier ones are still there; empty when all are taken.
std::string SetAsideName() {
    for (int i = 1; i <= 9; ++i) {
        const std::string name = UserPath(std::string(kFile) + ".bad" + (i == 1 ? "" : std::to_string(i)));
        std::error_code ec;
        if (!std::filesystem::exists(PathOf(name), ec)) return name;
    }
    return {};
}

}  // namespace

std::string FormatRecords(const RecordsTable& table) {
    std::string text(kRecordsTag);
    text += "\n";
    for (int i = 0; i < table.count; ++i) {
        const TrackRecords& r = table.tracks[i];
        AppendTime(text, r, "lap", r.lap);
        AppendTime(text, r, "race", r.race);
    }
    return text;
}

bool ParseRecords(std::string_view text, RecordsTable& out, std::string& fault) {
    const size_t first = text.find('\n');
    std::string_view tag = text.substr(0, first);
    if (!tag.empty() && tag.back() == '\r') tag.remove_suffix(1);
    if (tag != kRecordsTag) {
        fault = "not a records file of this version of the game";
        return false;
    }
    text = first == std::string_view::npos ? std::string_view{} : text.substr(first + 1);
    auto table = std::make_unique<RecordsTable>();
    for (int number = 2; !text.empty(); ++number) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        const std::string bad = "bad line " + std::to_string(number);
        const std::string_view track = Word(line);
        const std::string_view kind = Word(line);
        const std::string_view ticksText = Word(line);
        const std::string_view vehicle = Word(line);
        const std::string_view date = Word(line);
        int32_t ticks = 0;
        const auto [ptr, ec] = std::from_chars(ticksText.data(), ticksText.data() + ticksText.size(), ticks);
        if (!KeptTrackName(track) || (kind != "lap" && kind != "race") || ec != std::errc() ||
            ptr != ticksText.data() + ticksText.size() || ticks <= 0 || !KnownVehicle(vehicle) || !Date(date) ||
            (!line.empty() && !IsSafeProfileName(line))) {
            fault = bad;
            return false;
        }
        TrackRecords* r = Entry(*table, track);
        if (!r) {
            fault = "more than " + std::to_string(kMaxRecordTracks) + " tracks";
            return false;
        }
        TrackTime& t = kind == "lap" ? r->lap : r->race;
        if (t.ticks != 0) {
            fault = bad + ": the track's " + std::string(kind) + " is there twice";
            return false;
        }
        t = TrackTime{ticks, std::string(vehicle), std::string(date), std::string(line)};
    }
    out = std::move(*table);
    return true;
}

const TrackRecords* FindRecords(const RecordsTable& table, std::string_view track) {
    for (int i = 0; i < table.count; ++i) {
        if (table.tracks[i].track == track) return &table.tracks[i];
    }
    return nullptr;
}

RecordNews OfferTimes(RecordsTable& table, std::string_view track, int lapTicks, int raceTicks, const TrackTime& who) {
    RecordNews news;
    if (!KeptTrackName(track)) return news;
    const TrackRecords* known = FindRecords(table, track);
    const bool lap = known ? Better(known->lap, lapTicks) : lapTicks > 0;
    const bool race = known ? Better(known->race, raceTicks) : raceTicks > 0;
    if (!lap && !race) return news;
    TrackRecords* r = Entry(table, track);
    if (!r) return news;
    if (lap) r->lap = TrackTime{lapTicks, who.vehicle, who.date, who.profile};
    if (race) r->race = TrackTime{raceTicks, who.vehicle, who.date, who.profile};
    return RecordNews{lap, race};
}

void LoadRecords() {
    recordsLocked = false;
    records.count = 0;
    const std::string path = UserPath(kFile);
    std::string text, fault;
    if (!ReadWholeFile(path, text)) return;  // none yet
    if (ParseRecords(text, records, fault)) return;
    records.count = 0;
    const std::string aside = SetAsideName();
    std::error_code ec;
    if (!aside.empty()) std::filesystem::rename(PathOf(path), PathOf(aside), ec);
    recordsLocked = aside.empty() || ec;
    std::fprintf(stderr, "kolvetra: %s: %s; %s\n", path.c_str(), fault.c_str(),
                 recordsLocked ? "left as it is, and no records are saved" : ("set aside as " + aside).c_str());
    ShowNotice(kRecordsSetAside, std::string(kFile) + ": " + fault);
}

bool SaveRecords() {
    if (recordsLocked) return false;
    return SavePlayerFile(UserPath(kFile), FormatRecords(records), kRecordsNotSaved);
}
