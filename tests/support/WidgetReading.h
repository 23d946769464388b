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

// Whether the whole of `widget` is inside `viewport`'s visible area.
inline bool wholeInView(const QWidget* viewport, const QWidget* widget) {
    return viewport->rect().contains(QRect(widget->mapTo(viewport, QPoint()), widget->size()));
}

} // namespace corvel::test
