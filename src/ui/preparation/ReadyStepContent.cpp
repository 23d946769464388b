#include "ui/preparation/ReadyStepContent.h"

#include "account/GoogleAuthStore.h"
#include "listening/MacPermissionStore.h"
#include "session/AppStore.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/GoogleSignInButton.h"
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

ReadyStepContent::ReadyStepContent(OnboardingView& guide, QWidget* parent)
    : GuideStepContent(parent), m_guide(guide) {
    const AppEnvironment& environment = guide.environment();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_title = makeGuideTitle({}, this);
    column->addWidget(m_title);
    column->addSpacing(22);
    column->addWidget(makeGuideDescription(
        QStringLiteral("Add the job description and your resume. Start when your call is about to "
                       "begin; your answer cues appear beside it."),
        this));

    auto* rows = new QVBoxLayout;
    rows->setContentsMargins(0, 26, 0, 26);
    rows->setSpacing(14);
    m_speech = addSummaryRow(rows, QStringLiteral("Speech recognition"));
    m_callAudio = addSummaryRow(rows, QStringLiteral("Call audio"));
    m_account = addSummaryRow(rows, QStringLiteral("Interview account"));
    // The account row has a coloured square where the others have a symbol.
    m_account.mark->setFixedSize(7, 7);
    column->addLayout(rows);

    m_signIn = new QWidget(this);
    auto* signIn = new QVBoxLayout(m_signIn);
    signIn->setContentsMargins(0, 0, 0, 18);
    signIn->addWidget(new GoogleSignInButton(environment, m_signIn), 0, Qt::AlignLeft);
    column->addWidget(m_signIn);

    m_prepare =
        new ActionButton(QStringLiteral("Prepare my interview"), QStringLiteral("arrow.right"),
                         true, false, std::nullopt, guide.preferences(), this);
    connect(m_prepare, &ActionButton::clicked, &guide, &OnboardingView::finish);
    column->addWidget(m_prepare, 0, Qt::AlignLeft);

    m_note = new SpacedLabel(QStringLiteral("Finish audio setup before starting your call. You can "
                                            "reopen this guide at any time."),
                             appFont(11, QFont::Normal), Palette::secondary(), 4, this);
    addWithSpacingAbove(column, m_note, 16);

    auto* microphone = new QWidget(this);
    auto* microphoneColumn = new QVBoxLayout(microphone);
    microphoneColumn->setContentsMargins(0, 12, 0, 0);
    microphoneColumn->setSpacing(12);
    microphoneColumn->addWidget(new SpacedLabel(
        QStringLiteral("Microphone mode is optional. It hears your voice too, so you confirm the "
                       "interviewer’s question manually."),
        appFont(11, QFont::Normal), Palette::secondary(), 4, microphone));
    m_microphoneAllowed = new PlainLabel(QStringLiteral("Microphone access allowed"),
                                         appFont(11, QFont::Medium), Palette::ink(), microphone);
    microphoneColumn->addWidget(m_microphoneAllowed);
    auto* microphoneButton =
        new LinkButton({}, {}, appFont(12, QFont::Medium), Palette::ink(), microphone);
    connect(microphoneButton, &QAbstractButton::clicked, this, &ReadyStepContent::pressMicrophone);
    m_microphone = microphoneButton;
    microphoneColumn->addWidget(microphoneButton, 0, Qt::AlignLeft);
    m_unavailable = new PlainLabel(ComputerTexts::microphoneSettingsUnavailable(),
                                   appFont(11, QFont::Normal), Palette::secondary(), microphone);
    m_unavailable->setWordWrap(true);
    microphoneColumn->addWidget(m_unavailable);
    auto* disclosure =
        new DisclosureGroup(QStringLiteral("Using microphone mode instead?"), microphone,
                            appFont(11, QFont::Normal), Palette::secondary(), this);
    disclosure->setExpanded(guide.showMicrophone());
    connect(disclosure, &DisclosureGroup::expandedChanged, &guide,
            &OnboardingView::setShowMicrophone);
    column->addSpacing(26);
    column->addWidget(disclosure);
    column->addStretch(1);

    MacPermissionStore& permissions = environment.permissions;
    for (const auto changed :
         {&MacPermissionStore::speechChanged, &MacPermissionStore::callAudioChanged,
          &MacPermissionStore::microphoneChanged, &MacPermissionStore::requestingChanged})
        connect(&permissions, changed, this, &ReadyStepContent::refresh);
    for (const auto changed : {&GoogleAuthStore::accountChanged, &GoogleAuthStore::isBusyChanged})
        connect(&environment.auth, changed, this, &ReadyStepContent::refresh);
    for (const auto changed : {&AppStore::isCloudConfiguredChanged, &AppStore::hasAPIKeyChanged,
                               &AppStore::cloudAccountChanged, &AppStore::cloudAccountErrorChanged,
                               &AppStore::isRefreshingCloudAccountChanged})
        connect(&environment.store, changed, this, &ReadyStepContent::refresh);
    refresh();
}

ReadyStepContent::SummaryRow ReadyStepContent::addSummaryRow(QVBoxLayout* rows,
                                                             const QString& title) {
    auto* row = new QHBoxLayout;
    row->setSpacing(9);
    auto* mark = new SymbolMark({}, 11, Palette::ink(), this);
    row->addWidget(mark, 0, Qt::AlignVCenter);
    row->addWidget(new PlainLabel(title, appFont(12, QFont::Medium), Palette::ink(), this));
    row->addStretch(1);
    auto* status = new PlainLabel({}, appFont(11, QFont::Normal), Palette::secondary(), this);
    row->addWidget(status);
    rows->addLayout(row);
    return {mark, status};
}

QString ReadyStepContent::accountStatus() const {
    return m_account.status->text();
}

void ReadyStepContent::pressMicrophone() {
    const ReadyStepLook look = readyStepLook(m_guide.state(), false, false, false);
    MacPermissionStore& permissions = m_guide.environment().permissions;
    if (look.microphoneAction == PermissionStepLook::Action::openSettings) {
        m_settingsFailed = !permissions.provider().openSettings(MacPermissionKind::microphone);
    } else {
        m_guide.markAttempted(MacPermissionKind::microphone);
        permissions.request(MacPermissionKind::microphone);
    }
    refresh();
}

void ReadyStepContent::refresh() {
    const AppEnvironment& environment = m_guide.environment();
    const AppStore& store = environment.store;
    const bool accountReady = interviewAccountReady(
        store.isCloudConfigured(), store.canStartCloudSession(), store.hasAPIKey());
    const ReadyStepLook look =
        readyStepLook(m_guide.state(), accountReady, environment.auth.account().has_value(),
                      environment.auth.isConfigured());
    m_title->setText(QString(look.title).replace(QLatin1Char('\n'), QChar::LineSeparator));
    m_title->setAccessibleName(look.title);
    const auto permissionRow = [](SummaryRow& row, bool allowed) {
        static_cast<SymbolMark*>(row.mark)->setSymbol(allowed ? QStringLiteral("checkmark")
                                                              : QStringLiteral("minus"));
        row.status->setText(allowed ? QStringLiteral("Allowed") : QStringLiteral("To finish"));
    };
    permissionRow(m_speech, look.speechAllowed);
    permissionRow(m_callAudio, look.callAudioAllowed);
    fillBackground(m_account.mark, look.accountReady ? Palette::green() : Palette::orange());
    m_account.status->setText(look.accountStatus);
    m_signIn->setVisible(look.signInButton);
    m_prepare->setEnabled(look.prepareEnabled);
    m_note->setVisible(look.finishAudioNote);
    m_microphoneAllowed->setVisible(look.microphoneAllowed);
    m_microphone->setVisible(!look.microphoneAllowed);
    m_microphone->setText(look.microphoneButtonTitle);
    m_microphone->setEnabled(look.microphoneButtonEnabled);
    m_unavailable->setVisible(m_settingsFailed && !look.microphoneAllowed);
}

} // namespace corvel
