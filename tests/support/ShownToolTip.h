#pragma once

#include <QTextDocument>
#include <QWidget>

namespace corvel::test {

// The text a tool tip shows, as Qt renders it.
inline QString shownToolTip(const QWidget* widget) {
    QTextDocument shown;
    if (Qt::mightBeRichText(widget->toolTip()))
        shown.setHtml(widget->toolTip());
    else
        shown.setPlainText(widget->toolTip());
    return shown.toPlainText();
}

} // namespace corvel::test
