#include "ui/foundation/BrandIdentity.h"

#include <gtest/gtest.h>

using namespace corvel;

TEST(BrandIdentityTest, MarkIsTheBubbleWithQuotationMarksCutOut) {
    const QPainterPath& mark = BrandIdentity::compoundPath();
    // The curves' end points and controls are in the right order only if the bubble spans the
    // design's extremes: left edge 8, top 8, right 248.
    const QRectF bounds = mark.boundingRect();
    EXPECT_NEAR(bounds.left(), 8, 0.01);
    EXPECT_NEAR(bounds.top(), 8, 0.01);
    EXPECT_NEAR(bounds.right(), 248, 0.01);
    EXPECT_TRUE(mark.contains(QPointF(60, 120)));   // bubble body
    EXPECT_TRUE(mark.contains(QPointF(36, 163)));   // tail tip
    EXPECT_FALSE(mark.contains(QPointF(100, 105))); // inside the left quotation mark
    EXPECT_FALSE(mark.contains(QPointF(154, 105))); // inside the right one
    EXPECT_TRUE(mark.contains(QPointF(130, 105)));  // between the two
}

TEST(BrandIdentityTest, PathFitsTheDesignBoxCentred) {
    const QPainterPath wide = BrandIdentity::path(QRectF(0, 0, 512, 176));
    EXPECT_EQ(wide.elementAt(0), QPointF(40 + 128, 140));
    EXPECT_NEAR(wide.boundingRect().left(), 8 + 128, 0.01);

    const QPainterPath tall = BrandIdentity::path(QRectF(0, 0, 256, 352));
    EXPECT_EQ(tall.elementAt(0), QPointF(40, 140 + 88));

    // The top bar's 28 x 28 frame: scale 28 / 256, box 28 x 19.25 centred vertically.
    const QPainterPath small = BrandIdentity::path(QRectF(0, 0, 28, 28));
    const qreal scale = 28.0 / 256;
    EXPECT_NEAR(small.elementAt(0).x, 40 * scale, 1e-9);
    EXPECT_NEAR(small.elementAt(0).y, (28 - 19.25) / 2 + 140 * scale, 1e-9);

    EXPECT_TRUE(BrandIdentity::path(QRectF(0, 0, 0, 0)).boundingRect().isEmpty());
}
