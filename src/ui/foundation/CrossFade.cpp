#include "ui/foundation/CrossFade.h"

#include "ui/foundation/AccessibilityPreferences.h"

#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

namespace corvel {

namespace {

// The leaving picture, drawn over its old place at a falling opacity; it takes no clicks.
class FadingPicture final : public QWidget {
public:
    FadingPicture(const QPixmap& picture, QWidget* parent) : QWidget(parent), m_picture(picture) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void setOpacity(qreal opacity) {
        m_opacity = opacity;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setOpacity(m_opacity);
        painter.drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
    qreal m_opacity = 1;
};

} // namespace

void crossFade(QWidget* leaving, QWidget* entering, int durationMs, const QEasingCurve& curve,
               const AccessibilityPreferences* preferences) {
    if (!leaving || !entering || !leaving->isVisible() || !leaving->parentWidget() ||
        (preferences && preferences->reduceMotion()))
        return;
    auto* picture = new FadingPicture(leaving->grab(), leaving->parentWidget());
    picture->setGeometry(leaving->geometry());
    picture->show();
    picture->raise();
    auto* effect = new QGraphicsOpacityEffect(entering);
    effect->setOpacity(0);
    entering->setGraphicsEffect(effect);

    auto* animation = new QVariantAnimation(picture);
    animation->setDuration(durationMs);
    animation->setEasingCurve(curve);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    QPointer<QGraphicsOpacityEffect> fadingIn(effect);
    QObject::connect(animation, &QVariantAnimation::valueChanged, picture,
                     [picture, fadingIn](const QVariant& value) {
                         picture->setOpacity(1 - value.toReal());
                         if (fadingIn)
                             fadingIn->setOpacity(value.toReal());
                     });
    // The effect renders through a pixmap; once faded in, the widget draws directly again.
    QPointer<QWidget> target(entering);
    QObject::connect(animation, &QVariantAnimation::finished, picture, [picture, target, fadingIn] {
        if (target && fadingIn && target->graphicsEffect() == fadingIn)
            target->setGraphicsEffect(nullptr);
        picture->deleteLater();
    });
    animation->start();
}

} // namespace corvel
