#include "ui/preparation/ProfileView.h"

#include "account/GoogleAuthStore.h"
#include "session/AppStore.h"
#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/CrossFade.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/GoogleSignInButton.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/ScrollArea.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/preparation/CallPreparationSection.h"
#include "ui/preparation/ComputerTexts.h"
#include "ui/preparation/JobPreparationSection.h"
#include "ui/preparation/PreparationCopilotView.h"
#include "ui/preparation/ResumePreparationSection.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScrollArea>
#include <QShortcut>

namespace corvel {

namespace {

QColor stepAccent(PreparationStep step, qreal alpha = 1) {
    QColor color = step == PreparationStep::role     ? Palette::pink()
                   : step == PreparationStep::resume ? Palette::cyan()
                                                     : Palette::green();
    color.setAlphaF(alpha);
    return color;
}

QFont titleFont(bool compact) {
    QFont font = appFont(compact ? 28 : 32, QFont::Medium);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.9);
    return font;
}

QFont headingFont(bool compact) {
    QFont font = appFont(compact ? 24 : 28, QFont::Medium);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.65);
    return font;
}

// One item of the step navigation: its number (or a check once done) and its title.
class StepItem final : public QAbstractButton {
public:
    StepItem(PreparationStep step, QWidget* parent)
        : QAbstractButton(parent), m_step(step),
          m_title(new PlainLabel(preparationStepTitle(step), appFont(12, QFont::Normal),
                                 Palette::secondary(), this)) {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::TabFocus);
        (new FocusRing(this))->setOutline({}, 3);
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 10, 8, 10);
        row->setSpacing(9);
        m_mark = new QWidget(this);
        m_mark->setFixedSize(24, 24);
        auto* markLayout = new QHBoxLayout(m_mark);
        markLayout->setContentsMargins(0, 0, 0, 0);
        m_number = new PlainLabel({}, appFont(10, QFont::Medium), Palette::ink(), m_mark);
        m_number->setAlignment(Qt::AlignCenter);
        markLayout->addWidget(m_number);
        m_check = new PixelGlyph(PixelGlyph::Kind::check, Palette::ink(), 12, m_mark);
        m_check->move(6, 6);
        row->addWidget(m_mark);
        row->addWidget(m_title, 1);
        for (QWidget* child : {m_mark, static_cast<QWidget*>(m_title)})
            child->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void apply(const StepMarkerLook& look) {
        m_current = look.current;
        m_markColor = look.filled ? stepAccent(m_step) : Palette::surface();
        m_number->setText(look.number);
        m_number->setVisible(!look.check);
        m_check->setVisible(look.check);
        m_title->setFont(appFont(12, look.current ? QFont::DemiBold : QFont::Normal));
        m_title->setTextColor(look.current ? Palette::ink() : Palette::secondary());
        setAccessibleName(look.accessibleLabel);
        setAccessibleDescription(look.accessibleValue);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (m_current) {
            QPainterPath shape;
            shape.addRoundedRect(QRectF(rect()), 3, 3);
            painter.fillPath(shape, stepAccent(m_step, 0.09));
        }
        painter.fillRect(m_mark->geometry(), m_markColor);
    }
    QSize sizeHint() const override { return layout()->sizeHint(); }

private:
    PreparationStep m_step;
    PlainLabel* m_title;
    QWidget* m_mark;
    PlainLabel* m_number;
    PixelGlyph* m_check;
    bool m_current = false;
    QColor m_markColor;
};

} // namespace

ProfileView::ProfileView(AppEnvironment environment, std::optional<PreparationStep> initialStep,
                         QWidget* parent)
    : QWidget(parent), m_environment(environment) {
    AppStore& store = m_environment.store;
    if (initialStep)
        store.setPreparationStep(*initialStep);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(36, 20, 36, 28);
    column->setSpacing(24);
    column->addWidget(buildHeader());
    auto* body = new QHBoxLayout;
    body->setSpacing(24);
    body->addWidget(buildStepCard(), 1);
    m_copilot =
        new PreparationCopilotView(environment, store.preparationStep(), m_reactionID, this);
    m_copilot->setFixedWidth(304);
    body->addWidget(m_copilot);
    column->addLayout(body, 1);

    const std::pair<Qt::Key, PreparationStep> digits[] = {{Qt::Key_1, PreparationStep::role},
                                                          {Qt::Key_2, PreparationStep::resume},
                                                          {Qt::Key_3, PreparationStep::call}};
    for (const auto& [key, step] : digits) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | key), this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { select(step); });
    }
    auto* back = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left), this);
    connect(back, &QShortcut::activated, this, [this] {
        if (m_back->isVisible())
            m_back->click();
    });
    auto* forward = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right), this);
    connect(forward, &QShortcut::activated, this, [this] {
        if (m_primary->isVisible() && m_primary->isEnabled())
            m_primary->click();
    });

    for (const auto changed :
         {&AppStore::contextChanged, &AppStore::isSessionActiveChanged,
          &AppStore::isStartingChanged, &AppStore::isCloudConfiguredChanged,
          &AppStore::hasAPIKeyChanged, &AppStore::cloudAccountChanged,
          &AppStore::cloudAccountErrorChanged, &AppStore::isRefreshingCloudAccountChanged,
          &AppStore::preparationStepChanged})
        connect(&store, changed, this, &ProfileView::refresh);
    for (const auto changed : {&GoogleAuthStore::accountChanged, &GoogleAuthStore::isBusyChanged})
        connect(&m_environment.auth, changed, this, &ProfileView::refresh);
    refresh();
}

QWidget* ProfileView::buildHeader() {
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(8);
    m_title = new PlainLabel(QStringLiteral("A little preparation. A lot more clarity."),
                             titleFont(false), Palette::ink(), header);
    markAccessibleHeading(m_title);
    titles->addWidget(m_title);
    titles->addWidget(new PlainLabel(QStringLiteral("Your next interview, in three simple steps."),
                                     appFont(13, QFont::Normal), Palette::secondary(), header));
    row->addLayout(titles);
    row->addSpacing(20);
    row->addStretch(1);
    auto* saved = new QHBoxLayout;
    saved->setSpacing(7);
    auto* square = new QWidget(header);
    square->setFixedSize(5, 5);
    fillBackground(square, Palette::green());
    saved->addWidget(square, 0, Qt::AlignVCenter);
    saved->addWidget(new PlainLabel(ComputerTexts::savedOn(), appFont(11, QFont::Normal),
                                    Palette::secondary(), header));
    row->addLayout(saved);
    return header;
}

QWidget* ProfileView::buildStepCard() {
    auto* card = new RoundedCard(Qt::white, this);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* navigation = new QHBoxLayout;
    navigation->setContentsMargins(28, 24, 28, 20);
    navigation->setSpacing(8);
    for (const PreparationStep step : allPreparationSteps()) {
        auto* item = new StepItem(step, card);
        connect(item, &QAbstractButton::clicked, this, [this, step] { select(step); });
        m_items.append(item);
        navigation->addWidget(item, 1);
    }
    column->addLayout(navigation);

    auto* scroll = makeScrollArea(card);
    auto* content = new QWidget(scroll);
    auto* contentColumn = new QVBoxLayout(content);
    contentColumn->setContentsMargins(28, 0, 28, 24);
    contentColumn->setSpacing(24);
    auto* headings = new QVBoxLayout;
    headings->setSpacing(7);
    m_heading = new PlainLabel({}, headingFont(false), Palette::ink(), content);
    markAccessibleHeading(m_heading);
    m_subtitle = new SpacedLabel({}, appFont(13, QFont::Normal), Palette::secondary(), 4, content);
    headings->addWidget(m_heading);
    headings->addWidget(m_subtitle);
    contentColumn->addLayout(headings);
    m_sectionLayout = new QVBoxLayout;
    m_sectionLayout->setContentsMargins(0, 0, 0, 0);
    contentColumn->addLayout(m_sectionLayout);
    contentColumn->addStretch(1);
    setScrollContent(scroll, content);
    column->addWidget(scroll, 1);
    column->addWidget(buildFooter(card));
    return card;
}

QWidget* ProfileView::buildFooter(QWidget* parent) {
    auto* footer = new QWidget(parent);
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(28, 20, 28, 20);
    row->setSpacing(16);
    m_hint = new PlainLabel({}, appFont(11, QFont::Normal), Palette::secondary(), footer);
    row->addWidget(m_hint);
    auto* back = new LinkButton(QStringLiteral("Back"), QStringLiteral("arrow.left"),
                                appFont(12, QFont::Medium), Palette::ink(), footer);
    connect(back, &QAbstractButton::clicked, this, [this] {
        const auto look =
            preparationFooterLook(PreparationFacts::read(m_environment.store, m_environment.auth));
        if (look.back)
            select(*look.back);
    });
    back->setPadding(QMargins(0, 12, 0, 12));
    m_back = back;
    row->addWidget(back);
    row->addSpacing(8);
    row->addStretch(1);

    m_primary = new ActionButton({}, QStringLiteral("arrow.right"), true, true, std::nullopt,
                                 m_environment.preferences, footer);
    connect(m_primary, &ActionButton::clicked, this, &ProfileView::pressPrimary);
    row->addWidget(m_primary);
    m_signIn = new GoogleSignInButton(m_environment, footer);
    row->addWidget(m_signIn);
    m_loading =
        new ActionButton({}, {}, true, true, std::nullopt, m_environment.preferences, footer);
    m_loading->setEnabled(false);
    row->addWidget(m_loading);
    m_account = new ActionButton({}, QStringLiteral("arrow.right"), true, true, std::nullopt,
                                 m_environment.preferences, footer);
    connect(m_account, &ActionButton::clicked, this, &ProfileView::pressAccount);
    row->addWidget(m_account);
    return footer;
}

QAbstractButton* ProfileView::stepItem(PreparationStep step) const {
    return m_items.at(rawValue(step));
}

void ProfileView::select(PreparationStep step) {
    AppStore& store = m_environment.store;
    if (store.preparationStep() == step)
        return;
    store.save();
    store.setPreparationStep(step);
    ++m_reactionID;
    m_copilot->setReactionID(m_reactionID);
}

void ProfileView::pressPrimary() {
    const auto look =
        preparationFooterLook(PreparationFacts::read(m_environment.store, m_environment.auth));
    if (!look.enabled)
        return;
    AppStore& store = m_environment.store;
    switch (look.action) {
    case PreparationFooterLook::Action::select:
        select(*look.target);
        break;
    case PreparationFooterLook::Action::returnToSession:
        store.setSection(AppSection::session);
        break;
    case PreparationFooterLook::Action::launch:
        store.launchSession();
        break;
    default:
        break;
    }
}

void ProfileView::pressAccount() {
    const auto look =
        preparationFooterLook(PreparationFacts::read(m_environment.store, m_environment.auth));
    if (look.action == PreparationFooterLook::Action::refreshAccount)
        m_environment.store.refreshCloudAccount();
    else if (look.action == PreparationFooterLook::Action::openSettings)
        m_environment.store.setSection(AppSection::settings);
}

void ProfileView::rebuildSection() {
    AppStore& store = m_environment.store;
    const PreparationStep step = store.preparationStep();
    QWidget* leaving = m_section;
    QWidget* host = m_heading->parentWidget();
    switch (step) {
    case PreparationStep::role:
        m_section = new JobPreparationSection(store, m_compact, host);
        break;
    case PreparationStep::resume:
        m_section = new ResumePreparationSection(store, m_environment.preferences, host);
        break;
    case PreparationStep::call:
        m_section = new CallPreparationSection(
            store, [this](PreparationStep target) { select(target); }, m_compact,
            m_environment.preferences, host);
        break;
    }
    m_sectionStep = step;
    m_sectionLayout->addWidget(m_section);
    // Tab reads the section, the buttons under it, then the copilot card beside them.
    QWidget* footer = m_primary->parentWidget();
    orderFocusAfter(m_section, footer);
    orderFocusAfter(footer, m_copilot);
    // A step change cross-fades the sections over 0.2 s, at once under Reduce Motion.
    crossFade(leaving, m_section, 200, QEasingCurve::OutQuad, m_environment.preferences);
    bool keyboard = false;
    if (leaving) {
        keyboard = hideWithoutPassingFocus(leaving);
        leaving->deleteLater();
    }
    m_section->show();
    if (keyboard)
        focusFirstControl(m_section);
    m_heading->setText(preparationStepHeading(step));
    m_subtitle->setText(preparationStepSubtitle(step));
    m_copilot->setStep(step);
}

void ProfileView::applyCompact() {
    m_title->setFont(titleFont(m_compact));
    m_heading->setFont(headingFont(m_compact));
    m_copilot->setFixedWidth(m_compact ? 280 : 304);
    // The section stays as it is, so a field being typed in keeps its focus and cursor.
    if (auto* job = qobject_cast<JobPreparationSection*>(m_section))
        job->setCompact(m_compact);
    else if (auto* call = qobject_cast<CallPreparationSection*>(m_section))
        call->setCompact(m_compact);
}

void ProfileView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const bool compact = isCompactPreparation(event->size().height());
    if (compact == m_compact)
        return;
    m_compact = compact;
    applyCompact();
}

void ProfileView::refresh() {
    const PreparationFacts facts = PreparationFacts::read(m_environment.store, m_environment.auth);
    const bool stepChanged = m_sectionStep != facts.step;
    if (stepChanged)
        rebuildSection();
    // The copilot greets whenever the job or the résumé first becomes present.
    const bool gained =
        (m_hadJob == false && facts.hasJob) || (m_hadResume == false && facts.hasResume);
    m_hadJob = facts.hasJob;
    m_hadResume = facts.hasResume;
    if (gained) {
        ++m_reactionID;
        m_copilot->setReactionID(m_reactionID);
    }
    for (const PreparationStep step : allPreparationSteps())
        static_cast<StepItem*>(stepItem(step))->apply(stepMarkerLook(step, facts));

    const PreparationFooterLook look = preparationFooterLook(facts);
    using Right = PreparationFooterLook::Right;
    // The button pressed by keyboard turns off on a step that needs something first: the focus
    // goes on into that step rather than being dropped.
    if (stepChanged && FocusRing::shownOn(m_primary) &&
        !(look.right == Right::primary && look.enabled))
        focusFirstControl(m_section);
    m_hint->setText(look.hint);
    m_hint->setVisible(!look.hint.isEmpty());
    m_back->setVisible(look.back.has_value());
    m_primary->setVisible(look.right == Right::primary);
    m_primary->setTitle(look.title);
    m_primary->setEnabled(look.enabled);
    m_signIn->setVisible(look.right == Right::signIn);
    m_loading->setVisible(look.right == Right::loading);
    m_loading->setTitle(look.title);
    m_loading->setAccessibleName(look.title);
    m_account->setVisible(look.right == Right::accountButton);
    m_account->setTitle(look.title);
}

} // namespace corvel
