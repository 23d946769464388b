#include "ui/foundation/OptionChoice.h"

#include <QHBoxLayout>

namespace corvel {

OptionChoice::OptionChoice(const QStringList& titles, OptionPill::Style style,
                           const AccessibilityPreferences* preferences, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    for (const QString& title : titles) {
        auto* pill = new OptionPill(title, style, preferences, this);
        const int index = int(m_options.size());
        connect(pill, &OptionPill::clicked, this, [this, index] { Q_EMIT optionClicked(index); });
        layout->addWidget(pill, style == OptionPill::Style::segment ? 1 : 0);
        m_options.append(pill);
    }
    if (style == OptionPill::Style::pill)
        layout->addStretch(1);
}

void OptionChoice::setSelectedIndex(int index) {
    m_selected = index >= 0 && index < m_options.size() ? index : -1;
    for (int i = 0; i < m_options.size(); ++i)
        m_options.at(i)->setSelected(i == m_selected);
}

} // namespace corvel
