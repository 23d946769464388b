#include "ui/preparation/PermissionStepContent.h"

#include "listening/MacPermissionStore.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/ActivitySpinner.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/SpacingAbove.h"
#include "ui/foundation/SymbolMark.h"
#include "ui/preparation/ComputerTexts.h"
#include "ui/preparation/GuideText.h"
#include "ui/preparation/OnboardingView.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvel {

namespace {

// The status card: green once allowed, else a light white.
QColor statusCardFill(bool allowed) {
    QColor fill = allowed ? Palette::green() : QColor(Qt::white);
    fill.setAlphaF(allowed ? 0.13 : 0.72);
    return fill;
}

struct StepTexts {
    QString heading;
    QString explanation;
};

StepTexts stepTexts(MacPermissionKind kind) {
    if (kind == MacPermissionKind::speech)
        return {QStringLiteral("Turn speech\ninto questions."),
                QStringLiteral("Speech Recognition turns the interviewer’s words into text so "
                               "Corvel Interview can suggest a clear answer.")};
    return {QStringLiteral("Hear the call.\nKeep your focus."),
            QStringLiteral("Allow call audio to hear the interviewer through Zoom, Meet or your "
                           "calling app. Your microphone is not used in this mode.")};
}

} // namespace

PermissionStepContent::PermissionStepContent(OnboardingView& guide, MacPermissionKind kind,
                                             QWidget* parent)
    : GuideStepContent(parent), m_guide(guide), m_kind(kind) {
    const StepTexts texts = stepTexts(kind);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeGuideTitle(texts.heading, this));
    column->addSpacing(22);
    column->addWidget(makeGuideDescription(texts.explanation, this));
    column->addSpacing(26);

    auto* card = new RoundedCard(statusCardFill(false), this);
    m_card = card;
    auto* cardColumn = new QVBoxLayout(card);
    cardColumn->setContentsMargins(20, 20, 20, 20);
    cardColumn->setSpacing(12);
    auto* statusRow = new QHBoxLayout;
    statusRow->setSpacing(9);
    m_symbol = new SymbolMark({}, 12, Palette::ink(), card);
    statusRow->addWidget(m_symbol);
    m_status = new PlainLabel({}, appFont(12, QFont::Medium), Palette::ink(), card);
    m_status->setObjectName(QStringLiteral("permissionStatus"));
    statusRow->addWidget(m_status, 1);
    cardColumn->addLayout(statusRow);
    m_hint = new SpacedLabel({}, appFont(12, QFont::Normal), Palette::secondary(), 5, card);
    m_hint->setObjectName(QStringLiteral("permissionHint"));
    cardColumn->addWidget(m_hint);
    column->addWidget(card);
    column->addSpacing(26);

    auto* controls = new QHBoxLayout;
    controls->setSpacing(16);
    m_primary = new ActionButton({}, {}, true, false, std::nullopt, guide.preferences(), this);
    connect(m_primary, &ActionButton::clicked, this, &PermissionStepContent::press);
    controls->addWidget(m_primary);
    m_spinner = new ActivitySpinner(guide.environment().preferences, 16, this);
    controls->addWidget(m_spinner);
    controls->addStretch(1);
    column->addLayout(controls);

    m_unavailable = new PlainLabel(kind == MacPermissionKind::speech
                                       ? ComputerTexts::speechSettingsUnavailable()
                                       : ComputerTexts::callAudioSettingsUnavailable(),
                                   appFont(12, QFont::Normal), Palette::secondary(), this);
    m_unavailable->setWordWrap(true);
    addWithSpacingAbove(column, m_unavailable, 12);

    auto* checkAgain = new LinkButton(QStringLiteral("Check again"), {}, appFont(12, QFont::Medium),
                                      Palette::ink(), this);
    connect(checkAgain, &QAbstractButton::clicked, this, [this] {
        m_settingsFailed = false;
        m_guide.environment().permissions.refresh();
        refresh();
    });
    m_checkAgain = checkAgain;
    addWithSpacingAbove(column, checkAgain, 18, Qt::AlignLeft);

    auto* later = new LinkButton(QStringLiteral("I’ll do this later"), {},
                                 appFont(12, QFont::Normal), Palette::secondary(), this);
    connect(later, &QAbstractButton::clicked, &guide, &OnboardingView::advance);
    m_later = later;
    addWithSpacingAbove(column, later, 18, Qt::AlignLeft);
    column->addStretch(1);

    MacPermissionStore& permissions = guide.environment().permissions;
    for (const auto changed :
         {&MacPermissionStore::speechChanged, &MacPermissionStore::callAudioChanged,
          &MacPermissionStore::requestingChanged})
        connect(&permissions, changed, this, &PermissionStepContent::refresh);
    refresh();
}

ActionButton* PermissionStepContent::defaultButton() const {
    return permissionStepLook(m_kind, m_guide.state()).buttonIsDefault ? m_primary : nullptr;
}

void PermissionStepContent::press() {
    const PermissionStepLook look = permissionStepLook(m_kind, m_guide.state());
    MacPermissionStore& permissions = m_guide.environment().permissions;
    switch (look.action) {
    case PermissionStepLook::Action::advance:
        m_guide.advance();
        return;
    case PermissionStepLook::Action::openSettings:
        m_settingsFailed = !permissions.provider().openSettings(m_kind);
        refresh();
        return;
    case PermissionStepLook::Action::request:
        m_guide.markAttempted(m_kind);
        permissions.request(m_kind);
        // The request may finish at once (nothing to ask): show the step as attempted now.
        refresh();
        return;
    }
}

void PermissionStepContent::refresh() {
    const PermissionStepLook look = permissionStepLook(m_kind, m_guide.state());
    m_card->setFill(statusCardFill(look.allowed));
    m_symbol->setSymbol(look.allowed ? QStringLiteral("checkmark") : QStringLiteral("lock.open"));
    m_status->setText(look.statusLine);
    m_hint->setText(look.hint);
    m_primary->setTitle(look.buttonTitle);
    m_primary->setIcon(look.buttonIcon);
    m_primary->setEnabled(look.buttonEnabled);
    m_spinner->setVisible(look.spinner);
    m_unavailable->setVisible(m_settingsFailed && !look.allowed);
    m_checkAgain->setVisible(look.checkAgain);
    m_later->setEnabled(look.laterEnabled);
}

} // namespace corvel
