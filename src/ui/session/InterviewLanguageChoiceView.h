#pragma once

#include <QWidget>

class QAbstractButton;

namespace corvel {

class AppStore;
class DeferredRefresh;
class PlainLabel;

// The choice between English and French for the language spoken in the call. `live` during a
// session (the session's own language is shown and changing it restarts listening); before one,
// the choice is locked while a session runs. `compact` leaves the caption out.
class InterviewLanguageChoiceView final : public QWidget {
    Q_OBJECT

public:
    InterviewLanguageChoiceView(AppStore& store, bool live, bool compact,
                                QWidget* parent = nullptr);

    // "English" or "French".
    QString selected() const;
    QAbstractButton* option(const QString& language) const;

private:
    void refresh();

    AppStore& m_store;
    bool m_live;
    QList<QAbstractButton*> m_options;
    DeferredRefresh* m_refresh;
};

} // namespace corvel
