#include "ui/foundation/AccessibilityMarks.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace corvel {

namespace {

constexpr char markProperty[] = "corvelAccessibleMark";
enum Mark { none = 0, heading = 1, hidden = 2 };

class HiddenAccessible final : public QAccessibleWidget {
public:
    explicit HiddenAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::NoRole) {}

    QAccessible::State state() const override {
        QAccessible::State result = QAccessibleWidget::state();
        result.invisible = true;
        return result;
    }
};

bool insideHidden(const QWidget* widget) {
    for (const QWidget* ancestor = widget; ancestor; ancestor = ancestor->parentWidget()) {
        if (ancestor->property(markProperty).toInt() == hidden)
            return true;
    }
    return false;
}

QAccessibleInterface* markedAccessible(const QString&, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (insideHidden(widget))
        return new HiddenAccessible(widget);
    if (object->property(markProperty).toInt() == heading)
        return new QAccessibleWidget(widget, QAccessible::Heading);
    return nullptr;
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

void hideFromAccessibility(QWidget* widget, bool hide) {
    const QVariant previous = widget->property(markProperty);
    const Mark wanted = hide ? hidden : none;
    if (previous.isValid() && previous.toInt() == wanted)
        return;
    mark(widget, wanted);
    // The widget's interface may already be built and cached under the old mark, also before any
    // mark: setting an accessible name in a constructor builds it while assistive technology runs.
    if (QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

} // namespace corvel
