#include <gtest/gtest.h>

#include <ostream>

#include "controls/artwork.h"
#include "controls/slider_geometry.h"

namespace tq370 {
namespace {

struct ArtSize {
    int number;
    int width;
    int height;
};

void PrintTo(const ArtSize& a, std::ostream* out) {
    *out << a.number;
}

class Artwork : public ::testing::TestWithParam<ArtSize> {};

TEST_P(Artwork, IsCompiledInAtItsExactSize) {
    const ArtSize& a = GetParam();
    const QImage image = loadArtwork(a.number);
    ASSERT_FALSE(image.isNull()) << a.number;
    EXPECT_EQ(image.width(), a.width) << a.number;
    EXPECT_EQ(image.height(), a.height) << a.number;
}

INSTANTIATE_TEST_SUITE_P(
    Resources, Artwork,
    ::testing::Values(ArtSize{135, 277, 28}, ArtSize{136, 188, 20}, ArtSize{137, 112, 20},
                      ArtSize{138, 112, 20}, ArtSize{139, 328, 18}, ArtSize{141, 44, 230},
                      ArtSize{142, 56, 14}, ArtSize{143, 260, 25}, ArtSize{145, 144, 17},
                      ArtSize{146, 413, 28}, ArtSize{147, 160, 21}, ArtSize{148, 180, 21},
                      ArtSize{150, 192, 19}, ArtSize{151, 64, 16}, ArtSize{152, 132, 19},
                      ArtSize{153, 132, 23}, ArtSize{154, 92, 33}, ArtSize{155, 92, 33},
                      ArtSize{156, 132, 23}, ArtSize{157, 178, 22}, ArtSize{159, 356, 22},
                      ArtSize{173, 145, 56}, ArtSize{174, 136, 17}, ArtSize{178, 92, 19},
                      ArtSize{129, 541, 161}, ArtSize{130, 541, 161}, ArtSize{128, 256, 256},
                      ArtSize{149, 196, 94}, ArtSize{169, 106, 53}, ArtSize{171, 106, 50},
                      ArtSize{177, 493, 562}, ArtSize{179, 22, 53}));

TEST(ArtworkSliders, ThumbSourcesLieInsideTheirImages) {
    for (const auto& [row, resource] : {std::pair{11, 173}, {15, 135}, {16, 141}, {17, 146}}) {
        const QImage image = loadArtwork(resource);
        const SliderStyle& style = SLIDER_STYLES[row];
        for (const QRect& thumb : {style.normalThumb, style.focusedThumb}) {
            EXPECT_TRUE(image.rect().contains(thumb)) << "row " << row;
            // The thumb is drawn there: not all transparent.
            bool painted = false;
            for (int y = thumb.top(); y <= thumb.bottom() && !painted; ++y) {
                for (int x = thumb.left(); x <= thumb.right(); ++x) {
                    if (qAlpha(image.pixel(x, y)) > 0) painted = true;
                }
            }
            EXPECT_TRUE(painted) << "row " << row;
        }
    }
}

TEST(ArtworkMissing, UnknownNumberGivesANullImage) {
    EXPECT_TRUE(loadArtwork(9999).isNull());
}

}  // namespace
}  // namespace tq370
