#include "params/speaker_position.h"

#include <initializer_list>

#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {
namespace {

// The label of each code is its pieces from the string table, joined.
struct Label {
    int pieces[3];  // entries; 0 ends the list
};

constexpr int NONE = 0;
constexpr Label LABELS[SPEAKER_POSITION_COUNT] = {
    {{TXT_POSITION_EMPTY}},
    {{TXT_POSITION_FRONT, TXT_SIDE_LEFT, TXT_DRIVER_TWEETER}},
    {{TXT_POSITION_FRONT, TXT_SIDE_LEFT, TXT_DRIVER_MIDRANGE}},
    {{TXT_POSITION_FRONT, TXT_SIDE_LEFT, TXT_DRIVER_WOOFER}},
    {{TXT_POSITION_FRONT, TXT_SIDE_LEFT, TXT_DRIVER_MIDRANGE_TWEETER}},
    {{TXT_POSITION_FRONT, TXT_SIDE_LEFT, TXT_DRIVER_MIDRANGE_WOOFER}},
    {{TXT_POSITION_FRONT, TXT_SIDE_LEFT, TXT_DRIVER_FULL}},
    {{TXT_POSITION_FRONT, TXT_SIDE_RIGHT, TXT_DRIVER_TWEETER}},
    {{TXT_POSITION_FRONT, TXT_SIDE_RIGHT, TXT_DRIVER_MIDRANGE}},
    {{TXT_POSITION_FRONT, TXT_SIDE_RIGHT, TXT_DRIVER_WOOFER}},
    {{TXT_POSITION_FRONT, TXT_SIDE_RIGHT, TXT_DRIVER_MIDRANGE_TWEETER}},
    {{TXT_POSITION_FRONT, TXT_SIDE_RIGHT, TXT_DRIVER_MIDRANGE_WOOFER}},
    {{TXT_POSITION_FRONT, TXT_SIDE_RIGHT, TXT_DRIVER_FULL}},
    {{TXT_POSITION_REAR, TXT_SIDE_LEFT, TXT_DRIVER_TWEETER}},
    {{TXT_POSITION_REAR, TXT_SIDE_LEFT, TXT_DRIVER_WOOFER}},
    {{TXT_POSITION_REAR, TXT_SIDE_LEFT, TXT_DRIVER_FULL}},
    {{TXT_POSITION_REAR, TXT_SIDE_RIGHT, TXT_DRIVER_TWEETER}},
    {{TXT_POSITION_REAR, TXT_SIDE_RIGHT, TXT_DRIVER_WOOFER}},
    {{TXT_POSITION_REAR, TXT_SIDE_RIGHT, TXT_DRIVER_FULL}},
    {{TXT_POSITION_CENTER, TXT_DRIVER_TWEETER}},
    {{TXT_POSITION_CENTER, TXT_DRIVER_WOOFER}},
    {{TXT_POSITION_CENTER, TXT_DRIVER_FULL}},
    {{TXT_POSITION_LEFT_SUBWOOFER}},
    {{TXT_POSITION_RIGHT_SUBWOOFER}},
    {{TXT_POSITION_SUBWOOFER}},
};

// Codes that a taken code makes unavailable besides itself.
const std::initializer_list<int> CONFLICTS[SPEAKER_POSITION_COUNT] = {
    {},                                                                           // 0
    {4, 6},   {4, 5, 6},    {5, 6},   {1, 2, 6},  {2, 3, 6},  {1, 2, 3, 4, 5},    // 1-6
    {10, 12}, {10, 11, 12}, {11, 12}, {7, 8, 12}, {8, 9, 12}, {7, 8, 9, 10, 11},  // 7-12
    {15},     {15},         {13, 14},                                             // 13-15
    {18},     {18},         {16, 17},                                             // 16-18
    {21},     {21},         {19, 20},                                             // 19-21
    {24},     {24},         {22, 23},                                             // 22-24
};

}  // namespace

std::optional<std::string> speakerPositionLabel(int code, Language language) {
    if (code < 0 || code >= SPEAKER_POSITION_COUNT) return std::nullopt;
    if (!languageFromIndex(static_cast<int>(language))) return std::nullopt;
    std::string label;
    for (int piece : LABELS[code].pieces) {
        if (piece != NONE) label += text(piece, language);
    }
    return label;
}

PositionAvailability availablePositions(int slot, std::span<const int> positions) {
    PositionAvailability available{};
    available.fill(true);
    for (int i = 0; i < static_cast<int>(positions.size()); ++i) {
        const int taken = positions[static_cast<std::size_t>(i)];
        if (i == slot || taken < 1 || taken >= SPEAKER_POSITION_COUNT) continue;
        available[static_cast<std::size_t>(taken)] = false;
        for (int code : CONFLICTS[taken]) available[static_cast<std::size_t>(code)] = false;
    }
    available[POSITION_EMPTY] = true;
    return available;
}

}  // namespace tq370
