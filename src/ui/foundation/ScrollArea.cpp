#include "ui/foundation/ScrollArea.h"

#include "ui/foundation/Palette.h"

#include <QApplication>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

namespace corvel {

namespace {

QString rgba(const QColor& color, qreal opacity) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(qRound(opacity * 255));
}

// Qt also passes the focus on "as by Tab" when it hides the focused control (a card that goes
// once its button did its work), and the scroll area then scrolls to wherever that focus landed,
// before the layout closed the gap: the page would move by itself. Only a focus change the user
// made reveals its control; FocusRing reveals a keyboard user's focus passed on that way.
class PageScrollArea final : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

protected:
    bool focusNextPrevChild(bool next) override {
        const QWidget* focused = QApplication::focusWidget();
        if (focused && !focused->isVisible())
            return QWidget::focusNextPrevChild(next);
        return QScrollArea::focusNextPrevChild(next);
    }
};

} // namespace

void useKitScrollBar(QAbstractScrollArea* area) {
    // The bar is 14 wide and its 6-wide handle keeps to the right: the rest is the gap.
    static const QString sheet =
        QStringLiteral("QScrollBar:vertical { background: transparent; border: none; width: 14px;"
                       " margin: 0; }"
                       "QScrollBar::handle:vertical { background: %1; border-radius: 3px;"
                       " min-height: 36px; margin: 2px 2px 2px 6px; }"
                       "QScrollBar::handle:vertical:hover, QScrollBar::handle:vertical:pressed {"
                       " background: %2; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0;"
                       " border: none; background: none; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical {"
                       " background: none; }")
            .arg(rgba(Palette::ink(), 0.28), rgba(Palette::ink(), 0.45));
    area->verticalScrollBar()->setStyleSheet(sheet);
}

QScrollArea* makeScrollArea(QWidget* parent) {
    auto* scroll = new PageScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    // The page shows no focus of its own: Tab goes to its controls, and Page Up and Down still
    // reach it from them.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    useKitScrollBar(scroll);
    return scroll;
}

void setScrollContent(QScrollArea* area, QWidget* content) {
    area->setWidget(content);
    content->setAutoFillBackground(false);
}

void revealOnNextTurn(QScrollArea* area, QWidget* target, int margin) {
    QTimer::singleShot(0, target, [area, target, margin] {
        if (!target->isVisibleTo(area))
            return;
        area->widget()->layout()->activate();
        area->ensureWidgetVisible(target, 0, margin);
    });
}

} // namespace corvel
