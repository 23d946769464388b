#pragma once

#include "account/GoogleAuthStore.h"
#include "listening/MacPermissionProvider.h"
#include "listening/MacPermissionStore.h"
#include "session/AppNotifications.h"
#include "session/StoreHarness.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/AppEnvironment.h"
#include "ui/foundation/SpacedLabel.h"

#include "support/WidgetReading.h"

#include <QAbstractButton>
#include <QLabel>

#include <memory>
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
    StoreHarness::settle();
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

class AllowedPermissions final : public MacPermissionProvider {
public:
    MacPermissionStatus status(MacPermissionKind) override { return MacPermissionStatus::allowed; }
    QCoro::Task<> request(MacPermissionKind, CancelToken) override { co_return; }
    bool openSettings(MacPermissionKind) override { return true; }
};

// The real store (temporary workspace, fake capture, scripted answers, manual clock) with the
// rest of a screen's environment beside it. Reduce Motion is on so nothing animates.
struct SessionScreenHarness : StoreHarness {
    SessionScreenHarness()
        : permissions(std::make_shared<AllowedPermissions>()), auth(authCollaborators()) {
        preferences.setReduceMotion(true);
        prepare();
    }

    static GoogleAuthStore::Collaborators authCollaborators() {
        GoogleAuthStore::Collaborators collaborators;
        collaborators.automaticallyRestore = false;
        collaborators.secretStore = std::make_shared<MemorySecretStore>();
        return collaborators;
    }

    AppEnvironment environment() {
        return AppEnvironment{*store, auth, permissions, notifications, &preferences};
    }

    MacPermissionStore permissions;
    GoogleAuthStore auth;
    AppNotifications notifications;
    AccessibilityPreferences preferences;
};

} // namespace corvel::test
