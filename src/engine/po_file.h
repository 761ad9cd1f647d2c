// Translations in the gettext .po format that translators' tools read and
// write: `msgid "..."` followed by `msgstr "..."`, each string possibly
// continued on the next lines as further quoted pieces, with C escapes.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

// Original text to translated text; looked up with string views.
using Translations = std::map<std::string, std::string, std::less<>>;

// Reads every entry with a non-empty msgid and msgstr (the header entry with
// the empty msgid and untranslated entries are left out). False with the line
// number in `error` on a line that is neither a comment, a keyword with a
// quoted string, nor a quoted continuation.
bool ParsePo(std::string_view text, Translations& out, std::string& error);
