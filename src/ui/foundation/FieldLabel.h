#pragma once

#include <QWidget>

namespace corvel {

class PlainLabel;

// A field's title with, when not empty, a hint at the trailing edge.
class FieldLabel final : public QWidget {
    Q_OBJECT

public:
    FieldLabel(const QString& title, const QString& hint, QWidget* parent = nullptr);

    // Null when the hint is empty.
    PlainLabel* hintLabel() const { return m_hint; }

private:
    PlainLabel* m_hint = nullptr;
};

} // namespace corvel
