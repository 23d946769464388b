#pragma once

#include "ui/foundation/AppEnvironment.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

class QSettings;
class QStackedLayout;

namespace corvel {

class NativeAppBackdrop;

// The main window's content: the guided setup until it has been finished once (or while it was
// reopened), else the main interface, over the window backdrop. It also watches the signed-in
// account: another account gets a notice in the message banner, and an empty interview name is
// filled from the account's name.
class AppEntryView final : public QWidget {
    Q_OBJECT

public:
    // QSettings keys; both are plain booleans, false when absent.
    static inline const QString completedGuidedSetupKey =
        QStringLiteral("tessaroy.completedGuidedSetup");
    static inline const QString hasOpenedWorkspaceKey =
        QStringLiteral("tessaroy.hasOpenedWorkspace");

    explicit AppEntryView(const AppEnvironment& environment, QWidget* parent = nullptr);

    bool showsGuide() const { return m_guideShown; }
    QWidget* content() const { return m_content; }
    const NativeAppBackdrop* backdrop() const { return m_backdrop; }
    const std::optional<QString>& lastVerifiedAccountID() const { return m_lastVerifiedAccountID; }

    // The guide's finish action: a busy sign-in is cancelled first, then the settings record that
    // the guide was done, and the main interface shows.
    void finishGuide();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showSetupGuide();
    void accountDidChange();
    void showContent();

    AppEnvironment m_environment;
    NativeAppBackdrop* m_backdrop;
    QStackedLayout* m_stack;
    QPointer<QWidget> m_content;
    bool m_guideShown = false;
    bool m_showingGuide = false;
    bool m_appeared = false;
    std::optional<QString> m_lastVerifiedAccountID;
    std::optional<QString> m_observedSubject;
};

} // namespace corvel
