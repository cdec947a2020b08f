#include "params/speaker_position.h"

#include <initializer_list>

namespace tq370 {
namespace {

// The label pieces, each in Simplified Chinese, Traditional Chinese and English.
struct Piece {
    const char* text[LANGUAGE_COUNT];
};

constexpr Piece EMPTY{{"空", "空", "Empty"}};
constexpr Piece FRONT{{"前置", "前置", "Front"}};
constexpr Piece REAR{{"后置", "後置", "Rear"}};
constexpr Piece CENTER{{"中置", "中置", "Center"}};
constexpr Piece SUBWOOFER{{"超低", "超低", "Subwoofer"}};
constexpr Piece LEFT{{"左", "左", "Left"}};
constexpr Piece RIGHT{{"右", "右", "Right"}};
constexpr Piece TWEETER{{"高频", "高頻", "Tweeter"}};
constexpr Piece MIDRANGE{{"中频", "中頻", "Midrange"}};
constexpr Piece WOOFER{{"低频", "低頻", "Woofer"}};
constexpr Piece MID_TWEETER{{"中高频", "中高頻", "Midrange Tweeter"}};
constexpr Piece MID_WOOFER{{"中低频", "中低頻", "Midrange Woofer"}};
constexpr Piece FULL{{"全频", "全頻", "Full"}};
constexpr Piece LEFT_SUBWOOFER{{"左超低", "左超低", "L-Subwoofer"}};
constexpr Piece RIGHT_SUBWOOFER{{"右超低", "右超低", "R-Subwoofer"}};

struct Label {
    const Piece* pieces[3];
};

const Label LABELS[SPEAKER_POSITION_COUNT] = {
    {{&EMPTY}},
    {{&FRONT, &LEFT, &TWEETER}},
    {{&FRONT, &LEFT, &MIDRANGE}},
    {{&FRONT, &LEFT, &WOOFER}},
    {{&FRONT, &LEFT, &MID_TWEETER}},
    {{&FRONT, &LEFT, &MID_WOOFER}},
    {{&FRONT, &LEFT, &FULL}},
    {{&FRONT, &RIGHT, &TWEETER}},
    {{&FRONT, &RIGHT, &MIDRANGE}},
    {{&FRONT, &RIGHT, &WOOFER}},
    {{&FRONT, &RIGHT, &MID_TWEETER}},
    {{&FRONT, &RIGHT, &MID_WOOFER}},
    {{&FRONT, &RIGHT, &FULL}},
    {{&REAR, &LEFT, &TWEETER}},
    {{&REAR, &LEFT, &WOOFER}},
    {{&REAR, &LEFT, &FULL}},
    {{&REAR, &RIGHT, &TWEETER}},
    {{&REAR, &RIGHT, &WOOFER}},
    {{&REAR, &RIGHT, &FULL}},
    {{&CENTER, &TWEETER}},
    {{&CENTER, &WOOFER}},
    {{&CENTER, &FULL}},
    {{&LEFT_SUBWOOFER}},
    {{&RIGHT_SUBWOOFER}},
    {{&SUBWOOFER}},
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
    const auto lang = static_cast<int>(language);
    if (lang < 0 || lang >= LANGUAGE_COUNT) return std::nullopt;
    std::string label;
    for (const Piece* piece : LABELS[code].pieces) {
        if (piece) label += piece->text[lang];
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
