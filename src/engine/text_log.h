// A log of every text drawn with Text_Draw, so that tests can read what the
// screens said.
#pragma once

#include <string>
#include <vector>

// Starts (or restarts) an empty log, or stops logging.
void Host_RecordTexts(bool on);
const std::vector<std::string>& Host_TextLog();
