#include "ui/foundation/ConfirmationDialog.h"

#include "ui/foundation/AppFont.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace corvel {

namespace {

// The red the desktop's dialogs give an action that destroys data.
QColor destructiveRed() {
    return QColor(0xD7, 0x26, 0x26);
}

// The box sizes itself from its labels' minimum widths and would wrap the body at the width of a
// short title: the body keeps a readable measure and the title one line.
void keepReadable(QMessageBox& box, const QString& title, const QString& message) {
    constexpr int bodyMeasure = 380;
    if (auto* heading = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        heading->setFont(appFont(13, QFont::DemiBold));
        heading->setMinimumWidth(heading->fontMetrics().horizontalAdvance(title) + 1);
    }
    if (auto* body = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
        body->setMinimumWidth(
            qMin(body->fontMetrics().horizontalAdvance(message) + 1, bodyMeasure));
}

} // namespace

QMessageBox* openConfirmation(QWidget* parent, const QString& title, const QString& message,
                              const QString& confirmTitle, std::function<void()> onConfirm) {
    auto* box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setFont(appFont(13, QFont::Normal));
    box->setIcon(QMessageBox::NoIcon);
    box->setWindowTitle(title);
    box->setTextFormat(Qt::PlainText);
    box->setText(title);
    box->setInformativeText(message);
    keepReadable(*box, title, message);
    QPushButton* confirm = box->addButton(confirmTitle, QMessageBox::DestructiveRole);
    QPalette red = confirm->palette();
    red.setColor(QPalette::ButtonText, destructiveRed());
    confirm->setPalette(red);
    QPushButton* cancel = box->addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    QObject::connect(box, &QMessageBox::buttonClicked, box,
                     [confirm, onConfirm = std::move(onConfirm)](QAbstractButton* clicked) {
                         if (clicked == confirm)
                             onConfirm();
                     });
    box->open();
    return box;
}

} // namespace corvel
