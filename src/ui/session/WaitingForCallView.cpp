#include "ui/session/WaitingForCallView.h"

#include "listening/AudioCapture.h"
#include "session/AppStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/CloudConversationIllustration.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/Surface.h"
#include "ui/foundation/SymbolMark.h"
#include "ui/session/CaptureStatusView.h"
#include "ui/session/DeferredRefresh.h"
#include "ui/session/SessionFacts.h"
#include "ui/session/SessionScreenText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvel {

namespace {

// A checklist item, informative only: the checkmark beside a label, announced as its text.
QWidget* checkItem(const QString& text, QWidget* parent) {
    const QFont font = appFont(12, QFont::Normal);
    auto* item = new QWidget(parent);
    auto* row = new QHBoxLayout(item);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(new SymbolMark(QStringLiteral("checkmark"),
                                  qRound(QFontMetricsF(font).capHeight() * 1.25),
                                  Palette::secondary(), item));
    row->addWidget(new PlainLabel(text, font, Palette::secondary(), item));
    return item;
}

} // namespace

WaitingForCallView::WaitingForCallView(AppStore& store, AudioCapture& audio,
                                       const AccessibilityPreferences* preferences,
                                       UptimeClock& clock, QWidget* parent)
    : QWidget(parent), m_store(store), m_audio(audio),
      m_illustration(new CloudConversationIllustration(true, false, preferences, clock)),
      m_status(new CaptureStatusView(audio, {}, AudioSource::system, false, {}, preferences)),
      m_headline(new SpacedLabel({}, appFont(27, QFont::Medium), Palette::ink(), 0)),
      m_explanation(new SpacedLabel({}, appFont(14, QFont::Normal), Palette::secondary(), 6)),
      m_notes(nullptr), m_refresh(new DeferredRefresh([this] { refresh(); }, this)) {
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(26);

    auto* top = new QHBoxLayout;
    top->setSpacing(36);
    top->addWidget(m_illustration, 0, Qt::AlignLeft | Qt::AlignVCenter);
    // The words take their natural height, centred beside the illustration.
    auto* words = new QVBoxLayout;
    words->setSpacing(14);
    words->addStretch();
    words->addWidget(m_status, 0, Qt::AlignLeft);
    m_headline->setTracking(-0.65);
    words->addWidget(m_headline);
    m_explanation->setMaximumWidth(480);
    words->addWidget(m_explanation);
    words->addStretch();
    top->addLayout(words);
    top->addStretch(1);
    column->addLayout(top);

    auto* checklist = new QHBoxLayout;
    checklist->setSpacing(24);
    checklist->addWidget(checkItem(QStringLiteral("Resume loaded"), content));
    checklist->addWidget(checkItem(QStringLiteral("Job description added"), content));
    m_notes = checkItem(QStringLiteral("Additional information added"), content);
    checklist->addWidget(m_notes);
    checklist->addStretch();
    column->addLayout(checklist);
    column->addStretch();

    auto* card = new Surface(content, 36, this);
    card->setMinimumHeight(330);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(card);

    for (auto changed : {&AppStore::sessionPhaseChanged, &AppStore::isPausedChanged,
                         &AppStore::automaticAnswersChanged, &AppStore::audioSourceChanged,
                         &AppStore::contextChanged, &AppStore::isSessionActiveChanged})
        connect(&m_store, changed, m_refresh, &DeferredRefresh::request);
    for (auto changed : {&AudioCapture::healthChanged, &AudioCapture::transcriptChanged})
        connect(&m_audio, changed, m_refresh, &DeferredRefresh::request);
    refresh();
}

QString WaitingForCallView::headline() const {
    return SessionScreenText::waitingHeadline(m_store.sessionPhase(), m_audio.health(),
                                              !m_audio.transcript().isEmpty());
}

QString WaitingForCallView::explanation() const {
    return SessionScreenText::waitingExplanation(
        m_store.sessionPhase(), SessionFacts::of(m_store).source, m_store.automaticAnswers());
}

void WaitingForCallView::refresh() {
    const SessionFacts facts = SessionFacts::of(m_store);
    m_illustration->setAnimated(SessionScreenText::illustrationAnimated(m_store.sessionPhase()));
    m_illustration->setPaused(m_store.isPaused());
    m_status->setState(facts.language, facts.source, m_store.isPaused());
    m_headline->setText(headline());
    m_explanation->setText(explanation());
    m_notes->setVisible(!facts.context.notes.isEmpty());
}

} // namespace corvel
