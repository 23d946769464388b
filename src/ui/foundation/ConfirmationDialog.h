#pragma once

#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

namespace corvel {

// Opens a non-blocking confirmation over `parent` and returns it (it deletes itself when closed),
// in the app's font, wide enough for its title on one line, the destructive button in red.
// The title also heads the dialog's body, since window managers may hide titles. `onConfirm` runs
// only when the destructive button is chosen; "Cancel", Escape and Return do nothing.
QMessageBox* openConfirmation(QWidget* parent, const QString& title, const QString& message,
                              const QString& confirmTitle, std::function<void()> onConfirm);

} // namespace corvel
