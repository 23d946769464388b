#include "ui/shell/PlaceholderScreen.h"

#include "ui/foundation/ActionButton.h"
#include "ui/foundation/PageHeading.h"

#include <QVBoxLayout>

namespace corvel {

PlaceholderScreen::PlaceholderScreen(const QString& name, const AppEnvironment& environment,
                                     std::function<void()> onFinish, QWidget* parent)
    : QWidget(parent), m_name(name) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(24);
    layout->addWidget(new PageHeading(QStringLiteral("Corvel Interview"), name, QString(), this));
    if (onFinish) {
        m_finish = new ActionButton(QStringLiteral("Continue"), QStringLiteral("arrow.right"), true,
                                    false, std::nullopt, environment.preferences, this);
        connect(m_finish, &ActionButton::clicked, this, std::move(onFinish));
        layout->addWidget(m_finish, 0, Qt::AlignLeft);
    }
    layout->addStretch(1);
}

} // namespace corvel
