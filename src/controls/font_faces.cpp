#include "controls/font_faces.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tq370 {

namespace {

struct FaceMapping {
    const char* face;
    const char* family;
    bool bold;
};

const std::array<FaceMapping, 6> FACE_MAPPINGS{{
    {"微软雅黑", "WenQuanYi Micro Hei", false},
    {"黑体", "WenQuanYi Micro Hei", false},
    {"Arial", "Liberation Sans", false},
    {"Arial Bold", "Liberation Sans", true},
    {"Times New Roman", "Liberation Serif", false},
    {"Times New Roman Bold", "Liberation Serif", true},
}};

const FaceMapping* findMapping(const QString& faceName) {
    for (const auto& mapping : FACE_MAPPINGS) {
        if (faceName.compare(QString::fromUtf8(mapping.face), Qt::CaseInsensitive) == 0) {
            return &mapping;
        }
    }
    return nullptr;
}

}  // namespace

QString installedFamily(const QString& faceName) {
    const FaceMapping* mapping = findMapping(faceName);
    return mapping != nullptr ? QString::fromUtf8(mapping->family) : faceName;
}

QFont faceFont(const QString& faceName, double pixelSize, int style) {
    const FaceMapping* mapping = findMapping(faceName);
    QFont font(installedFamily(faceName));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(pixelSize + 0.5)));
    font.setBold((mapping != nullptr && mapping->bold) || (style & FONT_BOLD) != 0);
    font.setItalic((style & FONT_ITALIC) != 0);
    font.setUnderline((style & FONT_UNDERLINE) != 0);
    font.setStrikeOut((style & FONT_STRIKEOUT) != 0);
    return font;
}

double cellHeightToPixelSize(double cellHeight) {
    // The cell of the stand-in families is about 1.15 em high.
    constexpr double CELL_PER_EM = 1.15;
    return cellHeight / CELL_PER_EM;
}

}  // namespace tq370
