// The player's best times per track, in records.txt in the player's folder:
// UTF-8 text, the version line "kolvetra-records 1", then one line per
// record, "<track> lap|race <ticks> <vehicle> <yyyy-mm-dd> <profile>", the
// time in 30 ms ticks and the profile name being the rest of the line
// (empty without a profile).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view kRecordsTag = "kolvetra-records 1";
inline constexpr int kMaxRecordTracks = 512;

struct TrackTime {
    int32_t ticks = 0;  // 0: none yet
    std::string vehicle;
    std::string date;  // yyyy-mm-dd
    std::string profile;
};

struct TrackRecords {
    std::string track;
    TrackTime lap;   // the best lap
    TrackTime race;  // the best race of four laps
};

struct RecordsTable {
    std::array<TrackRecords, kMaxRecordTracks> tracks;
    int count = 0;
};

// What a finished race improved on.
struct RecordNews {
    bool lap = false;
    bool race = false;
};

std::string FormatRecords(const RecordsTable& table);
// False, with what is wrong in `fault`, unless the text is a whole records
// file of this version with every field in range.
bool ParseRecords(std::string_view text, RecordsTable& out, std::string& fault);
// Null when the track has no records.
const TrackRecords* FindRecords(const RecordsTable& table, std::string_view track);
// Takes the race's best lap and race time (0: none) where they beat the
// track's records; `who` holds the vehicle, date and profile to keep.
RecordNews OfferTimes(RecordsTable& table, std::string_view track, int lapTicks, int raceTicks, const TrackTime& who);

// The game's own table. A records file that cannot be read as one is set
// aside (renamed records.txt.bad) with a notice, and the game starts afresh.
extern RecordsTable records;
void LoadRecords();
bool SaveRecords();
