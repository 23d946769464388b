#pragma once

#include <QWidget>

class QLabel;

namespace corvel {

class AppStore;

// The floating window's content: the current question and the answer as it streams.
class OverlayView final : public QWidget {
    Q_OBJECT
public:
    OverlayView(AppStore& store, QWidget* parent = nullptr);

private:
    void refresh();

    AppStore& m_store;
    QLabel* m_question;
    QLabel* m_answer;
};

} // namespace corvel
