#include "Specimen.h"

#include "ui/foundation/CloudCompanion.h"
#include "ui/foundation/CloudCompanionPainter.h"
#include "ui/foundation/CloudConversationIllustration.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelSkyBackdrop.h"

#include <QPainter>

#include <functional>

namespace corvel::gallery {

namespace {

// Paints one chosen moment with a pure painter, so any frame can be looked at.
class FrameView final : public QWidget {
public:
    FrameView(QSize size, std::function<void(QPainter&)> paint) : m_paint(std::move(paint)) {
        setFixedSize(size);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_paint(painter);
    }

private:
    std::function<void(QPainter&)> m_paint;
};

double number(const SpecimenOptions& options, const QString& key, double fallback) {
    return options.setting(key, QString::number(fallback)).toDouble();
}

CloudMood moodOf(const SpecimenOptions& options) {
    if (options.hasState(QStringLiteral("listening")))
        return CloudMood::listening;
    if (options.hasState(QStringLiteral("ready")))
        return CloudMood::ready;
    if (options.hasState(QStringLiteral("thinking")))
        return CloudMood::thinking;
    return CloudMood::welcome;
}

// States name a mood and key moments: "blink" (t = 6.0), "greeting" (half-way through),
// "hover" (pointer at the right edge, lower half). Settings: size, time, greeting, px, py.
QWidget* companionFrame(const SpecimenOptions& options) {
    const qreal size = number(options, QStringLiteral("size"), 240);
    CloudCompanionFrame frame;
    frame.mood = moodOf(options);
    frame.time = number(options, QStringLiteral("time"),
                        options.hasState(QStringLiteral("blink")) ? 6.0 : 0.0);
    if (options.hasState(QStringLiteral("greeting")))
        frame.greetingElapsed = number(options, QStringLiteral("greeting"), 0.45);
    if (options.hasState(QStringLiteral("hover"))) {
        frame.hovering = true;
        frame.pointer = QPointF(number(options, QStringLiteral("px"), 1),
                                number(options, QStringLiteral("py"), 0.5));
    }
    return new FrameView(QSize(int(size), int(0.75 * size)), [size, frame](QPainter& painter) {
        CloudCompanionPainter::paint(painter, size, frame);
    });
}

// A live companion, to watch it or to measure what it costs while it animates.
QWidget* liveCompanion(const SpecimenOptions& options) {
    return new CloudCompanion(number(options, QStringLiteral("size"), 240), moodOf(options), true);
}

QWidget* sky(const SpecimenOptions& options) {
    QSize size(640, 400);
    if (options.hasState(QStringLiteral("wide")))
        size = QSize(800, 300);
    else if (options.hasState(QStringLiteral("tall")))
        size = QSize(300, 600);
    auto* view = new PixelSkyBackdrop(options.hasState(QStringLiteral("clear"))
                                          ? 0.0
                                          : number(options, QStringLiteral("sky"), 1));
    view->setFixedSize(size);
    return view;
}

// "left" or "right" names the speaker; "still" draws without motion. Setting: time.
QWidget* conversationFrame(const SpecimenOptions& options) {
    const bool leftSpeaking = !options.hasState(QStringLiteral("right"));
    const bool animated = !options.hasState(QStringLiteral("still"));
    const double time = number(options, QStringLiteral("time"), 0.7);
    return new FrameView(QSize(248, 164), [=](QPainter& painter) {
        CloudConversationIllustration::paint(painter, leftSpeaking, animated, time);
    });
}

QWidget* liveConversation(const SpecimenOptions& options) {
    return new CloudConversationIllustration(true, options.hasState(QStringLiteral("paused")));
}

} // namespace

void addCloudSpecimens(SpecimenList& specimens) {
    const QColor white(Qt::white);
    specimens.append({QStringLiteral("cloud-companion"),
                      {QStringLiteral("welcome"), QStringLiteral("listening"),
                       QStringLiteral("ready"), QStringLiteral("thinking"),
                       QStringLiteral("welcome+blink"), QStringLiteral("thinking+blink"),
                       QStringLiteral("welcome+greeting"), QStringLiteral("thinking+greeting"),
                       QStringLiteral("listening+hover"), QStringLiteral("thinking+hover")},
                      companionFrame,
                      Palette::skyLight()});
    specimens.append({QStringLiteral("cloud-companion-live"),
                      {QStringLiteral("welcome"), QStringLiteral("listening")},
                      liveCompanion,
                      Palette::skyLight()});
    specimens.append({QStringLiteral("pixel-sky"),
                      {QStringLiteral("idle"), QStringLiteral("wide"), QStringLiteral("tall"),
                       QStringLiteral("clear")},
                      sky,
                      white});
    specimens.append(
        {QStringLiteral("conversation"),
         {QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("left+still")},
         conversationFrame,
         white});
    specimens.append({QStringLiteral("conversation-live"),
                      {QStringLiteral("idle"), QStringLiteral("paused")},
                      liveConversation,
                      white});
}

} // namespace corvel::gallery
