#include "ui/settings/AccountSettingsView.h"

#include "account/GoogleAuthStore.h"
#include "session/AppStore.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/BrandMark.h"
#include "ui/foundation/GoogleSignInButton.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/StatusTag.h"
#include "ui/foundation/Surface.h"
#include "ui/settings/AccountCardState.h"
#include "ui/settings/ComputerWording.h"
#include "ui/settings/PageLayout.h"
#include "ui/settings/SectionHeading.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvel {

AccountSettingsView::AccountSettingsView(AppEnvironment environment, QWidget* parent)
    : QWidget(parent), m_environment(environment) {
    auto* card = new QWidget;
    auto* column = bareColumn(card, 22);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(new SectionHeading(QStringLiteral("Your account"), wording::accountSubtitle(),
                                         Palette::cyan()),
                      1, Qt::AlignTop);
    m_tag = new StatusTag(QString(), false);
    header->addWidget(m_tag, 0, Qt::AlignTop);
    column->addLayout(header);

    m_signedIn = buildSignedIn();
    column->addWidget(m_signedIn);
    m_signedOut = buildSignedOut();
    column->addWidget(m_signedOut);
    m_note = new SpacedLabel(QString(), appFont(12, QFont::Normal), Palette::secondary(), 4);
    column->addWidget(m_note);
    column->addWidget(new SpacedLabel(wording::accountPrivacy(), appFont(11, QFont::Normal),
                                      Palette::secondary(), 4));

    bareColumn(this, 0)->addWidget(new Surface(card, 28));

    GoogleAuthStore& auth = m_environment.auth;
    connect(m_signOut, &ActionButton::clicked, &auth, &GoogleAuthStore::signOut);
    connect(m_cancel, &QAbstractButton::clicked, &auth, &GoogleAuthStore::cancel);
    for (auto changed : {&GoogleAuthStore::accountChanged, &GoogleAuthStore::isBusyChanged,
                         &GoogleAuthStore::messageChanged})
        connect(&auth, changed, this, &AccountSettingsView::refresh);
    connect(&m_environment.store, &AppStore::isSessionActiveChanged, this,
            &AccountSettingsView::refresh);
    refresh();
}

QWidget* AccountSettingsView::buildSignedIn() {
    auto* block = new QWidget;
    auto* column = bareColumn(block, 22);
    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    row->addWidget(new BrandMark(32, false));
    auto* identity = new QVBoxLayout;
    identity->setSpacing(5);
    m_name = new PlainLabel(QString(), appFont(14, QFont::Medium), Palette::ink());
    m_email = new PlainLabel(QString(), appFont(12, QFont::Normal), Palette::secondary());
    identity->addWidget(m_name);
    identity->addWidget(m_email);
    row->addLayout(identity, 1);
    m_signOut = new ActionButton(QStringLiteral("Sign out"), {}, false, true, std::nullopt,
                                 m_environment.preferences);
    row->addWidget(m_signOut);
    column->addLayout(row);
    m_sessionNote = new PlainLabel(QStringLiteral("End your session before changing accounts."),
                                   appFont(11, QFont::Normal), Palette::secondary());
    column->addWidget(m_sessionNote);
    return block;
}

QWidget* AccountSettingsView::buildSignedOut() {
    auto* block = new QWidget;
    auto* column = bareColumn(block, 22);
    auto* invitation = new QVBoxLayout;
    invitation->setSpacing(12);
    invitation->addWidget(new PlainLabel(QStringLiteral("Sign in for live answer cues."),
                                         appFont(14, QFont::Medium), Palette::ink()));
    invitation->addWidget(
        new PlainLabel(wording::aiIncluded(), appFont(12, QFont::Normal), Palette::secondary()));
    invitation->addWidget(new GoogleSignInButton(m_environment), 0, Qt::AlignLeft);
    column->addLayout(invitation);
    m_cancel = new LinkButton(QStringLiteral("Cancel sign-in"), {}, appFont(12, QFont::Normal),
                              Palette::secondary());
    column->addWidget(m_cancel, 0, Qt::AlignLeft);
    m_configurationNote = new SpacedLabel(
        QStringLiteral("Account sign-in is being configured. You can prepare your interview now."),
        appFont(12, QFont::Normal), Palette::secondary(), 0);
    column->addWidget(m_configurationNote);
    return block;
}

void AccountSettingsView::refresh() {
    const GoogleAuthStore& auth = m_environment.auth;
    const auto state =
        AccountCardState::make(auth.account(), auth.isBusy(), auth.isConfigured(), auth.message(),
                               m_environment.store.isSessionActive());
    m_tag->setStatus(state.tagText, state.tagPositive);
    m_signedIn->setVisible(state.signedIn);
    m_signedOut->setVisible(!state.signedIn);
    m_name->setText(state.displayName);
    m_email->setText(state.email);
    m_signOut->setEnabled(state.signOutEnabled);
    m_signOut->setToolTip(state.signOutHelp);
    m_sessionNote->setVisible(state.sessionNoteShown);
    m_cancel->setVisible(state.cancelShown);
    m_cancel->setEnabled(state.cancelEnabled);
    m_configurationNote->setVisible(state.configurationNoteShown);
    m_note->setVisible(state.note.has_value());
    m_note->setText(state.note.value_or(QString()));
}

} // namespace corvel
