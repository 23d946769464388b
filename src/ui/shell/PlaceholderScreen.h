#pragma once

#include "ui/foundation/AppEnvironment.h"

#include <QWidget>

#include <functional>

namespace corvel {

class ActionButton;

// Stands in for a screen that is not built yet: its name and, for the guide, the button that
// finishes it.
class PlaceholderScreen final : public QWidget {
    Q_OBJECT

public:
    PlaceholderScreen(const QString& name, const AppEnvironment& environment,
                      std::function<void()> onFinish = {}, QWidget* parent = nullptr);

    QString name() const { return m_name; }
    // Null unless the screen finishes something.
    ActionButton* finishButton() const { return m_finish; }

private:
    QString m_name;
    ActionButton* m_finish = nullptr;
};

} // namespace corvel
