#include "ui/session/SessionContentView.h"

#include "listening/AudioCapture.h"
#include "session/AppStore.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/ScrollArea.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/Surface.h"
#include "ui/foundation/TextArea.h"
#include "ui/session/CaptureHelpView.h"
#include "ui/session/CaptureStatusView.h"
#include "ui/session/ColorSquare.h"
#include "ui/session/DeferredRefresh.h"
#include "ui/session/ResponsePanel.h"
#include "ui/session/SessionFacts.h"
#include "ui/session/SessionScreenText.h"
#include "ui/session/SystemWording.h"
#include "ui/session/WaitingForCallView.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace corvel {

namespace {

constexpr int questionColumnWidth = 304;
constexpr QMargins disclosureMargins(4, 0, 4, 0);

} // namespace

SessionContentView::SessionContentView(const AppEnvironment& environment, AudioCapture& audio,
                                       UptimeClock& clock, SessionClock::Now now, QWidget* parent)
    : QWidget(parent), m_environment(environment), m_store(environment.store), m_audio(audio),
      m_refresh(new DeferredRefresh([this] { refresh(); }, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 20, 36, 28);
    layout->setSpacing(24);
    layout->addWidget(buildHeader(clock, now));

    auto* content = new QWidget;
    auto* items = new QVBoxLayout(content);
    items->setContentsMargins(0, 0, 0, 0);
    items->setSpacing(24);
    m_waiting = new WaitingForCallView(m_store, m_audio, environment.preferences, clock, content);
    items->addWidget(m_waiting);
    items->addWidget(buildConversation());
    items->addWidget(buildErrorCard(), 0, Qt::AlignLeft);
    m_help = new CaptureHelpView(m_store, m_audio, false, content, environment.preferences);
    items->addWidget(m_help);
    items->addWidget(buildDisclosures());
    items->addStretch();

    m_scroll = makeScrollArea(this);
    setScrollContent(m_scroll, content);
    // The wheel, the focus and an opened manual entry scroll it; no indicator shows.
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Growing as the answer streams repaints only what it uncovers.
    content->setAttribute(Qt::WA_StaticContents);
    m_conversation->setAttribute(Qt::WA_StaticContents);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(buildControlBar(), 0, Qt::AlignLeft);
    // Content that appears or grows by itself (capture help, error card, a streaming answer)
    // lays the content out again: the field being typed in keeps its place on screen.
    content->installEventFilter(this);
    m_manualQuestion->editor()->installEventFilter(this);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &SessionContentView::fitRoom);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            &SessionContentView::rememberFieldPlace);

    for (auto changed :
         {&AppStore::sessionPhaseChanged, &AppStore::contextChanged,
          &AppStore::currentQuestionChanged, &AppStore::questionDraftChanged,
          &AppStore::isPausedChanged, &AppStore::showOverlayChanged, &AppStore::audioSourceChanged,
          &AppStore::automaticAnswersChanged, &AppStore::isSessionActiveChanged})
        connect(&m_store, changed, m_refresh, &DeferredRefresh::request);
    connect(&m_audio, &AudioCapture::transcriptChanged, m_refresh, &DeferredRefresh::request);
    refresh();
}

QWidget* SessionContentView::buildHeader(UptimeClock& clock, SessionClock::Now now) {
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(10);
    m_title = new PlainLabel({}, tracked(appFont(34, QFont::Medium), -1), Palette::ink(), header);
    // User text on one line, elided: a long role or company never widens the screen.
    m_subtitle = new SpacedLabel({}, appFont(14, QFont::Normal), Palette::secondary(), 0, header);
    m_subtitle->setMaximumLines(1);
    titles->addWidget(m_title);
    titles->addWidget(m_subtitle);
    row->addLayout(titles, 1);
    m_clock = new SessionClock(m_store, clock, std::move(now), header);
    auto* clockColumn = new QVBoxLayout;
    clockColumn->setContentsMargins(0, 7, 0, 0);
    clockColumn->addWidget(m_clock);
    clockColumn->addStretch();
    row->addLayout(clockColumn);
    return header;
}

QWidget* SessionContentView::buildConversation() {
    m_conversation = new QWidget;
    auto* row = new QHBoxLayout(m_conversation);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(24);

    auto* column = new RoundedCard(Palette::withOpacity(Palette::cyan(), 0.1), m_conversation);
    column->setFixedWidth(questionColumnWidth);
    auto* items = new QVBoxLayout(column);
    items->setContentsMargins(24, 24, 24, 24);
    items->setSpacing(18);
    auto* labelRow = new QHBoxLayout;
    labelRow->setSpacing(8);
    labelRow->addWidget(new ColorSquare(Palette::cyan(), 9, column));
    m_questionLabel =
        new PlainLabel({}, tracked(appFont(11, QFont::Medium), 0.8), Palette::ink(), column);
    labelRow->addWidget(m_questionLabel);
    labelRow->addStretch();
    items->addLayout(labelRow);
    m_question = new SpacedLabel({}, appFont(20, QFont::Medium), Palette::ink(), 6, column);
    m_question->setSelectable(true);
    items->addWidget(m_question);
    m_guidance = new SpacedLabel({}, appFont(12, QFont::Normal), Palette::secondary(), 4, column);
    items->addWidget(m_guidance);
    m_useQuestion = new ActionButton(QStringLiteral("Use this question"), {}, true, true,
                                     Palette::cyan(), m_environment.preferences, column);
    connect(m_useQuestion, &ActionButton::clicked, &m_store, [this] { m_store.ask(); });
    items->addWidget(m_useQuestion, 0, Qt::AlignLeft);
    items->addStretch();
    row->addWidget(column, 0, Qt::AlignTop);

    m_response = new ResponsePanel(m_store, m_conversation);
    row->addWidget(m_response, 1, Qt::AlignTop);
    return m_conversation;
}

QWidget* SessionContentView::buildErrorCard() {
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);
    row->addWidget(new PixelGlyph(PixelGlyph::Kind::spark, Palette::orange(), 26, content));
    auto* words = new QVBoxLayout;
    words->setSpacing(5);
    words->addWidget(new PlainLabel(QStringLiteral("Your session needs attention."),
                                    appFont(14, QFont::Medium), Palette::ink(), content));
    words->addWidget(new PlainLabel(SystemWording::errorCardHint, appFont(12, QFont::Normal),
                                    Palette::secondary(), content));
    row->addLayout(words);
    auto* retry = new ActionButton(QStringLiteral("Try again"), {}, true, true, Palette::orange(),
                                   m_environment.preferences, content);
    connect(retry, &ActionButton::clicked, &m_store, &AppStore::retrySession);
    row->addWidget(retry);
    m_errorCard = new Surface(content, 20);
    return m_errorCard;
}

QWidget* SessionContentView::buildDisclosures() {
    auto* box = new QWidget;
    m_disclosures = box;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(disclosureMargins);
    column->setSpacing(24);

    m_transcript = new SpacedLabel({}, appFont(13, QFont::Normal), Palette::secondary(), 4);
    m_transcript->setSelectable(true);
    m_transcriptGroup = new DisclosureGroup(QStringLiteral("What the app heard"), m_transcript,
                                            appFont(12, QFont::Normal), Palette::ink(), box);
    m_transcriptGroup->setContentSpacing(12);
    column->addWidget(m_transcriptGroup);

    auto* entry = new QWidget;
    auto* items = new QVBoxLayout(entry);
    items->setContentsMargins(0, 0, 0, 0);
    items->setSpacing(12);
    m_manualQuestion = new TextArea(m_store.questionDraft(),
                                    QStringLiteral("Type the interview question…"), 100, entry);
    items->addWidget(m_manualQuestion);
    auto* hintRow = new QHBoxLayout;
    hintRow->addWidget(new PlainLabel(SystemWording::suggestShortcutHint,
                                      appFont(11, QFont::Normal), Palette::secondary(), entry));
    hintRow->addStretch();
    m_suggest = new ActionButton(QStringLiteral("Suggest an answer"), QStringLiteral("arrow.up"),
                                 true, true, Palette::cyan(), m_environment.preferences, entry);
    connect(m_suggest, &ActionButton::clicked, &m_store, [this] { m_store.ask(); });
    hintRow->addWidget(m_suggest);
    items->addLayout(hintRow);
    m_manualGroup = new DisclosureGroup(QStringLiteral("Add a question manually"), entry,
                                        appFont(12, QFont::Normal), Palette::ink(), box);
    m_manualGroup->setContentSpacing(14);
    connect(m_manualGroup, &DisclosureGroup::expandedChanged, this, [this](bool expanded) {
        m_showManualQuestion = expanded;
        // Opening the entry scrolls the screen until its button is in view.
        if (expanded)
            revealOnNextTurn(m_scroll, m_suggest, 12);
        rememberFieldPlace();
    });
    column->addWidget(m_manualGroup);

    // Typing makes the draft the user's own; each side is written only when the other differs.
    connect(m_manualQuestion, &TextArea::textChanged, this, [this](const QString& text) {
        if (text != m_store.questionDraft())
            m_store.setQuestionDraft(text);
    });
    return box;
}

QWidget* SessionContentView::buildControlBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    m_status = new CaptureStatusView(
        m_audio, {}, AudioSource::system, false,
        [this](const QString& language) { m_store.changeInterviewLanguage(language); },
        m_environment.preferences, bar);
    row->addWidget(m_status);
    m_overlayToggle = new LinkButton({}, QStringLiteral("rectangle.on.rectangle"),
                                     appFont(12, QFont::Normal), Palette::ink(), bar);
    m_overlayToggle->setPadding(QMargins(0, 0, 10, 0));
    connect(m_overlayToggle, &LinkButton::clicked, this, &SessionContentView::toggleOverlay);
    row->addWidget(m_overlayToggle);
    m_pause = new ActionButton(QStringLiteral("Pause"), QStringLiteral("pause.fill"), false, true,
                               std::nullopt, m_environment.preferences, bar);
    connect(m_pause, &ActionButton::clicked, &m_store, &AppStore::togglePause);
    row->addWidget(m_pause);
    auto* end = new ActionButton(QStringLiteral("End session"), {}, false, true, std::nullopt,
                                 m_environment.preferences, bar);
    connect(end, &ActionButton::clicked, &m_store, &AppStore::endSession);
    row->addWidget(end);
    return bar;
}

void SessionContentView::toggleOverlay() {
    if (m_store.showOverlay())
        m_store.hideOverlay();
    else
        m_store.openOverlay();
}

void SessionContentView::refresh() {
    const SessionFacts facts = SessionFacts::of(m_store);
    const SessionPhase phase = m_store.sessionPhase();
    const bool paused = m_store.isPaused();
    m_title->setText(SessionScreenText::title(phase));
    const QString subtitle = SessionScreenText::subtitle(facts.context);
    m_subtitle->setText(subtitle);
    m_subtitle->setToolTip(plainToolTip(subtitle));

    const QString& current = m_store.currentQuestion();
    const QString& draft = m_store.questionDraft();
    const bool waiting = current.isEmpty() && draft.isEmpty();
    m_waiting->setVisible(waiting);
    m_conversation->setVisible(!waiting);
    const QuestionColumn column(facts.manualMode, current, draft);
    m_questionLabel->setText(column.label);
    m_question->setText(column.question);
    m_guidance->setText(QuestionColumn::guidanceText(column.guidance));
    m_guidance->setVisible(column.guidance != QuestionColumn::Guidance::none);
    m_useQuestion->setVisible(column.guidance == QuestionColumn::Guidance::confirm);
    const bool canAsk = SessionScreenText::canAsk(paused, draft);
    m_useQuestion->setEnabled(canAsk);
    m_suggest->setEnabled(canAsk);

    m_errorCard->setVisible(phase == SessionPhase::error);
    m_transcript->setText(SessionScreenText::transcript(m_audio.transcript()));
    refreshQuestionDraft();

    m_status->setState(facts.language, facts.source, paused);
    m_overlayToggle->setText(m_store.showOverlay() ? QStringLiteral("Hide floating window")
                                                   : QStringLiteral("Floating window"));
    m_overlayToggle->setAccessibleName(m_overlayToggle->text());
    m_overlayToggle->updateGeometry();
    m_pause->setTitle(paused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
    m_pause->setIcon(paused ? QStringLiteral("play.fill") : QStringLiteral("pause.fill"));
}

bool SessionContentView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_scroll->widget() &&
        (type == QEvent::LayoutRequest || type == QEvent::Resize)) {
        if (type == QEvent::LayoutRequest)
            keepContentHeight();
        holdFocusedField();
    } else if (watched == m_manualQuestion->editor() && type == QEvent::FocusIn) {
        rememberFieldPlace();
    }
    return QWidget::eventFilter(watched, event);
}

void SessionContentView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The message banner that comes and goes above the screen moves the field as content above
    // it does; a field no one types in is simply found again.
    if (m_fieldY && typingInField())
        holdFocusedField();
    else
        rememberFieldPlace();
}

bool SessionContentView::typingInField() const {
    const QWidget* focus = window()->focusWidget();
    return m_manualQuestion->isVisible() && focus &&
           (focus == m_manualQuestion || m_manualQuestion->isAncestorOf(focus));
}

int SessionContentView::fieldY() const {
    return m_manualQuestion->mapTo(window(), QPoint()).y();
}

// Where the user sees the field once a click, Tab, scroll or resize has moved it: taken on the
// next turn, after the scroll that brings a focused field into view.
void SessionContentView::rememberFieldPlace() {
    QTimer::singleShot(0, this, [this] {
        m_fieldY = typingInField() ? std::optional<int>(fieldY()) : std::nullopt;
    });
}

// Once the content is laid out again: the field goes back where the user saw it, or, when no one
// types in it, room added for it earlier goes.
void SessionContentView::holdFocusedField() {
    if (m_holdPending || !(m_slack || m_roomAbove || (m_fieldY && typingInField())))
        return;
    m_holdPending = true;
    QTimer::singleShot(0, this, [this] {
        m_holdPending = false;
        if (m_fieldY && typingInField())
            scrollFieldTo(*m_fieldY);
        else
            fitRoom();
    });
}

// Keeps the field where the user saw it. Content above it that shrank (an error card that goes)
// leaves its room above the disclosures, so nothing on screen moves; content that grew takes that
// room back first, then scrolls the page, with room under the content where it has too little.
void SessionContentView::scrollFieldTo(int y) {
    QWidget* content = m_scroll->widget();
    content->layout()->activate();
    // Never below the bottom of the page's view, which a smaller window may have moved up.
    const int lowest = m_scroll->viewport()->mapTo(window(), QPoint()).y() +
                       m_scroll->viewport()->height() - m_manualQuestion->height();
    m_fieldY = y = qMin(y, lowest);
    const int moved = fieldY() - y;
    if (moved < 0) {
        setRoomAbove(m_roomAbove - moved);
        return;
    }
    const int givenBack = qMin(moved, m_roomAbove);
    setRoomAbove(m_roomAbove - givenBack);
    QScrollBar* bar = m_scroll->verticalScrollBar();
    const int wanted = bar->value() + moved - givenBack;
    if (wanted > bar->maximum()) {
        m_slack = true;
        content->setMinimumHeight(wanted + m_scroll->viewport()->height());
    }
    bar->setValue(wanted);
}

// While the user types, the content keeps its height until the field is put back: the scroll area
// would otherwise first cut the scroll to a shorter content, which moves everything on screen.
void SessionContentView::keepContentHeight() {
    QWidget* content = m_scroll->widget();
    if (!m_fieldY || !typingInField() || content->minimumHeight() >= content->height())
        return;
    m_slack = true;
    content->setMinimumHeight(content->height());
}

void SessionContentView::setRoomAbove(int height) {
    if (height == m_roomAbove)
        return;
    m_roomAbove = height;
    m_disclosures->layout()->setContentsMargins(disclosureMargins + QMargins(0, height, 0, 0));
    m_scroll->widget()->layout()->activate();
}

// Room stays only while the user types in the field; the room under the content goes as soon as
// the user scrolls back up past it.
void SessionContentView::fitRoom() {
    if (m_roomAbove && !typingInField())
        setRoomAbove(0);
    if (!m_slack)
        return;
    QWidget* content = m_scroll->widget();
    const int needed = qMax(content->layout()->totalHeightForWidth(content->width()),
                            m_scroll->viewport()->height());
    const int shown = m_scroll->verticalScrollBar()->value() + m_scroll->viewport()->height();
    m_slack = shown > needed && typingInField();
    content->setMinimumHeight(m_slack ? shown : 0);
    // The scroll area sizes its content again only on a resize; a lower minimum alone is not one.
    if (!m_slack)
        content->resize(content->width(), needed);
}

// The store rewrites the draft only when it holds no typed text (a heard question, or cleared):
// the cursor goes to the end so that the next keys add to it instead of landing inside it.
void SessionContentView::refreshQuestionDraft() {
    const QString& draft = m_store.questionDraft();
    if (m_manualQuestion->text() == draft)
        return;
    m_manualQuestion->setText(draft);
    m_manualQuestion->editor()->moveCursor(QTextCursor::End);
}

} // namespace corvel
