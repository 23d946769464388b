#include "ui/settings/PageLayout.h"
#include "ui/foundation/ScrollArea.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

namespace corvel {

QVBoxLayout* bareColumn(QWidget* widget, int spacing) {
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

QWidget* padded(QWidget* content, const QMargins& margins) {
    auto* holder = new QWidget;
    bareColumn(holder, 0)->addWidget(content);
    holder->layout()->setContentsMargins(margins);
    return holder;
}

ScrollingPage scrollingColumn(QWidget* host, int maximumWidth, int padding, int spacing) {
    auto* scroll = makeScrollArea();
    bareColumn(host, 0)->addWidget(scroll);

    auto* page = new QWidget;
    setScrollContent(scroll, page);
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    auto* body = new QWidget;
    body->setMaximumWidth(maximumWidth + 2 * padding);
    auto* column = bareColumn(body, spacing);
    column->setContentsMargins(padding, padding, padding, padding);
    row->addWidget(body, 1);
    row->addStretch(0);
    return {scroll, column};
}

} // namespace corvel
