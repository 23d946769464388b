#pragma once

#include <QWidget>

namespace corvel {

// A white card with rounded corners around one content widget, padded on every side.
class Surface final : public QWidget {
    Q_OBJECT

public:
    Surface(QWidget* content, int padding, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace corvel
