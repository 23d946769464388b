#pragma once

#include "ui/foundation/SpacedLabel.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace corvel::test {

inline QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Lets the store's tasks run up to their next wait, then the views' deferred refreshes.
inline void settle() {
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents();
}

// The texts a widget shows, in the order its parts were built: labels, text blocks and buttons
// that are not hidden.
inline QStringList shownTexts(const QWidget* root) {
    QStringList texts;
    for (const QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(root))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            texts.append(label->text());
        else if (const auto* block = qobject_cast<const SpacedLabel*>(widget))
            texts.append(block->text());
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget);
                 button && !button->text().isEmpty())
            texts.append(button->text());
    }
    return texts;
}

// The first button, shown or not, whose text or accessible name is `name`.
inline QAbstractButton* button(const QWidget* root, const QString& name) {
    for (QAbstractButton* candidate : root->findChildren<QAbstractButton*>()) {
        if (candidate->text() == name || candidate->accessibleName() == name)
            return candidate;
    }
    return nullptr;
}

} // namespace corvel::test
