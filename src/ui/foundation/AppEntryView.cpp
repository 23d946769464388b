#include "ui/foundation/AppEntryView.h"

#include "session/AppStore.h"
#include "ui/foundation/BrandMark.h"
#include "ui/foundation/NativeAppBackdrop.h"
#include "ui/foundation/PageHeading.h"

#include <QLabel>
#include <QVBoxLayout>

namespace corvel {

AppEntryView::AppEntryView(AppEnvironment environment, QWidget* parent)
    : QWidget(parent), m_environment(environment), m_message(new QLabel(this)) {
    auto* backdrop = new NativeAppBackdrop(1.0, this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(backdrop);
    auto* layout = new QVBoxLayout(backdrop);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->setSpacing(24);
    layout->addWidget(new BrandMark(40, false, backdrop), 0, Qt::AlignLeft);
    layout->addWidget(
        new PageHeading(QString(), QStringLiteral("Corvel Interview"), QString(), backdrop));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    layout->addWidget(m_message);
    layout->addStretch(1);

    connect(&m_environment.store, &AppStore::messageChanged, this, &AppEntryView::showMessage);
    showMessage();
}

void AppEntryView::showMessage() {
    m_message->setText(m_environment.store.message().value_or(QString()));
}

} // namespace corvel
