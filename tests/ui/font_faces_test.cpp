#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

#include "controls/font_faces.h"

namespace tq370 {
namespace {

struct FaceCase {
    const char* face;
    const char* family;
    bool bold;
};

void PrintTo(const FaceCase& c, std::ostream* out) {
    *out << c.family;
}

class FontFaces : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FontFaces, MapToAnInstalledFamily) {
    const FaceCase& c = GetParam();
    const QString face = QString::fromUtf8(c.face);
    EXPECT_EQ(installedFamily(face), QString::fromLatin1(c.family));
    EXPECT_TRUE(QFontDatabase::families().contains(QString::fromLatin1(c.family)))
        << c.family << " is not installed";
    const QFont font = faceFont(face, 14);
    EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(c.family));
    EXPECT_EQ(font.bold(), c.bold);
    EXPECT_EQ(font.pixelSize(), 14);
}

INSTANTIATE_TEST_SUITE_P(Faces, FontFaces,
                         ::testing::Values(FaceCase{"微软雅黑", "WenQuanYi Micro Hei", false},
                                           FaceCase{"黑体", "WenQuanYi Micro Hei", false},
                                           FaceCase{"Arial", "Liberation Sans", false},
                                           FaceCase{"Arial Bold", "Liberation Sans", true},
                                           FaceCase{"Times New Roman", "Liberation Serif", false}));

TEST(FontFacesStyle, StyleBitsAndUnknownFaces) {
    const QFont font = faceFont(QStringLiteral("Arial"), 12, FONT_BOLD | FONT_ITALIC);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(installedFamily(QStringLiteral("No Such Face")), QStringLiteral("No Such Face"));
    // A missing face still gives a usable font.
    EXPECT_FALSE(QFontInfo(faceFont(QStringLiteral("No Such Face"), 12)).family().isEmpty());
}

}  // namespace
}  // namespace tq370
