#include "ui/settings/ConfirmationDialog.h"

#include <QMessageBox>
#include <QPushButton>

namespace corvel {

QMessageBox* openConfirmation(QWidget* parent, const QString& title, const QString& message,
                              const QString& confirmTitle, std::function<void()> onConfirm) {
    auto* box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::NoIcon);
    box->setWindowTitle(title);
    box->setTextFormat(Qt::PlainText);
    box->setText(title);
    box->setInformativeText(message);
    QPushButton* confirm = box->addButton(confirmTitle, QMessageBox::DestructiveRole);
    box->setDefaultButton(box->addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole));
    QObject::connect(box, &QMessageBox::buttonClicked, box,
                     [confirm, onConfirm = std::move(onConfirm)](QAbstractButton* clicked) {
                         if (clicked == confirm)
                             onConfirm();
                     });
    box->open();
    return box;
}

} // namespace corvel
