#pragma once

#include <QFont>
#include <QString>

namespace tq370 {

// Font style bits as the controls take them: 1 bold, 2 italic, 4 underline, 8 strike-out.
enum FontStyleBits : int {
    FONT_BOLD = 0x1,
    FONT_ITALIC = 0x2,
    FONT_UNDERLINE = 0x4,
    FONT_STRIKEOUT = 0x8,
};

// The installed family that stands in for a face name the controls ask for ("微软雅黑",
// "黑体", "Arial", "Arial Bold", "Times New Roman"); other names come back unchanged.
QString installedFamily(const QString& faceName);

// A font of the given pixel size for a face name; "... Bold" names and the bold style bit
// give a bold font. A missing family falls back to the generic sans-serif family.
QFont faceFont(const QString& faceName, double pixelSize, int style = 0);

// Font heights given as a character cell (ascent plus descent, as the value box, the
// combo box and the progress window state them) as the em size fonts are made with.
double cellHeightToPixelSize(double cellHeight);

}  // namespace tq370
