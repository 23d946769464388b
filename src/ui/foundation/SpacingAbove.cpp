#include "ui/foundation/SpacingAbove.h"

#include <QBoxLayout>
#include <QEvent>
#include <QPointer>
#include <QSpacerItem>
#include <QWidget>

namespace corvel {

namespace {

// Follows the widget's own shown or hidden state and sizes the spacer to match.
class SpacingFollower final : public QObject {
public:
    SpacingFollower(QBoxLayout* layout, QSpacerItem* spacer, QWidget* widget, int spacing)
        : QObject(widget), m_layout(layout), m_spacer(spacer), m_spacing(spacing) {
        widget->installEventFilter(this);
        apply(widget);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
            apply(static_cast<QWidget*>(watched));
        return false;
    }

private:
    void apply(const QWidget* widget) {
        if (!m_layout) // the spacer went with it
            return;
        m_spacer->changeSize(0, widget->isHidden() ? 0 : m_spacing, QSizePolicy::Minimum,
                             QSizePolicy::Fixed);
        m_layout->invalidate();
    }

    QPointer<QBoxLayout> m_layout;
    QSpacerItem* m_spacer;
    int m_spacing;
};

} // namespace

void addWithSpacingAbove(QBoxLayout* layout, QWidget* widget, int spacing,
                         Qt::Alignment alignment) {
    auto* spacer = new QSpacerItem(0, spacing, QSizePolicy::Minimum, QSizePolicy::Fixed);
    layout->addItem(spacer);
    layout->addWidget(widget, 0, alignment);
    new SpacingFollower(layout, spacer, widget, spacing);
}

} // namespace corvel
