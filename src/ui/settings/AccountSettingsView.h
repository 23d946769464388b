#pragma once

#include "ui/foundation/AppEnvironment.h"

#include <QWidget>

class QAbstractButton;
class QVBoxLayout;

namespace corvel {

class ActionButton;
class PlainLabel;
class SpacedLabel;
class StatusTag;

// The account card of the settings page: who is signed in, the sign-in button when nobody is,
// cancelling a sign-in, signing out, and the sign-in store's notes. Keeps no state of its own.
class AccountSettingsView final : public QWidget {
    Q_OBJECT

public:
    explicit AccountSettingsView(AppEnvironment environment, QWidget* parent = nullptr);

private:
    QWidget* buildSignedIn();
    QWidget* buildSignedOut();
    void refresh();

    AppEnvironment m_environment;
    StatusTag* m_tag;
    QWidget* m_signedIn;
    PlainLabel* m_name;
    PlainLabel* m_email;
    ActionButton* m_signOut;
    PlainLabel* m_sessionNote;
    QWidget* m_signedOut;
    QAbstractButton* m_cancel;
    SpacedLabel* m_configurationNote;
    SpacedLabel* m_note;
};

} // namespace corvel
