#include "ui/foundation/CloudCompanionPainter.h"
#include "ui/foundation/CloudColors.h"

#include <QImage>
#include <QPainter>

#include <cmath>

#include <gtest/gtest.h>

using namespace corvel;

namespace {

// At size 240 one design unit is one pixel; points are sampled well inside the unit cells.
struct Picture {
    CloudCompanionFrame frame;
    QImage image{240, 180, QImage::Format_ARGB32_Premultiplied};

    explicit Picture(const CloudCompanionFrame& shown) : frame(shown) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        CloudCompanionPainter::paint(painter, 240, frame);
    }
    // The colour at a point of the 192 x 128 cloud space.
    QColor cloud(qreal x, qreal y) const {
        const QPointF at = CloudCompanionPainter::cloudTransform(240, frame).map(QPointF(x, y));
        return image.pixelColor(int(at.x()), int(at.y()));
    }
    // Edges of the moving cloud fall between pixels: allow a sliver of antialiasing.
    bool navy(qreal x, qreal y) const {
        const QColor c = cloud(x, y);
        const QColor n = CloudColors::navy();
        return qAbs(c.red() - n.red()) < 8 && qAbs(c.green() - n.green()) < 8 &&
               qAbs(c.blue() - n.blue()) < 8 && c.alpha() == 255;
    }
};

CloudCompanionFrame at(CloudMood mood, double time = 0) {
    CloudCompanionFrame frame;
    frame.mood = mood;
    frame.time = time;
    return frame;
}

} // namespace

TEST(CloudCompanionPainterTest, EyesCloseForTheBlinkWindowOnly) {
    for (double t : {0.0, 5.9, 6.1, 9.8}) {
        const Picture open(at(CloudMood::welcome, t));
        EXPECT_TRUE(open.navy(74, 66)) << t;
        EXPECT_EQ(open.cloud(70, 66), CloudColors::white()) << "glint at " << t;
    }
    for (double t : {5.95, 6.0, 6.05, 12.8}) {
        const Picture blink(at(CloudMood::welcome, t));
        EXPECT_FALSE(blink.navy(74, 68)) << t;
        EXPECT_TRUE(blink.navy(74, 72)) << t;
        EXPECT_TRUE(blink.navy(70, 72)) << "no glint while blinking at " << t;
    }
}

TEST(CloudCompanionPainterTest, FaceFollowsMoodGreetingAndHover) {
    const Picture welcome(at(CloudMood::welcome));
    EXPECT_TRUE(welcome.navy(98, 92)); // smile
    EXPECT_FALSE(welcome.navy(98, 86));

    CloudCompanionFrame listening = at(CloudMood::listening);
    EXPECT_TRUE(Picture(listening).navy(98, 86));  // the ring's top
    EXPECT_FALSE(Picture(listening).navy(98, 92)); // its hole
    listening.hovering = true;
    EXPECT_TRUE(Picture(listening).navy(98, 92));
    EXPECT_FALSE(Picture(listening).navy(98, 86));

    CloudCompanionFrame thinking = at(CloudMood::thinking);
    const Picture flat(thinking);
    EXPECT_TRUE(flat.navy(98, 90));
    EXPECT_FALSE(flat.navy(98, 94));
    EXPECT_TRUE(flat.navy(74, 76)); // eyes 12 high
    EXPECT_FALSE(flat.navy(74, 79));
    EXPECT_TRUE(welcome.navy(74, 79)); // 16 high

    // Arches instead of eyes when ready, and for any mood while greeting.
    const Picture ready(at(CloudMood::ready));
    thinking.greetingElapsed = 0.3;
    for (const Picture& happy : {ready, Picture(thinking)}) {
        EXPECT_TRUE(happy.navy(72, 66));
        EXPECT_TRUE(happy.navy(66, 72));
        EXPECT_FALSE(happy.navy(72, 72));
        EXPECT_TRUE(happy.navy(98, 94));
    }
}

TEST(CloudCompanionPainterTest, PointerShiftsEyesThreeUnitsAndTheCloudOneAndAHalf) {
    CloudCompanionFrame frame = at(CloudMood::welcome);
    const Picture centred(frame);
    frame.pointer = QPointF(1, 0);
    frame.hovering = true;
    const Picture right(frame);
    EXPECT_FALSE(centred.navy(78, 74));
    EXPECT_TRUE(right.navy(78, 74));
    // The body's right edge moves from x = 216 to 217.5 of the design space.
    EXPECT_EQ(centred.image.pixelColor(216, 104).alpha(), 0);
    EXPECT_EQ(right.image.pixelColor(216, 104), CloudColors::white());
}

TEST(CloudCompanionPainterTest, GreetingJumpsAndRingFadesOverPointNineSeconds) {
    CloudCompanionFrame frame = at(CloudMood::welcome);
    frame.greetingElapsed = 0.45;
    EXPECT_DOUBLE_EQ(*frame.greetingProgress(), 0.5);
    const Picture halfway(frame);
    // Jumped 11 units: the top edge (design y 32 at rest) is at 21.
    EXPECT_EQ(halfway.image.pixelColor(120, 24), CloudColors::white());
    // First ring square at (219, 61), opacity 1 - 0.5^0.65.
    EXPECT_NEAR(halfway.image.pixelColor(220, 62).alphaF(), 1 - std::pow(0.5, 0.65), 0.02);

    frame.greetingElapsed = 0.9;
    EXPECT_FALSE(frame.greetingProgress());
    const Picture over(frame);
    EXPECT_EQ(over.image.pixelColor(120, 24).alpha(), 0);
    EXPECT_EQ(over.image.pixelColor(220, 62).alpha(), 0);
}
