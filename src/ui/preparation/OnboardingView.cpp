#include "ui/preparation/OnboardingView.h"

#include "listening/MacPermissionStore.h"
#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/BrandMark.h"
#include "ui/foundation/CloudCompanion.h"
#include "ui/foundation/CrossFade.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelSkyBackdrop.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/ScrollArea.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/StepTransition.h"
#include "ui/preparation/ComputerTexts.h"
#include "ui/preparation/PermissionStepContent.h"
#include "ui/preparation/ReadyStepContent.h"
#include "ui/preparation/WelcomeStepContent.h"

#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollArea>
#include <QShortcut>
#include <QShowEvent>

namespace corvel {

namespace {

// One segment per step, dark up to the current one.
class GuideProgress final : public QWidget {
public:
    explicit GuideProgress(QWidget* parent) : QWidget(parent) { setFixedSize(4 * 26 + 3 * 6, 4); }
    void setStep(GuidedSetupStep step) {
        m_step = step;
        setAccessibleName(guideProgressLabel(step));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (const GuidedSetupStep step : allGuidedSetupSteps()) {
            QColor color = Palette::ink();
            if (rawValue(step) > rawValue(m_step))
                color.setAlphaF(0.1);
            painter.fillRect(QRect(rawValue(step) * (26 + 6), 0, 26, 4), color);
        }
    }

private:
    GuidedSetupStep m_step = GuidedSetupStep::welcome;
};

// The sky behind the companion, faded out towards all four edges.
class GuideSky final : public QWidget {
public:
    explicit GuideSky(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hideFromAccessibility(this);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QImage sky(size() * devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
        sky.setDevicePixelRatio(devicePixelRatioF());
        sky.fill(Qt::transparent);
        QPainter layer(&sky);
        PixelSkyBackdrop::paint(layer, QSizeF(size()), 0.55);
        layer.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        const auto fade = [](QPointF from, QPointF to, qreal in, qreal out) {
            QLinearGradient gradient(from, to);
            gradient.setColorAt(0, Qt::transparent);
            gradient.setColorAt(in, Qt::white);
            gradient.setColorAt(out, Qt::white);
            gradient.setColorAt(1, Qt::transparent);
            return gradient;
        };
        layer.fillRect(rect(), fade(QPointF(0, 0), QPointF(0, height()), 0.16, 0.85));
        layer.fillRect(rect(), fade(QPointF(0, 0), QPointF(width(), 0), 0.15, 0.85));
        layer.end();
        QPainter(this).drawImage(0, 0, sky);
    }
};

QWidget* decorativeSquares(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    for (const QColor& color :
         {Palette::pink(), Palette::cyan(), Palette::green(), Palette::orange()}) {
        auto* square = new QWidget(row);
        square->setFixedSize(6, 6);
        fillBackground(square, color);
        layout->addWidget(square);
    }
    hideFromAccessibility(row);
    return row;
}

} // namespace

OnboardingView::OnboardingView(AppEnvironment environment, GuidedSetupStep initialStep,
                               std::function<void()> onFinish, QWidget* parent)
    : QWidget(parent), m_environment(environment), m_onFinish(std::move(onFinish)),
      m_step(initialStep), m_shownStep(initialStep) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, Palette::ink());
    setPalette(colors);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(48, 32, 48, 32);
    column->setSpacing(0);
    column->addWidget(buildHeader());
    column->addSpacing(24);
    column->addStretch(1);
    auto* row = new QHBoxLayout;
    row->setSpacing(68);
    row->addStretch(1);
    row->addWidget(buildGuideColumn(), 0, Qt::AlignVCenter);
    row->addWidget(buildContentColumn(), 0, Qt::AlignVCenter);
    row->addStretch(1);
    column->addLayout(row);
    column->addSpacing(24);
    column->addStretch(1);
    column->addWidget(buildFooter());

    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &OnboardingView::activateDefault);
    }
    MacPermissionStore& permissions = m_environment.permissions;
    for (const auto changed :
         {&MacPermissionStore::speechChanged, &MacPermissionStore::callAudioChanged,
          &MacPermissionStore::requestingChanged})
        connect(&permissions, changed, this, &OnboardingView::refresh);
    rebuildContent();
}

OnboardingView::~OnboardingView() {
    m_environment.permissions.cancelRequest();
}

QWidget* OnboardingView::buildHeader() {
    auto* header = new QWidget(this);
    header->setFixedHeight(36);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(new BrandMark(28, false, header));
    QFont wordmark = appFont(21, QFont::DemiBold);
    wordmark.setLetterSpacing(QFont::AbsoluteSpacing, -0.7);
    row->addWidget(
        new PlainLabel(QStringLiteral("corvel interview"), wordmark, Palette::ink(), header));
    row->addStretch(1);
    auto* progress = new GuideProgress(header);
    progress->setObjectName(QStringLiteral("guideProgress"));
    m_progress = progress;
    row->addWidget(progress);
    return header;
}

QWidget* OnboardingView::buildGuideColumn() {
    auto* guide = new QWidget(this);
    guide->setFixedWidth(330);
    auto* column = new QVBoxLayout(guide);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(24);

    auto* art = new QWidget(guide);
    art->setFixedSize(330, 310);
    auto* sky = new GuideSky(art);
    sky->setGeometry(art->rect());
    m_companion = new CloudCompanion(290, CloudMood::welcome, true, 0, preferences(),
                                     systemUptimeClock(), art);
    const QSize companion = m_companion->sizeHint();
    m_companion->setGeometry(
        QRect(QPoint((330 - companion.width()) / 2, (310 - companion.height()) / 2), companion));
    column->addWidget(art, 0, Qt::AlignHCenter);

    m_sentence = new SpacedLabel({}, appFont(15, QFont::Medium), Palette::ink(), 4, guide);
    m_sentence->setObjectName(QStringLiteral("guideSentence"));
    m_sentence->setAlignment(Qt::AlignHCenter);
    // At most 280 wide, centred in the column: the margins keep the wrapping label's height right.
    auto* sentenceRow = new QHBoxLayout;
    sentenceRow->setContentsMargins(25, 0, 25, 0);
    sentenceRow->addWidget(m_sentence);
    column->addLayout(sentenceRow);
    column->addWidget(decorativeSquares(guide), 0, Qt::AlignHCenter);
    return guide;
}

QWidget* OnboardingView::buildContentColumn() {
    m_scroll = makeScrollArea(this);
    m_scroll->setFixedWidth(440);
    // The column keeps its full height so the rows beside it do not jump between steps.
    m_scroll->setFixedHeight(530);
    auto* inner = new QWidget(m_scroll);
    auto* contentLayout = new QVBoxLayout(inner);
    contentLayout->setContentsMargins(0, 12, 0, 12);
    contentLayout->setSpacing(0);
    m_contentLabel = new PlainLabel({}, appFont(12, QFont::Normal), Palette::secondary(), inner);
    m_contentLabel->setObjectName(QStringLiteral("guideContentLabel"));
    contentLayout->addWidget(m_contentLabel);
    contentLayout->addSpacing(20);
    m_transition = new StepTransition(preferences(), inner);
    contentLayout->addWidget(m_transition);
    contentLayout->addStretch(1);
    setScrollContent(m_scroll, inner);
    return m_scroll;
}

QWidget* OnboardingView::buildFooter() {
    auto* footer = new QWidget(this);
    footer->setFixedHeight(32);
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(0, 0, 0, 0);
    m_madeFor = new PlainLabel(ComputerTexts::madeFor(), appFont(11, QFont::Normal),
                               Palette::secondary(), footer);
    row->addWidget(m_madeFor);
    auto* back = new LinkButton(QStringLiteral("Back"), QStringLiteral("arrow.left"),
                                appFont(12, QFont::Normal), Palette::ink(), footer);
    back->setObjectName(QStringLiteral("guideBack"));
    connect(back, &QAbstractButton::clicked, this, &OnboardingView::back);
    m_back = back;
    row->addWidget(back);
    row->addStretch(1);
    auto* skip = new LinkButton(QStringLiteral("Skip setup for now"), {},
                                appFont(12, QFont::Normal), Palette::secondary(), footer);
    skip->setObjectName(QStringLiteral("guideSkip"));
    connect(skip, &QAbstractButton::clicked, this, &OnboardingView::finish);
    m_skip = skip;
    row->addWidget(skip);
    return footer;
}

GuidedSetupState OnboardingView::state() const {
    const MacPermissionStore& permissions = m_environment.permissions;
    GuidedSetupState state;
    state.speech = permissions.speech();
    state.callAudio = permissions.callAudio();
    state.microphone = permissions.microphone();
    state.requesting = permissions.requesting().has_value();
    state.attemptedSpeech = m_attemptedSpeech;
    state.attemptedCallAudio = m_attemptedCallAudio;
    state.attemptedMicrophone = m_attemptedMicrophone;
    return state;
}

// The new content comes on the next turn: the old one may be in the middle of its own click.
void OnboardingView::goTo(GuidedSetupStep step) {
    if (step == m_step)
        return;
    m_step = step;
    refresh();
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_rebuildPending = false;
            rebuildContent();
        },
        Qt::QueuedConnection);
}

void OnboardingView::advance() {
    goTo(advancedStep(m_step));
}

void OnboardingView::back() {
    if (m_environment.permissions.requesting())
        return;
    goTo(previousStep(m_step));
}

// The guide ends once: a second press before the caller replaces it does nothing.
void OnboardingView::finish() {
    if (m_environment.permissions.requesting() || m_finished)
        return;
    m_finished = true;
    if (m_onFinish)
        m_onFinish();
}

void OnboardingView::markAttempted(MacPermissionKind kind) {
    switch (kind) {
    case MacPermissionKind::speech:
        m_attemptedSpeech = true;
        break;
    case MacPermissionKind::callAudio:
        m_attemptedCallAudio = true;
        break;
    case MacPermissionKind::microphone:
        m_attemptedMicrophone = true;
        break;
    }
}

void OnboardingView::activateDefault() {
    if (m_environment.permissions.requesting() || !m_content || m_rebuildPending)
        return;
    ActionButton* button = m_content->defaultButton();
    if (button && button->isVisible() && button->isEnabled())
        button->click();
}

void OnboardingView::rebuildContent() {
    // The guide sentence, the companion's mood and the content label change with the content, in
    // the same transition; the progress bar and the footer changed at once.
    for (QWidget* part : {static_cast<QWidget*>(m_sentence), static_cast<QWidget*>(m_companion),
                          static_cast<QWidget*>(m_contentLabel)})
        crossFade(part, part, StepTransition::durationMs, StepTransition::curve(), preferences());
    m_shownStep = m_step;
    QWidget* host = m_transition;
    switch (m_step) {
    case GuidedSetupStep::welcome:
        m_content = new WelcomeStepContent(*this, host);
        break;
    case GuidedSetupStep::speech:
        m_content = new PermissionStepContent(*this, MacPermissionKind::speech, host);
        break;
    case GuidedSetupStep::callAudio:
        m_content = new PermissionStepContent(*this, MacPermissionKind::callAudio, host);
        break;
    case GuidedSetupStep::ready:
        m_content = new ReadyStepContent(*this, host);
        break;
    }
    m_transition->setContent(m_content);
    // Tab reads the new step before the footer.
    orderFocusAfter(m_content, m_back->parentWidget());
    refresh();
}

void OnboardingView::refresh() {
    const GuidedSetupState current = state();
    static_cast<GuideProgress*>(m_progress)->setStep(m_step);
    m_companion->setMood(guideMood(m_shownStep, current));
    m_sentence->setText(guideSentence(m_shownStep, current));
    m_contentLabel->setText(guideContentLabel(m_shownStep));
    const bool welcome = m_step == GuidedSetupStep::welcome;
    m_madeFor->setVisible(welcome);
    m_back->setVisible(!welcome);
    m_back->setEnabled(!current.requesting);
    m_skip->setEnabled(!current.requesting);
}

void OnboardingView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        m_environment.permissions.refresh();
}

// A minimised window hides its widgets spontaneously; only a real removal abandons the request.
void OnboardingView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_environment.permissions.cancelRequest();
}

} // namespace corvel
