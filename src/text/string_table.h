#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "text/language.h"
#include "text/text_entry.h"

namespace tq370 {

// The UI string table: entries 0..TEXT_ENTRY_COUNT - 1, fixed at compile time. Named
// entry numbers are in text/text_ids.h. All functions are safe on any thread.
constexpr int TEXT_ENTRY_COUNT = 162;

// Entry n with its three texts; nullopt for a number outside the table.
std::optional<TextEntry> findTextEntry(int entry);

// The text of an entry in the current language, or in the given one; an empty text for a
// number outside the table. The views point at static storage.
std::string_view text(int entry);
std::string_view text(int entry, Language language);

// For a control whose text shows one of several states (e.g. the connection state): the
// state entry whose text in any language equals shown, so the control can show that state
// in the new language. An empty text counts as showing entryWhenEmpty; a text matching
// none of the states gives nullopt (leave the control as it is). The first match wins.
std::optional<int> findStateEntry(std::string_view shown, std::span<const int> stateEntries,
                                  int entryWhenEmpty);

}  // namespace tq370
