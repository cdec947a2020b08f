#include "update/update_texts.h"

#include <array>

namespace tq370 {
namespace {

constexpr std::array<std::array<std::string_view, 3>, 3> TEXTS{{
    {"提示!", "提示!", "Tip!"},
    {"软件有更新,是否更新!", "軟件有更新,是否更新!", "Software update,Whether to update!"},
    {"在线下载进度:%5.0f %%", "在線下載進度:%5.0f %%", "Onling_Update:%5.0f %%"},
}};

}  // namespace

std::string_view updateText(UpdateText text, std::uint8_t language) {
    return TEXTS[static_cast<std::size_t>(text)][language < 3 ? language : 2];
}

}  // namespace tq370
