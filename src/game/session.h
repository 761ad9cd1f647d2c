// The session: what the player has chosen and reached in this run of the
// game, in one record. The short global names are the game's vocabulary for
// its fields and refer straight into the record.
#pragma once

#include <cstdint>
#include <string>

struct SessionState {
    uint8_t gamestate = 0;  // a GameState
    int32_t progress = 0;   // tracks won in the tournament
    int32_t score = 0;
    // The player's choices for the next race.
    int32_t difficulty = 1;
    int32_t vehiclechoice = 0;
    int32_t colourchoice = 0;
    int32_t singletrack = 0;
    uint8_t racemode = 0;  // 0 tournament, 1 single race
    // The options as main.cfg keeps them, each 0 or 1.
    uint8_t optwindowed = 0;
    uint8_t optmusicoff = 0;
    uint8_t optambientoff = 0;
    std::string profilename;
};

inline SessionState session;

inline uint8_t& gamestate = session.gamestate;
inline int32_t& progress = session.progress;
inline int32_t& score = session.score;
inline int32_t& difficulty = session.difficulty;
inline int32_t& vehiclechoice = session.vehiclechoice;
inline int32_t& colourchoice = session.colourchoice;
inline int32_t& singletrack = session.singletrack;
inline uint8_t& racemode = session.racemode;
inline uint8_t& optwindowed = session.optwindowed;
inline uint8_t& optmusicoff = session.optmusicoff;
inline uint8_t& optambientoff = session.optambientoff;
inline std::string& profilename = session.profilename;
