#include "ui/foundation/PixelCloudPaths.h"

#include <algorithm>
#include <array>

namespace corvel {

namespace {

constexpr std::array<int, 50> bankHeights = {
    120, 104, 88,  120, 144, 152, 136, 112, 88,  72,  104, 136, 160, 176, 184, 208, 224,
    216, 232, 256, 248, 232, 216, 224, 248, 256, 240, 216, 200, 216, 232, 248, 224, 208,
    184, 160, 176, 160, 128, 104, 80,  56,  72,  104, 128, 112, 88,  72,  104, 136};

constexpr qreal bankWidth = 1600;
constexpr qreal bankHeight = 320;
constexpr qreal bankStep = 32;
// Every bank keeps at least this strip above the bottom edge.
constexpr qreal bankLowestTop = 304;

} // namespace

QPainterPath PixelCloudPaths::polygon(const QList<QPointF>& points) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (points.isEmpty())
        return path;
    path.moveTo(points.first());
    for (qsizetype i = 1; i < points.size(); ++i)
        path.lineTo(points.at(i));
    path.closeSubpath();
    return path;
}

const QPainterPath& PixelCloudPaths::body() {
    static const QPainterPath path =
        polygon({{64, 8},    {104, 8},   {104, 16}, {120, 16}, {120, 32},  {128, 32},  {128, 48},
                 {144, 48},  {144, 40},  {160, 40}, {160, 48}, {168, 48},  {168, 64},  {184, 64},
                 {184, 80},  {192, 80},  {192, 96}, {176, 96}, {176, 104}, {152, 104}, {152, 112},
                 {128, 112}, {128, 120}, {64, 120}, {64, 112}, {40, 112},  {40, 104},  {16, 104},
                 {16, 96},   {0, 96},    {0, 80},   {8, 80},   {8, 64},    {24, 64},   {24, 56},
                 {40, 56},   {40, 40},   {56, 40},  {56, 24},  {64, 24}});
    return path;
}

const QPainterPath& PixelCloudPaths::shadow() {
    static const QPainterPath path = polygon({{0, 88},
                                              {24, 88},
                                              {24, 96},
                                              {48, 96},
                                              {48, 104},
                                              {72, 104},
                                              {72, 112},
                                              {128, 112},
                                              {128, 104},
                                              {152, 104},
                                              {152, 96},
                                              {176, 96},
                                              {176, 88},
                                              {192, 88},
                                              {192, 128},
                                              {0, 128}});
    return path;
}

const QPainterPath& PixelCloudPaths::deepShadow() {
    static const QPainterPath path = polygon({{0, 104},
                                              {40, 104},
                                              {40, 112},
                                              {72, 112},
                                              {72, 120},
                                              {128, 120},
                                              {128, 112},
                                              {152, 112},
                                              {152, 104},
                                              {192, 104},
                                              {192, 128},
                                              {0, 128}});
    return path;
}

const QPainterPath& PixelCloudPaths::highlight() {
    static const QPainterPath path = polygon({{16, 64},
                                              {40, 64},
                                              {40, 56},
                                              {56, 56},
                                              {56, 48},
                                              {64, 48},
                                              {64, 40},
                                              {72, 40},
                                              {72, 24},
                                              {88, 24},
                                              {88, 16},
                                              {64, 16},
                                              {64, 24},
                                              {56, 24},
                                              {56, 40},
                                              {40, 40},
                                              {40, 56},
                                              {24, 56},
                                              {24, 64}});
    return path;
}

const QPainterPath& PixelCloudPaths::smile() {
    static const QPainterPath path = polygon({{84, 84},
                                              {92, 84},
                                              {92, 88},
                                              {104, 88},
                                              {104, 84},
                                              {112, 84},
                                              {112, 92},
                                              {104, 92},
                                              {104, 96},
                                              {92, 96},
                                              {92, 92},
                                              {84, 92}});
    return path;
}

QPainterPath PixelCloudPaths::bank(qreal offset) {
    const auto top = [offset](qreal height) { return std::min(offset + height, bankLowestTop); };
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(0, bankHeight);
    path.lineTo(0, top(bankHeights.front()));
    for (std::size_t i = 0; i < bankHeights.size(); ++i) {
        const qreal y = top(bankHeights[i]);
        path.lineTo(bankStep * qreal(i), y);
        path.lineTo(bankStep * qreal(i) + bankStep, y);
    }
    path.lineTo(bankWidth, bankHeight);
    path.closeSubpath();
    return path;
}

} // namespace corvel
