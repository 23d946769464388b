#pragma once

#include "ui/foundation/AppEnvironment.h"

#include <QWidget>

class QLabel;

namespace corvel {

// The content of the main window. Until the guided setup and the screens arrive it shows the
// brand and the store's message.
class AppEntryView final : public QWidget {
    Q_OBJECT
public:
    explicit AppEntryView(AppEnvironment environment, QWidget* parent = nullptr);

private:
    void showMessage();

    AppEnvironment m_environment;
    QLabel* m_message;
};

} // namespace corvel
