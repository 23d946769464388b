#pragma once

#include <QLineEdit>

namespace corvel {

class FocusRing;

// A borderless one-line field on a surface-coloured rounded rectangle; its placeholder is also
// its accessibility label. The text binding is text()/setText() and textChanged(). While it is
// not being edited it shows the beginning of its text, where QLineEdit would show the end.
class TextInput final : public QLineEdit {
    Q_OBJECT

public:
    explicit TextInput(const QString& placeholder, QWidget* parent = nullptr);

    // 5 unless a screen's field asks for another.
    void setCornerRadius(qreal radius);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    FocusRing* m_focusRing;
    qreal m_cornerRadius = 5;
};

} // namespace corvel
