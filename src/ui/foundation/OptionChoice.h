#pragma once

#include "ui/foundation/OptionPill.h"

#include <QList>
#include <QWidget>

namespace corvel {

// A row of option pills (spacing 8) of which at most one is selected. A click reports its index
// through optionClicked(), also when that option is already selected; the screen writes the
// store and the store's change comes back through setSelectedIndex().
class OptionChoice final : public QWidget {
    Q_OBJECT

public:
    OptionChoice(const QStringList& titles, OptionPill::Style style,
                 const AccessibilityPreferences* preferences = nullptr, QWidget* parent = nullptr);

    int selectedIndex() const { return m_selected; }
    // -1 selects none.
    void setSelectedIndex(int index);
    OptionPill* option(int index) const { return m_options.value(index); }
    int count() const { return int(m_options.size()); }

Q_SIGNALS:
    void optionClicked(int index);

private:
    QList<OptionPill*> m_options;
    int m_selected = -1;
};

} // namespace corvel
