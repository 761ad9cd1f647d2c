#include "game/game_texts.h"

#include <algorithm>

#include "game/race_times.h"
#include "game/tournament.h"
#include "gui/notice.h"
#include "gui/screens.h"
#include "world/race.h"

std::vector<std::string_view> GameTexts() {
    std::vector<std::string_view> texts;
    for (const char* text : ScreenTexts()) texts.push_back(text);
    texts.insert(texts.end(), {kGreetingText, kLapText, kScoreText, kYourScoreText, kTrackText, kVictoryText});
    texts.insert(texts.end(),
                 {kLapTimeText, kBestLapText, kRaceTimeText, kNewRecordText, kRecordLapText, kRecordRaceText});
    texts.insert(texts.end(), landscapetexts.begin(), landscapetexts.end());
    texts.insert(texts.end(), difficultynames.begin(), difficultynames.end());
    texts.insert(texts.end(), std::begin(kNoticeTexts), std::end(kNoticeTexts));
    // The countdown's last second says its word; the numbers before it need none.
    texts.push_back(CountdownAt(3500).text);
    std::sort(texts.begin(), texts.end());
    texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
    return texts;
}
