#pragma once

#include <QWidget>

namespace corvel {

class AppStore;
class LinkButton;
class SpacedLabel;

// The app-wide message: an orange bar, the message as wrapping plain text and a dismiss button
// on a white card. Shown only while the store has a message; it has no timer.
class MessageBanner final : public QWidget {
    Q_OBJECT

public:
    explicit MessageBanner(AppStore& store, QWidget* parent = nullptr);

    SpacedLabel* text() const { return m_text; }
    LinkButton* dismissButton() const { return m_dismiss; }

private:
    void refresh();

    AppStore& m_store;
    SpacedLabel* m_text;
    LinkButton* m_dismiss;
};

} // namespace corvel
