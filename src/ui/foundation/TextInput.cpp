#include "ui/foundation/TextInput.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/RoundedCard.h"

#include <QFocusEvent>
#include <QPainter>

namespace corvel {

namespace {
constexpr int padding = 16;
// QLineEdit keeps 2 pixels on each side and 1 above and below the text margins.
constexpr int innerMarginX = 2;
constexpr int innerMarginY = 1;
} // namespace

TextInput::TextInput(const QString& placeholder, QWidget* parent)
    : QLineEdit(parent), m_focusRing(new FocusRing(this)) {
    setFrame(false);
    setFont(appFont(14, QFont::Normal));
    setPlaceholderText(placeholder);
    setAccessibleName(placeholder);
    setTextMargins(padding - innerMarginX, padding - innerMarginY, padding - innerMarginX,
                   padding - innerMarginY);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, Qt::transparent);
    colors.setColor(QPalette::Text, Palette::ink());
    setPalette(colors);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    // setText() leaves the cursor, and so the view, at the end. The user's own edits mark the
    // text modified: those never move the cursor.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!hasFocus() && !isModified())
            setCursorPosition(0);
    });
}

void TextInput::setCornerRadius(qreal radius) {
    m_cornerRadius = radius;
    m_focusRing->setOutline({}, radius);
    update();
}

QSize TextInput::sizeHint() const {
    return {QLineEdit::sizeHint().width(), fontMetrics().height() + 2 * padding};
}

QSize TextInput::minimumSizeHint() const {
    return {QLineEdit::minimumSizeHint().width(), sizeHint().height()};
}

void TextInput::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A menu or another window takes the focus only for a moment: the cursor stays for the return.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        setCursorPosition(0);
}

void TextInput::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        fillRounded(painter, rect(), m_cornerRadius, Palette::surface());
    }
    QLineEdit::paintEvent(event);
}

} // namespace corvel
