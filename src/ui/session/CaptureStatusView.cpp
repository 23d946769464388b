#include "ui/session/CaptureStatusView.h"

#include "listening/AudioCapture.h"
#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/SymbolImage.h"
#include "ui/session/CaptureText.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

namespace corvel {

namespace {
constexpr int barWidth = 3;
constexpr int barSpacing = 3;
constexpr QSize barsFrame(21, 16);
constexpr int levelEaseMilliseconds = 120;
} // namespace

class CaptureStatusView::LevelBars final : public QWidget {
public:
    explicit LevelBars(const CaptureStatusView* view, QWidget* parent)
        : QWidget(parent), m_view(view) {
        setFixedSize(barsFrame);
        hideFromAccessibility(this);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor color = m_view->barColor();
        const auto& heights = m_view->barHeights();
        for (std::size_t i = 0; i < heights.size(); ++i) {
            const double x = double(i) * (barWidth + barSpacing);
            painter.fillRect(QRectF(x, (height() - heights[i]) / 2, barWidth, heights[i]), color);
        }
    }

private:
    const CaptureStatusView* m_view;
};

CaptureStatusView::CaptureStatusView(AudioCapture& audio, const QString& language,
                                     AudioSource source, bool paused,
                                     LanguageChange onLanguageChange,
                                     const AccessibilityPreferences* preferences, QWidget* parent)
    : QWidget(parent), m_audio(audio), m_language(language), m_source(source), m_paused(paused),
      m_preferences(preferences), m_bars(new LevelBars(this, this)),
      m_health(new PlainLabel({}, appFont(11, QFont::Medium), Palette::ink(), this)),
      m_sourceText(new PlainLabel({}, appFont(10, QFont::Normal), Palette::secondary(), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(m_bars);
    layout->addWidget(m_health);
    layout->addWidget(m_sourceText);
    // One element for assistive technology, named in refresh(); the menu stays a control.
    hideFromAccessibility(m_health);
    hideFromAccessibility(m_sourceText);
    if (onLanguageChange) {
        m_menu = new QToolButton(this);
        m_menu->setAutoRaise(true);
        m_menu->setPopupMode(QToolButton::InstantPopup);
        new FocusRing(m_menu);
        m_menu->setFont(appFont(11, QFont::Normal));
        // Text and chevron alone in every state: the style would frame the button like a combo
        // box while its menu is open and until the pointer leaves it again after a choice, which
        // the open menu hid from it. A chevron of the label's cap height after the label, in
        // place of the style's tiny indicator at the baseline.
        m_menu->setStyleSheet(
            QStringLiteral("QToolButton { border: none; background: transparent; padding: 0px; }"
                           "QToolButton::menu-indicator { image: none; }"));
        const int side = qRound(QFontMetricsF(m_menu->font()).capHeight());
        QPixmap chevron(side * 2, side * 2);
        chevron.setDevicePixelRatio(2);
        chevron.fill(Qt::transparent);
        {
            QPainter painter(&chevron);
            painter.setRenderHint(QPainter::Antialiasing);
            SymbolImage::paint(painter, QStringLiteral("chevron.down"), QRectF(0, 0, side, side),
                               Palette::ink());
        }
        m_menu->setIcon(chevron);
        m_menu->setIconSize(QSize(side, side));
        m_menu->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        m_menu->setLayoutDirection(Qt::RightToLeft);
        m_menu->setToolTip(QStringLiteral(
            "Choose the language spoken in the call. Changing it restarts listening."));
        auto* menu = new QMenu(m_menu);
        menu->setLayoutDirection(Qt::LeftToRight);
        for (const QString& option : CaptureText::languages())
            menu->addAction(option, this, [onLanguageChange, option] { onLanguageChange(option); });
        m_menu->setMenu(menu);
        layout->addWidget(m_menu);
    } else {
        m_languageText = new PlainLabel({}, appFont(10, QFont::Normal), Palette::secondary(), this);
        hideFromAccessibility(m_languageText);
        layout->addWidget(m_languageText);
    }
    layout->addStretch();

    m_animation.setDuration(levelEaseMilliseconds);
    m_animation.setStartValue(0.0);
    m_animation.setEndValue(1.0);
    m_animation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        const double t = value.toDouble();
        for (std::size_t i = 0; i < m_shown.size(); ++i)
            m_shown[i] = m_from[i] + (m_target[i] - m_from[i]) * t;
        m_bars->update();
    });
    connect(&m_audio, &AudioCapture::levelChanged, this, &CaptureStatusView::followLevel);
    connect(&m_audio, &AudioCapture::healthChanged, this, &CaptureStatusView::refresh);
    m_target = m_shown = CaptureText::barHeights(m_audio.level(), m_paused);
    refresh();
}

void CaptureStatusView::setState(const QString& language, AudioSource source, bool paused) {
    if (language == m_language && source == m_source && paused == m_paused)
        return;
    m_language = language;
    m_source = source;
    const bool pauseChanged = paused != m_paused;
    m_paused = paused;
    if (pauseChanged)
        followLevel();
    refresh();
}

QColor CaptureStatusView::barColor() const {
    return CaptureText::barColor(m_paused, m_audio.health());
}

QString CaptureStatusView::healthText() const {
    return CaptureText::health(m_paused, m_audio.health());
}

bool CaptureStatusView::reduceMotion() const {
    return m_preferences && m_preferences->reduceMotion();
}

void CaptureStatusView::followLevel() {
    const auto target = CaptureText::barHeights(m_audio.level(), m_paused);
    if (target == m_target)
        return;
    m_target = target;
    m_animation.stop();
    // Hidden, or with Reduce Motion, the bars jump; nothing runs for a view nobody sees.
    if (!isVisible() || reduceMotion()) {
        m_shown = m_target;
        m_bars->update();
        return;
    }
    m_from = m_shown;
    m_animation.start();
}

void CaptureStatusView::hideEvent(QHideEvent* event) {
    m_animation.stop();
    m_shown = m_target;
    QWidget::hideEvent(event);
}

void CaptureStatusView::refresh() {
    const QString health = healthText();
    m_health->setText(health);
    const QString source = CaptureText::source(m_source);
    m_sourceText->setText(source);
    if (m_menu) {
        m_menu->setText(m_language);
        m_menu->setEnabled(CaptureText::languageMenuEnabled(m_audio.health()));
        m_menu->setAccessibleName(QStringLiteral("Interview language: ") + m_language);
    } else {
        m_languageText->setText(m_language);
    }
    // Read as one line: the bars are decoration.
    setAccessibleName(health + QStringLiteral(", ") + source + QStringLiteral(", ") + m_language);
    m_bars->update();
}

} // namespace corvel
