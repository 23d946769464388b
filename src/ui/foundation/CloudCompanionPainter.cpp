#include "ui/foundation/CloudCompanionPainter.h"

#include "ui/foundation/CloudColors.h"
#include "ui/foundation/PixelCloudPaths.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

namespace corvel {

namespace {

// The frame is drawn in a 240 x 180 design space; the cloud's centre (96, 64) sits at (120, 88).
constexpr qreal designWidth = 240;

QPainterPath rects(std::initializer_list<QRectF> parts) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF& part : parts)
        path.addRect(part);
    return path;
}

// The shading polygons cut to the body once, instead of clipping on every frame.
const QPainterPath& insideBody(int which) {
    static const std::array<QPainterPath, 3> cut = {
        PixelCloudPaths::shadow().intersected(PixelCloudPaths::body()),
        PixelCloudPaths::deepShadow().intersected(PixelCloudPaths::body()),
        PixelCloudPaths::highlight().intersected(PixelCloudPaths::body())};
    return cut.at(which);
}

double jumpOf(std::optional<double> progress) {
    return progress ? -11 * std::sin(std::numbers::pi * *progress) : 0.0;
}

void drawAccentPixels(QPainter& painter, double time) {
    struct Accent {
        QPointF base;
        const QColor& color;
        bool plus;
    };
    const Accent accents[] = {{{32, 30}, CloudColors::pink(), true},
                              {{204, 24}, CloudColors::cyan(), false},
                              {{24, 143}, CloudColors::green(), false},
                              {{211, 137}, CloudColors::orange(), true}};
    painter.save();
    painter.setOpacity(painter.opacity() * 0.7);
    for (int i = 0; i < 4; ++i) {
        const qreal x = accents[i].base.x();
        const qreal y = accents[i].base.y() + 2 * std::sin(0.65 * time + 1.8 * i);
        const QPainterPath shape =
            accents[i].plus ? rects({{x + 3, y - 3, 3, 9}, {x, y, 9, 3}}) : rects({{x, y, 5, 5}});
        painter.fillPath(shape, accents[i].color);
    }
    painter.restore();
}

void drawGreetingPixels(QPainter& painter, double progress) {
    const QColor* colors[] = {&CloudColors::pink(), &CloudColors::cyan(), &CloudColors::green(),
                              &CloudColors::orange()};
    const double radius = 42 + 75 * (1 - std::pow(1 - progress, 3));
    painter.save();
    painter.setOpacity(painter.opacity() * std::max(0.0, 1 - std::pow(progress, 0.65)));
    for (int i = 0; i < 8; ++i) {
        const double angle = i * std::numbers::pi / 4 - std::numbers::pi / 8;
        const QRectF square(std::round(radius * std::cos(angle) + 120),
                            std::round(0.6 * radius * std::sin(angle) + 86), 4, 4);
        painter.fillRect(square, *colors[i % 4]);
    }
    painter.restore();
}

void drawCloudBody(QPainter& painter) {
    painter.fillPath(PixelCloudPaths::body(), CloudColors::white());
    painter.fillPath(insideBody(0), CloudColors::shadow());
    painter.fillPath(insideBody(1), CloudColors::deepShadow());
    painter.fillPath(insideBody(2), CloudColors::highlight());
    QColor cheek = CloudColors::pink();
    cheek.setAlphaF(0.5f);
    painter.fillPath(rects({{48, 84, 16, 8}, {128, 84, 16, 8}}), cheek);
}

void drawFace(QPainter& painter, const CloudCompanionFrame& frame) {
    const bool greeting = frame.greetingProgress().has_value();
    const qreal dx = std::round(3 * frame.pointer.x());
    const qreal dy = std::round(2 * frame.pointer.y());
    const double blink = frame.blink();

    painter.save();
    painter.translate(dx, dy);
    for (qreal ex : {68.0, 116.0}) {
        if (greeting || frame.mood == CloudMood::ready) {
            painter.fillPath(rects({{ex - 4, 68, 4, 8}, {ex, 64, 8, 4}, {ex + 8, 68, 4, 8}}),
                             CloudColors::navy());
            continue;
        }
        const qreal h = blink < 1 ? 2 : frame.mood == CloudMood::thinking ? 12 : 16;
        painter.fillRect(QRectF(ex, 72 - h / 2, 8, h), CloudColors::navy());
        if (blink == 1)
            painter.fillRect(QRectF(ex, 72 - h / 2, 4, 4), CloudColors::white());
    }
    painter.restore();

    painter.save();
    painter.translate(dx / 2, dy / 2);
    const bool restingFace = !greeting && !frame.hovering;
    if (restingFace && frame.mood == CloudMood::listening)
        painter.fillPath(rects({{94, 84, 8, 4}, {90, 88, 4, 8}, {102, 88, 4, 8}, {94, 96, 8, 4}}),
                         CloudColors::navy());
    else if (restingFace && frame.mood == CloudMood::thinking)
        painter.fillRect(QRectF(92, 88, 12, 4), CloudColors::navy());
    else
        painter.fillPath(PixelCloudPaths::smile(), CloudColors::navy());
    painter.restore();
}

} // namespace

QTransform CloudCompanionPainter::cloudTransform(qreal size, const CloudCompanionFrame& frame) {
    const double t = frame.time;
    const double bob = 3.2 * std::sin(0.9 * t) + 0.8 * std::sin(0.41 * t);
    const double breathe = 1 + 0.005 * std::sin(0.75 * t);
    const qreal scale = size / designWidth;
    return QTransform()
        .scale(scale, scale)
        .translate(120 + 1.5 * frame.pointer.x(), 88 + bob + jumpOf(frame.greetingProgress()))
        .scale(breathe, breathe)
        .translate(-96, -64);
}

void CloudCompanionPainter::paint(QPainter& painter, qreal size, const CloudCompanionFrame& frame) {
    painter.save();
    const QTransform origin = painter.transform();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / designWidth, size / designWidth);
    drawAccentPixels(painter, frame.time);
    if (const auto progress = frame.greetingProgress())
        drawGreetingPixels(painter, *progress);
    painter.setTransform(cloudTransform(size, frame) * origin);
    drawCloudBody(painter);
    drawFace(painter, frame);
    painter.restore();
}

} // namespace corvel
