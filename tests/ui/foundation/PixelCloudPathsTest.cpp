#include "ui/foundation/PixelCloudPaths.h"
#include "ui/foundation/CloudColors.h"
#include "ui/foundation/PixelSkyBackdrop.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace corvel;

namespace {

// The middle of step i of a bank, just above and below a height in the 1600 x 320 bank space.
bool bankCovers(const QPainterPath& bank, int step, qreal y) {
    return bank.contains(QPointF(32 * step + 16, y));
}

QImage sky(QSize size, qreal opacity) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PixelSkyBackdrop::paint(painter, QSizeF(size), opacity);
    return image;
}

} // namespace

TEST(PixelCloudPathsTest, PolygonsAndBankSkylines) {
    EXPECT_TRUE(PixelCloudPaths::polygon({}).isEmpty());
    EXPECT_EQ(PixelCloudPaths::body().boundingRect(), QRectF(0, 8, 192, 112));
    EXPECT_TRUE(PixelCloudPaths::body().contains(QPointF(152, 44)));
    EXPECT_FALSE(PixelCloudPaths::body().contains(QPointF(136, 44))); // the notch between bumps

    const QPainterPath middle = PixelCloudPaths::bank(0);
    EXPECT_TRUE(bankCovers(middle, 0, 121));
    EXPECT_FALSE(bankCovers(middle, 0, 119));
    EXPECT_TRUE(bankCovers(middle, 41, 57)); // the highest step
    EXPECT_FALSE(bankCovers(middle, 41, 55));

    // Offset 88: steps higher than 216 are cut to 304, keeping a 16-unit strip.
    const QPainterPath front = PixelCloudPaths::bank(88);
    EXPECT_TRUE(bankCovers(front, 19, 305));
    EXPECT_FALSE(bankCovers(front, 19, 303));
    EXPECT_TRUE(bankCovers(front, 0, 209));
    EXPECT_FALSE(bankCovers(front, 0, 207));
}

TEST(PixelSkyBackdropTest, BandFollowsTheShorterLimitAndSkyOpacityAppliesToTheGradient) {
    // 800 x 400: band = min(160, 112) = 112; 300 x 600: band = min(60, 168) = 60. The rearmost
    // bank's highest step (41 of 50) reaches 24 / 320 of the band below the band's top.
    for (const QSize size : {QSize(800, 400), QSize(300, 600)}) {
        const QImage image = sky(size, 1);
        const qreal band = std::min(0.2 * size.width(), 0.28 * size.height());
        const int x = int(size.width() * 41.5 / 50);
        const int bankTop = int(size.height() - band + 24.0 / 320 * band);
        EXPECT_EQ(image.pixelColor(x, bankTop - 2), image.pixelColor(0, bankTop - 2))
            << size.width();
        EXPECT_NE(image.pixelColor(x, bankTop + 2), image.pixelColor(0, bankTop + 2))
            << size.width();
        EXPECT_EQ(image.pixelColor(x, size.height() - 1), CloudColors::white());
        EXPECT_EQ(image.pixelColor(1, 0), CloudColors::skyTop());
    }
    const QImage clear = sky(QSize(800, 400), 0);
    EXPECT_EQ(clear.pixelColor(400, 10).alpha(), 0);
    EXPECT_EQ(clear.pixelColor(400, 399), CloudColors::white());
}
