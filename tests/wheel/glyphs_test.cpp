// The glyph artwork: the right sizes, transparent around the symbol, and no
// two symbols alike (a copied path would put the same picture on two bodies).

#include "assets/glyphs.h"

#include <gtest/gtest.h>
#include <set>

using namespace velorin;

namespace {

void expectGlyph(const QImage& img, int size, const std::string& what) {
    ASSERT_EQ(img.size(), QSize(size, size)) << what;
    EXPECT_TRUE(img.hasAlphaChannel()) << what;
    for (QPoint corner :
         {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        EXPECT_EQ(qAlpha(img.pixel(corner)), 0) << what;
    int opaque = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            opaque += qAlpha(img.pixel(x, y)) > 128 ? 1 : 0;
    EXPECT_GT(opaque, size * size / 25) << what;
    EXPECT_LT(opaque, size * size / 2) << what;
}

} // namespace

TEST(Glyphs, EverySymbolAtEverySize) {
    for (int s = 1; s <= 12; ++s)
        expectGlyph(signGlyph(s), kSignGlyphSize, "sign " + std::to_string(s));
    for (int b = 1; b <= 15; ++b) {
        expectGlyph(bodyGlyph(b), kBodyGlyphSize, "body " + std::to_string(b));
        expectGlyph(bodyGlyph(b, kSmallBodyGlyphSize), kSmallBodyGlyphSize,
                    "small body " + std::to_string(b));
    }
}

TEST(Glyphs, NoTwoSymbolsAlike) {
    std::set<QByteArray> seen;
    auto bits = [](const QImage& img) {
        return QByteArray(reinterpret_cast<const char*>(img.constBits()), int(img.sizeInBytes()));
    };
    for (int s = 1; s <= 12; ++s)
        EXPECT_TRUE(seen.insert(bits(signGlyph(s, 32))).second) << "sign " << s;
    for (int b = 1; b <= 15; ++b)
        EXPECT_TRUE(seen.insert(bits(bodyGlyph(b, 32))).second) << "body " << b;
}
