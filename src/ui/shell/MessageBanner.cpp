#include "ui/shell/MessageBanner.h"

#include "session/AppStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/SpacedLabel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvel {

namespace {

QWidget* filled(const QColor& color, QWidget* parent) {
    auto* widget = new QWidget(parent);
    fillBackground(widget, color);
    return widget;
}

} // namespace

MessageBanner::MessageBanner(AppStore& store, QWidget* parent)
    : QWidget(parent), m_store(store),
      m_text(new SpacedLabel(QString(), appFont(13, QFont::Normal), Palette::ink(), 4)),
      m_dismiss(new LinkButton(QString(), QStringLiteral("xmark"), appFont(12, QFont::Normal),
                               Palette::ink())) {
    QWidget* card = filled(Qt::white, this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(36, 0, 36, 16);
    outer->addWidget(card);

    QWidget* bar = filled(Palette::orange(), card);
    bar->setFixedWidth(6);
    m_dismiss->setPadding(QMargins(4, 4, 4, 4));
    m_dismiss->setSymbolSize(12);
    m_dismiss->setAccessibleName(QStringLiteral("Dismiss message"));
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(12);
    row->addWidget(bar);
    row->addWidget(m_text, 1, Qt::AlignTop);
    row->addWidget(m_dismiss, 0, Qt::AlignTop);

    connect(m_dismiss, &LinkButton::clicked, this, [this] { m_store.setMessage(std::nullopt); });
    connect(&m_store, &AppStore::messageChanged, this, &MessageBanner::refresh);
    refresh();
}

void MessageBanner::refresh() {
    const std::optional<QString>& message = m_store.message();
    m_text->setText(message.value_or(QString()));
    setVisible(message.has_value());
}

} // namespace corvel
