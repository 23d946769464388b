#pragma once

#include <QWidget>

namespace corvel {

class AnswerText;
class AppStore;
class DeferredRefresh;
class LinkButton;
class PlainLabel;
class SpacedLabel;

// The white panel beside the question: the suggested answer as it streams in, drawn as cues,
// and "Copy answer", which copies the raw text exactly as it arrived.
class ResponsePanel final : public QWidget {
    Q_OBJECT

public:
    explicit ResponsePanel(AppStore& store, QWidget* parent = nullptr);

    AnswerText* answer() const { return m_answer; }
    LinkButton* copyButton() const { return m_copy; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void copyAnswer();

    AppStore& m_store;
    PlainLabel* m_generating;
    LinkButton* m_copy;
    AnswerText* m_answer;
    QWidget* m_empty;
    SpacedLabel* m_emptyHeadline;
    SpacedLabel* m_emptyLine;
    DeferredRefresh* m_refresh;
};

} // namespace corvel
