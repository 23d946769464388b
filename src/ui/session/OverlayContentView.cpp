#include "ui/session/OverlayContentView.h"

#include "listening/AudioCapture.h"
#include "session/AppStore.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/BrandMark.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/ScrollArea.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/session/AnswerText.h"
#include "ui/session/CaptureHelpView.h"
#include "ui/session/CaptureStatusView.h"
#include "ui/session/ColorSquare.h"
#include "ui/session/DeferredRefresh.h"
#include "ui/session/SessionFacts.h"
#include "ui/session/TextTail.h"
#include "ui/session/X11WindowStates.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace corvel {

namespace {

QFont systemFont(int pixelSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(pixelSize);
    return font;
}

LinkButton* symbolButton(const QString& symbol, const QString& name, QWidget* parent) {
    auto* button = new LinkButton({}, symbol, systemFont(11), Palette::ink(), parent);
    button->setPadding(QMargins(4, 4, 4, 4));
    button->setAccessibleName(name);
    return button;
}

PlainLabel* caption(const QString& text, QWidget* parent) {
    return new PlainLabel(text, tracked(appFont(10, QFont::Medium), 0.8), Palette::secondary(),
                          parent);
}

QWidget* column(int spacing, QWidget* parent) {
    auto* widget = new QWidget(parent);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return widget;
}

} // namespace

OverlayContentView::OverlayContentView(AppStore& store, AudioCapture& audio, bool compact,
                                       const AccessibilityPreferences* preferences, QWidget* parent)
    : QWidget(parent), m_store(store), m_audio(audio), m_compact(compact),
      m_preferences(preferences), m_refresh(new DeferredRefresh([this] { refresh(); }, this)) {
    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(buildHeader());
    m_layout->addWidget(buildStatusBlock());
    m_layout->addWidget(buildQuestionBlock());
    m_layout->addWidget(buildAnswerArea(), 1);
    m_layout->addWidget(buildFooter());
    applySizes();

    for (auto changed :
         {&AppStore::currentAnswerChanged, &AppStore::currentQuestionChanged,
          &AppStore::isGeneratingChanged, &AppStore::sessionPhaseChanged,
          &AppStore::isSessionActiveChanged, &AppStore::isPausedChanged,
          &AppStore::overlayOpacityChanged, &AppStore::automaticAnswersChanged,
          &AppStore::audioSourceChanged, &AppStore::contextChanged, &AppStore::messageChanged})
        connect(&m_store, changed, m_refresh, &DeferredRefresh::request);
    for (auto changed : {&AudioCapture::healthChanged, &AudioCapture::transcriptChanged,
                         &AudioCapture::errorChanged})
        connect(&m_audio, changed, m_refresh, &DeferredRefresh::request);
    if (m_preferences)
        connect(m_preferences, &AccessibilityPreferences::reduceTransparencyChanged, m_refresh,
                &DeferredRefresh::request);
    refresh();
}

QWidget* OverlayContentView::buildHeader() {
    auto* header = new QWidget(this);
    m_header = header;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(new BrandMark(19, false, header));
    row->addWidget(new PlainLabel(QStringLiteral("corvel interview"),
                                  tracked(appFont(13, QFont::Medium), -0.3), Palette::ink(),
                                  header));
    row->addStretch();

    m_tag = new QWidget(header);
    auto* tag = new QHBoxLayout(m_tag);
    tag->setContentsMargins(0, 0, 0, 0);
    tag->setSpacing(6);
    m_tagSquare = new ColorSquare(Palette::green(), 5, m_tag);
    tag->addWidget(m_tagSquare);
    m_tagCaption = new PlainLabel({}, appFont(10, QFont::Normal), Palette::secondary(), m_tag);
    tag->addWidget(m_tagCaption);
    row->addWidget(m_tag);

    m_pause = symbolButton(QStringLiteral("pause.fill"), QStringLiteral("Pause listening"), header);
    connect(m_pause, &LinkButton::clicked, &m_store, &AppStore::togglePause);
    row->addWidget(m_pause);
    m_hide = symbolButton(QStringLiteral("xmark"), QStringLiteral("Hide floating window"), header);
    // Orders the panel out when there is one, then clears the flag.
    connect(m_hide, &LinkButton::clicked, &m_store, &AppStore::hideOverlay);
    row->addWidget(m_hide);
    return header;
}

CaptureStatusView* OverlayContentView::captureStatus(QWidget* parent) {
    return new CaptureStatusView(
        m_audio, {}, AudioSource::system, false,
        [this](const QString& language) { m_store.changeInterviewLanguage(language); },
        m_preferences, parent);
}

QWidget* OverlayContentView::buildStatusBlock() {
    m_statusBlock = column(7, this);
    m_statusLabel = new PlainLabel({}, appFont(11, QFont::Normal), Palette::secondary());
    m_statusBlock->layout()->addWidget(m_statusLabel);
    m_blockStatus = captureStatus(m_statusBlock);
    m_statusBlock->layout()->addWidget(m_blockStatus);
    return m_statusBlock;
}

QWidget* OverlayContentView::buildQuestionBlock() {
    m_questionBlock = column(7, this);
    m_questionBlock->layout()->addWidget(
        caption(QStringLiteral("INTERVIEWER’S QUESTION"), m_questionBlock));
    m_question = new SpacedLabel({}, appFont(18, QFont::Medium), Palette::ink(), 5);
    m_question->setTracking(-0.25);
    m_question->setMaximumLines(4);
    m_question->setSelectable(true);
    m_questionBlock->layout()->addWidget(m_question);
    return m_questionBlock;
}

QWidget* OverlayContentView::buildAnswerArea() {
    auto* content = new QWidget;
    auto* items = new QVBoxLayout(content);
    items->setContentsMargins(0, 0, 0, 0);
    m_answer = new AnswerText(m_store.currentAnswer(), false, m_compact, m_store.isGenerating());
    m_answer->setContentsMargins(0, 0, 0, 8);
    items->addWidget(m_answer);

    m_empty = column(18, content);
    auto* empty = static_cast<QVBoxLayout*>(m_empty->layout());
    auto* glyph = new PixelGlyph(PixelGlyph::Kind::wave, Palette::ink(), 48);
    auto* glyphBox = new QVBoxLayout;
    glyphBox->setContentsMargins(0, 12, 0, 0);
    glyphBox->addWidget(glyph);
    empty->addLayout(glyphBox);
    m_emptyTitle =
        new SpacedLabel({}, tracked(appFont(23, QFont::Medium), -0.5), Palette::ink(), 0);
    empty->addWidget(m_emptyTitle);
    m_emptyHint = new SpacedLabel({}, appFont(13, QFont::Normal), Palette::secondary(), 5);
    empty->addWidget(m_emptyHint);
    m_lastWords = column(18, m_empty);
    m_lastWords->layout()->addWidget(caption(QStringLiteral("LAST WORDS HEARD"), m_lastWords));
    m_lastWordsText = new SpacedLabel({}, appFont(13, QFont::Normal), Palette::ink(), 4);
    m_lastWordsText->setMaximumLines(4);
    m_lastWords->layout()->addWidget(m_lastWordsText);
    empty->addWidget(m_lastWords);
    empty->addWidget(new CaptureHelpView(m_store, m_audio, true, m_empty, m_preferences));
    items->addWidget(m_empty);
    items->addStretch();

    m_scroll = makeScrollArea(this);
    // See-through, so the card shows behind the answer; growing as the answer streams repaints
    // only what it uncovers.
    setScrollContent(m_scroll, content);
    content->setAttribute(Qt::WA_StaticContents);
    m_answer->setAttribute(Qt::WA_StaticContents);
    return m_scroll;
}

QWidget* OverlayContentView::buildFooter() {
    m_footer = column(0, this);
    m_resumeFooter = new PlainLabel(OverlayText::resumeFooter(), appFont(11, QFont::Normal),
                                    Palette::secondary(), m_footer);
    m_footer->layout()->addWidget(m_resumeFooter);

    m_noteFooter = column(10, m_footer);
    m_footerStatus = captureStatus(m_noteFooter);
    m_noteFooter->layout()->addWidget(m_footerStatus);
    auto* row = new QHBoxLayout;
    m_note = new PlainLabel({}, appFont(10, QFont::Normal), Palette::secondary(), m_noteFooter);
    row->addWidget(m_note);
    row->addStretch();
    auto* squares = new QHBoxLayout;
    squares->setSpacing(3);
    for (const QColor& color : AnswerText::accents())
        squares->addWidget(new ColorSquare(color, 4, m_noteFooter));
    row->addLayout(squares);
    static_cast<QVBoxLayout*>(m_noteFooter->layout())->addLayout(row);
    m_footer->layout()->addWidget(m_noteFooter);
    return m_footer;
}

void OverlayContentView::setCompact(bool compact) {
    if (compact == m_compact)
        return;
    m_compact = compact;
    applySizes();
}

void OverlayContentView::applySizes() {
    const int padding = m_compact ? 20 : 28;
    m_layout->setContentsMargins(padding, padding, padding, padding);
    m_layout->setSpacing(m_compact ? 18 : 24);
    m_question->setFont(tracked(appFont(m_compact ? 16 : 18, QFont::Medium), -0.25));
    m_answer->setCompact(m_compact);
}

OverlayState OverlayContentView::state() const {
    OverlayState state;
    state.phase = m_store.sessionPhase();
    state.generating = m_store.isGenerating();
    state.paused = m_store.isPaused();
    state.manualMode = SessionFacts::of(m_store).manualMode;
    state.health = m_audio.health();
    state.transcript = m_audio.transcript();
    state.captureError = m_audio.error();
    state.message = m_store.message();
    state.question = m_store.currentQuestion();
    state.answer = m_store.currentAnswer();
    return state;
}

double OverlayContentView::backgroundOpacity() const {
    return OverlayText::backgroundOpacity(m_store.overlayOpacity(),
                                          m_preferences && m_preferences->reduceTransparency(),
                                          m_translucency);
}

void OverlayContentView::showEvent(QShowEvent* event) {
    // Asked when shown: a compositor may have started or stopped since.
    m_translucency = windowTranslucencyAvailable();
    m_refresh->request();
    QWidget::showEvent(event);
}

void OverlayContentView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    fillRounded(painter, rect(), 6, Palette::withOpacity(Palette::canvas(), backgroundOpacity()));
}

void OverlayContentView::refresh() {
    const OverlayState now = state();
    const SessionFacts facts = SessionFacts::of(m_store);
    const bool answerLayout = OverlayText::showsAnswerLayout(now);

    const auto tag = OverlayText::statusTag(now);
    m_tag->setVisible(tag.has_value());
    if (tag) {
        m_tagSquare->setColor(tag->square);
        m_tagCaption->setText(tag->caption);
    }
    m_pause->setVisible(m_store.isSessionActive());
    m_pause->setSymbol(now.paused ? QStringLiteral("play.fill") : QStringLiteral("pause.fill"));
    m_pause->setAccessibleName(now.paused ? QStringLiteral("Resume session")
                                          : QStringLiteral("Pause listening"));

    m_statusBlock->setVisible(!answerLayout);
    const auto label = OverlayText::statusLabel(now.phase);
    m_statusLabel->setVisible(label.has_value());
    m_statusLabel->setText(label.value_or(QString()));
    for (CaptureStatusView* status : {m_blockStatus, m_footerStatus})
        status->setState(facts.language, facts.source, now.paused);

    m_questionBlock->setVisible(!now.question.isEmpty());
    m_question->setText(now.question);
    m_question->setToolTip(plainToolTip(now.question));

    const bool hasText = !now.answer.isEmpty();
    // An answer starts at its top, wherever the empty state before it was scrolled.
    if (hasText && m_empty->isVisibleTo(m_scroll))
        m_scroll->verticalScrollBar()->setValue(0);
    m_answer->setAnswer(now.answer, now.generating);
    m_answer->setVisible(hasText);
    m_empty->setVisible(!hasText);
    if (!hasText) {
        m_emptyTitle->setText(OverlayText::emptyTitle(now));
        m_emptyHint->setText(OverlayText::emptyHint(now));
        m_lastWords->setVisible(!now.transcript.isEmpty());
        m_lastWordsText->setText(lastCharacters(now.transcript, OverlayText::lastWordsCharacters));
        // New words heard scroll the empty state until they show: in the compact window they
        // would otherwise sit below the fold.
        if (!now.transcript.isEmpty() && now.transcript != m_shownTranscript)
            revealOnNextTurn(m_scroll, m_lastWordsText, 8);
    }
    m_shownTranscript = now.transcript;

    m_resumeFooter->setVisible(!answerLayout);
    m_noteFooter->setVisible(answerLayout);
    m_note->setText(OverlayText::footerNote(now));
    const double opacity = backgroundOpacity();
    if (opacity != m_paintedOpacity) {
        m_paintedOpacity = opacity;
        update();
    }
}

} // namespace corvel
