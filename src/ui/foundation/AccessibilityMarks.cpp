#include "ui/foundation/AccessibilityMarks.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace corvel {

namespace {

constexpr char markProperty[] = "corvelAccessibleMark";
enum Mark { heading = 1, hidden = 2 };

class HiddenAccessible final : public QAccessibleWidget {
public:
    explicit HiddenAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::NoRole) {}

    QAccessible::State state() const override {
        QAccessible::State result = QAccessibleWidget::state();
        result.invisible = true;
        return result;
    }
};

QAccessibleInterface* markedAccessible(const QString&, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    switch (object->property(markProperty).toInt()) {
    case heading:
        return new QAccessibleWidget(widget, QAccessible::Heading);
    case hidden:
        return new HiddenAccessible(widget);
    default:
        return nullptr;
    }
}

void mark(QWidget* widget, Mark value) {
    static const bool installed = [] {
        QAccessible::installFactory(&markedAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(markProperty, int(value));
}

} // namespace

void markAccessibleHeading(QWidget* widget) {
    mark(widget, heading);
}

void hideFromAccessibility(QWidget* widget) {
    mark(widget, hidden);
}

} // namespace corvel
