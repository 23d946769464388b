#include "ui/preparation/PreparationCopilotView.h"

#include "account/GoogleAuthStore.h"
#include "session/AppStore.h"
#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/CloudCompanion.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/ScrollArea.h"
#include "ui/foundation/SpacedLabel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>

namespace corvel {

namespace {

QColor stepAccent(PreparationStep step) {
    switch (step) {
    case PreparationStep::role:
        return Palette::pink();
    case PreparationStep::resume:
        return Palette::cyan();
    case PreparationStep::call:
        break;
    }
    return Palette::green();
}

// Three bars sharing the width; the ones up to the current step in their accent.
class StepStrip final : public QWidget {
public:
    explicit StepStrip(QWidget* parent) : QWidget(parent) {
        setFixedHeight(3);
        hideFromAccessibility(this);
    }
    void setStep(PreparationStep step) {
        m_step = step;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const qreal bar = (width() - 2 * 6) / 3.0;
        for (const PreparationStep step : allPreparationSteps()) {
            const QColor color =
                rawValue(step) > rawValue(m_step) ? Palette::surface() : stepAccent(step);
            painter.fillRect(QRectF(rawValue(step) * (bar + 6), 0, bar, 3), color);
        }
    }

private:
    PreparationStep m_step = PreparationStep::role;
};

// The band of sky at the top of the card, cut to the card's rounded corners wherever the card's
// scrolling puts it.
class SkyBand final : public QWidget {
public:
    SkyBand(const QWidget* card, QWidget* parent) : QWidget(parent), m_card(card) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath card;
        card.addRoundedRect(QRectF(mapFrom(m_card, QPoint(0, 0)), QSizeF(m_card->size())), 6, 6);
        QPainterPath band;
        band.addRect(QRectF(rect()));
        painter.fillPath(band.intersected(card), Palette::skyLight());
    }

private:
    const QWidget* m_card;
};

} // namespace

PreparationCopilotView::PreparationCopilotView(AppEnvironment environment, PreparationStep step,
                                               int reactionID, QWidget* parent)
    : QWidget(parent), m_environment(environment), m_step(step), m_reactionID(reactionID) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* card = new RoundedCard(Qt::white, this);
    outer->addWidget(card);
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = makeScrollArea(card);
    cardLayout->addWidget(scroll);
    auto* inner = new QWidget(scroll);
    auto* column = new QVBoxLayout(inner);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setScrollContent(scroll, inner);

    auto* band = new SkyBand(card, inner);
    m_band = new QVBoxLayout(band);
    m_band->setContentsMargins(0, 24, 0, 16);
    m_band->setSpacing(8);
    QFont eyebrow = appFont(10, QFont::Medium);
    eyebrow.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    m_band->addWidget(
        new PlainLabel(QStringLiteral("YOUR COPILOT"), eyebrow, Palette::secondary(), band), 0,
        Qt::AlignHCenter);
    column->addWidget(band);

    auto* text = new QWidget(inner);
    m_text = new QVBoxLayout(text);
    m_text->setSpacing(20);
    auto* words = new QVBoxLayout;
    words->setSpacing(10);
    QFont heading = appFont(23, QFont::Medium);
    heading.setLetterSpacing(QFont::AbsoluteSpacing, -0.6);
    m_heading = new SpacedLabel({}, heading, Palette::ink(), 0, text);
    m_guidance = new SpacedLabel({}, appFont(13, QFont::Normal), Palette::secondary(), 5, text);
    words->addWidget(m_heading);
    words->addWidget(m_guidance);
    m_text->addLayout(words);
    m_strip = new StepStrip(text);
    m_text->addWidget(m_strip);
    m_caption = new PlainLabel({}, appFont(11, QFont::Normal), Palette::secondary(), text);
    m_text->addWidget(m_caption);

    m_route = new QWidget(text);
    auto* route = new QVBoxLayout(m_route);
    route->setContentsMargins(0, 0, 0, 0);
    route->setSpacing(12);
    auto* summaryRow = new QHBoxLayout;
    summaryRow->setSpacing(7);
    m_square = new QWidget(m_route);
    m_square->setFixedSize(5, 5);
    summaryRow->addWidget(m_square, 0, Qt::AlignVCenter);
    m_summary = new PlainLabel({}, appFont(11, QFont::Medium), Palette::ink(), m_route);
    m_summary->setWordWrap(true);
    summaryRow->addWidget(m_summary, 1);
    route->addLayout(summaryRow);
    auto* action = new LinkButton({}, QStringLiteral("arrow.up.right"), appFont(12, QFont::Medium),
                                  Palette::ink(), m_route);
    connect(action, &QAbstractButton::clicked, this, [this] {
        AppStore& store = m_environment.store;
        const CopilotLook current = look();
        store.save();
        if (current.action == CopilotLook::Action::refresh)
            store.refreshCloudAccount();
        else if (current.action == CopilotLook::Action::connect)
            store.setSection(AppSection::settings);
    });
    m_action = action;
    route->addWidget(action, 0, Qt::AlignLeft);
    m_text->addWidget(m_route);
    column->addWidget(text);
    column->addStretch(1);

    placeCompanion();
    AppStore& store = m_environment.store;
    for (const auto changed :
         {&AppStore::contextChanged, &AppStore::isSessionActiveChanged,
          &AppStore::isCloudConfiguredChanged, &AppStore::hasAPIKeyChanged,
          &AppStore::cloudAccountChanged, &AppStore::isRefreshingCloudAccountChanged,
          &AppStore::cloudAccountErrorChanged})
        connect(&store, changed, this, &PreparationCopilotView::refresh);
    connect(&m_environment.auth, &GoogleAuthStore::accountChanged, this,
            &PreparationCopilotView::refresh);
    refresh();
}

void PreparationCopilotView::setStep(PreparationStep step) {
    m_step = step;
    refresh();
}

void PreparationCopilotView::setReactionID(int reactionID) {
    m_reactionID = reactionID;
    m_companion->setReactionID(reactionID);
}

CopilotLook PreparationCopilotView::look() const {
    PreparationFacts facts = PreparationFacts::read(m_environment.store, m_environment.auth);
    facts.step = m_step;
    return copilotLook(facts);
}

// The companion's size is fixed when it is made, so a change of compactness makes a new one.
void PreparationCopilotView::placeCompanion() {
    const CloudMood mood = m_companion ? m_companion->mood() : CloudMood::welcome;
    delete m_companion;
    m_companion =
        new CloudCompanion(m_compact ? 190 : 220, mood, true, m_reactionID,
                           m_environment.preferences, systemUptimeClock(), m_band->parentWidget());
    m_band->addWidget(m_companion, 0, Qt::AlignHCenter);
    const int padding = m_compact ? 20 : 24;
    m_text->setContentsMargins(padding, padding, padding, padding);
}

void PreparationCopilotView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const bool compact = isCompactCopilot(height());
    if (compact == m_compact)
        return;
    m_compact = compact;
    placeCompanion();
    refresh();
}

void PreparationCopilotView::refresh() {
    const CopilotLook current = look();
    m_heading->setText(current.heading);
    m_heading->setVisible(!current.heading.isEmpty());
    m_guidance->setText(current.guidance);
    m_guidance->setVisible(!current.guidance.isEmpty());
    static_cast<StepStrip*>(m_strip)->setStep(m_step);
    m_caption->setText(current.caption);
    m_companion->setMood(current.mood);
    m_route->setVisible(current.routeBlock);
    fillBackground(m_square, current.square == CopilotLook::Square::ready ? Palette::green()
                             : current.square == CopilotLook::Square::refreshing
                                 ? Palette::cyan()
                                 : Palette::orange());
    m_summary->setText(current.summary);
    m_action->setVisible(current.action != CopilotLook::Action::none);
    m_action->setText(current.actionTitle);
}

} // namespace corvel
