#include "ui/settings/PrivateConnectionView.h"

#include "session/AppStore.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/ConfirmationDialog.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/StatusTag.h"
#include "ui/foundation/Surface.h"
#include "ui/foundation/SymbolMark.h"
#include "ui/foundation/TextInput.h"
#include "ui/settings/ComputerWording.h"
#include "ui/settings/PageLayout.h"
#include "ui/settings/SectionHeading.h"
#include "ui/settings/SettingsText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvel {

QUrl PrivateConnectionView::createKeyPage() {
    return QUrl(QStringLiteral("https://platform.openai.com/api-keys"));
}

PrivateConnectionView::PrivateConnectionView(AppEnvironment environment, UrlOpener openUrl,
                                             QWidget* parent)
    : QWidget(parent), m_environment(environment), m_openUrl(std::move(openUrl)) {
    auto* block = new QWidget;
    QVBoxLayout* column = bareColumn(block, 20);

    auto* heading = new QHBoxLayout;
    heading->addWidget(new SectionHeading(QStringLiteral("AI connection"),
                                          QStringLiteral("An OpenAI API key is required for live "
                                                         "answers."),
                                          Palette::pink()),
                       1, Qt::AlignTop);
    heading->addSpacing(20);
    m_tag = new StatusTag(QString(), false);
    heading->addWidget(m_tag, 0, Qt::AlignTop);
    column->addLayout(heading);

    auto* entry = new QHBoxLayout;
    entry->setSpacing(12);
    m_field = new TextInput(QString());
    m_field->setEchoMode(QLineEdit::Password);
    m_field->setCornerRadius(4);
    m_field->setAccessibleName(QStringLiteral("OpenAI API key"));
    entry->addWidget(m_field, 1);
    m_save = new ActionButton(QStringLiteral("Save"), {}, true, true, std::nullopt,
                              m_environment.preferences);
    entry->addWidget(m_save);
    column->addLayout(entry);

    auto* keyring = new QHBoxLayout;
    keyring->setSpacing(8);
    keyring->addWidget(new SymbolMark(QStringLiteral("lock.fill"), 11, Palette::secondary()));
    keyring->addWidget(new PlainLabel(wording::keyStaysInKeyring(), appFont(12, QFont::Normal),
                                      Palette::secondary()));
    auto* createKey = new LinkButton(QStringLiteral("Create a key ↗"), {},
                                     appFont(12, QFont::Medium), Palette::ink());
    keyring->addWidget(createKey);
    m_delete = new LinkButton(QStringLiteral("Delete"), {}, appFont(12, QFont::Normal),
                              Palette::secondary());
    m_delete->setPadding(QMargins(12, 0, 0, 0));
    m_delete->setAccessibleName(QStringLiteral("Delete the saved API key"));
    keyring->addWidget(m_delete);
    keyring->addStretch(1);
    column->addLayout(keyring);

    auto* check = new QHBoxLayout;
    check->setSpacing(18);
    m_caption = new SpacedLabel(QString(), appFont(12, QFont::Normal), Palette::secondary(), 4);
    check->addWidget(m_caption, 1, Qt::AlignVCenter);
    m_check = new ActionButton(QString(), {}, false, true, std::nullopt, m_environment.preferences);
    check->addWidget(m_check);
    column->addLayout(check);

    bareColumn(this, 0)->addWidget(new Surface(block, 28));

    connect(m_field, &QLineEdit::returnPressed, this, &PrivateConnectionView::saveKey);
    connect(m_field, &QLineEdit::textChanged, this, &PrivateConnectionView::refresh);
    connect(m_save, &ActionButton::clicked, this, &PrivateConnectionView::saveKey);
    connect(createKey, &QAbstractButton::clicked, this, [this] { m_openUrl(createKeyPage()); });
    connect(m_delete, &QAbstractButton::clicked, this, &PrivateConnectionView::confirmRemoveKey);
    connect(m_check, &ActionButton::clicked, &m_environment.store, &AppStore::checkConnection);
    AppStore& store = m_environment.store;
    for (auto changed : {&AppStore::hasAPIKeyChanged, &AppStore::isCheckingConnectionChanged,
                         &AppStore::connectionVerifiedChanged})
        connect(&store, changed, this, &PrivateConnectionView::refresh);
    refresh();
}

void PrivateConnectionView::refresh() {
    const AppStore& store = m_environment.store;
    const auto state = settings::privateConnectionState(
        store.hasAPIKey(), store.isCheckingConnection(), store.connectionVerified());
    m_tag->setStatus(state.tagText, state.tagPositive);
    m_field->setPlaceholderText(state.placeholder);
    m_field->setEnabled(state.entryEnabled);
    m_save->setEnabled(settings::canSaveDraft(m_field->text(), store.isCheckingConnection()));
    m_delete->setVisible(state.deleteShown);
    m_delete->setEnabled(state.entryEnabled);
    m_caption->setText(state.caption);
    m_check->setTitle(state.checkTitle);
    m_check->setIcon(state.checkIcon);
    m_check->setEnabled(state.checkEnabled);
}

void PrivateConnectionView::saveKey() {
    if (!settings::canSaveDraft(m_field->text(), m_environment.store.isCheckingConnection()))
        return;
    // "Save" turns off once the field is emptied: a keyboard user goes on to the check.
    const bool keyboard = FocusRing::shownOn(m_save);
    // The store trims; the field keeps what was typed until the key is accepted.
    if (m_environment.store.saveKey(m_field->text())) {
        m_field->setText(QString());
        if (keyboard)
            focusByKeyboard(m_check->isEnabled() ? static_cast<QWidget*>(m_check) : m_field);
    }
}

void PrivateConnectionView::confirmRemoveKey() {
    QPointer<AppStore> store(&m_environment.store);
    openConfirmation(this, wording::deleteKeyTitle(), QString(), QStringLiteral("Delete key"),
                     [store] {
                         if (store)
                             store->removeKey();
                     });
}

} // namespace corvel
