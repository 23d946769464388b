#include "ui/settings/MacAccessSettingsView.h"

#include "listening/MacPermissionStore.h"
#include "session/AppNotifications.h"
#include "session/AppStore.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/CloudCompanion.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/Surface.h"
#include "ui/foundation/SymbolMark.h"
#include "ui/settings/ComputerWording.h"
#include "ui/settings/PageLayout.h"
#include "ui/settings/PermissionRowText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvel {

MacAccessSettingsView::MacAccessSettingsView(AppEnvironment environment, QWidget* parent)
    : QWidget(parent), m_environment(environment) {
    auto* card = new QWidget;
    QVBoxLayout* column = bareColumn(card, 20);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    m_companion = new CloudCompanion(68, CloudMood::welcome, false, 0, m_environment.preferences);
    header->addWidget(m_companion, 0, Qt::AlignTop);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(7);
    titles->addWidget(
        new PlainLabel(wording::permissionsTitle(), appFont(19, QFont::DemiBold), Palette::ink()));
    m_subtitle = new SpacedLabel(QString(), appFont(13, QFont::Normal), Palette::secondary(), 0);
    titles->addWidget(m_subtitle);
    header->addLayout(titles, 1);
    header->setAlignment(titles, Qt::AlignTop);
    m_openGuide = new ActionButton(QStringLiteral("Open setup guide"), {}, false, true,
                                   std::nullopt, m_environment.preferences);
    header->addWidget(m_openGuide, 0, Qt::AlignTop);
    column->addLayout(header);

    auto* rows = new QHBoxLayout;
    rows->setSpacing(32);
    m_speech = addRow(rows, QStringLiteral("Speech recognition"));
    m_callAudio = addRow(rows, QStringLiteral("Call audio"));
    m_microphone = addRow(rows, QStringLiteral("Microphone · optional"));
    column->addLayout(rows);

    bareColumn(this, 0)->addWidget(new Surface(card, 28));

    connect(m_openGuide, &ActionButton::clicked, &m_environment.notifications,
            &AppNotifications::postShowSetupGuide);
    MacPermissionStore& permissions = m_environment.permissions;
    for (auto changed : {&MacPermissionStore::speechChanged, &MacPermissionStore::callAudioChanged,
                         &MacPermissionStore::microphoneChanged})
        connect(&permissions, changed, this, &MacAccessSettingsView::refresh);
    connect(&m_environment.store, &AppStore::isSessionActiveChanged, this,
            &MacAccessSettingsView::refresh);
    refresh();
}

MacAccessSettingsView::Row MacAccessSettingsView::addRow(QHBoxLayout* rows, const QString& title) {
    auto* widget = new QWidget;
    auto* row = new QHBoxLayout(widget);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    auto* symbol = new SymbolMark(QString(), 10, Palette::ink());
    row->addWidget(symbol, 0, Qt::AlignVCenter);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(5);
    texts->addWidget(new PlainLabel(title, appFont(12, QFont::Medium), Palette::ink()));
    auto* status = new PlainLabel(QString(), appFont(11, QFont::Normal), Palette::secondary());
    texts->addWidget(status);
    row->addLayout(texts);
    row->addStretch(1);
    rows->addWidget(widget, 1);
    return {symbol, status};
}

void MacAccessSettingsView::showEvent(QShowEvent* event) {
    // Permissions may have changed in the system's settings while the page was away.
    m_environment.permissions.refresh();
    QWidget::showEvent(event);
}

void MacAccessSettingsView::refresh() {
    const MacPermissionStore& permissions = m_environment.permissions;
    const bool inSession = m_environment.store.isSessionActive();
    m_companion->setMood(permissions.callReady() ? CloudMood::ready : CloudMood::welcome);
    m_subtitle->setText(
        inSession ? QStringLiteral("Finish your session before reopening the setup guide.")
                  : QStringLiteral(
                        "Your cloud guide walks you through the access needed to hear your call."));
    m_openGuide->setEnabled(!inSession);
    const std::pair<Row*, MacPermissionStatus> rows[] = {{&m_speech, permissions.speech()},
                                                         {&m_callAudio, permissions.callAudio()},
                                                         {&m_microphone, permissions.microphone()}};
    for (const auto& [row, status] : rows) {
        const PermissionRowText text = PermissionRowText::of(status);
        row->symbol->setSymbol(text.symbol);
        row->status->setText(text.status);
    }
}

} // namespace corvel
