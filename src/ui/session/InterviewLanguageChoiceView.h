#pragma once

#include <QWidget>

namespace corvel {

class AccessibilityPreferences;
class AppStore;
class DeferredRefresh;
class OptionChoice;
class OptionPill;

// The choice between English and French for the language spoken in the call. `live` during a
// session (the session's own language is shown and changing it restarts listening); before one,
// the choice is locked while a session runs. `compact` leaves the caption out.
class InterviewLanguageChoiceView final : public QWidget {
    Q_OBJECT

public:
    InterviewLanguageChoiceView(AppStore& store, bool live, bool compact, QWidget* parent = nullptr,
                                const AccessibilityPreferences* preferences = nullptr);

    // "English" or "French".
    QString selected() const;
    OptionPill* option(const QString& language) const;

private:
    void refresh();

    AppStore& m_store;
    bool m_live;
    OptionChoice* m_choice;
    DeferredRefresh* m_refresh;
};

} // namespace corvel
