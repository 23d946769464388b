#pragma once

#include <QWidget>

namespace corvel {

class ActionButton;

// The content of one guide step, rebuilt at every step change; the guide keeps whatever must
// survive the change.
class GuideStepContent : public QWidget {
public:
    using QWidget::QWidget;

    // The button Return presses while it is shown and enabled; none when the step has none.
    virtual ActionButton* defaultButton() const = 0;
};

} // namespace corvel
