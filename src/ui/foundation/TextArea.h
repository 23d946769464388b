#pragma once

#include <QWidget>

class QTextEdit;

namespace corvel {

class FocusRing;

// A multi-line plain-text editor of fixed height on a surface-coloured rounded rectangle, with a
// placeholder shown behind the editor only while the text is empty.
class TextArea final : public QWidget {
    Q_OBJECT

public:
    TextArea(const QString& text, const QString& placeholder, int height,
             QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    QString placeholder() const { return m_placeholder; }
    bool placeholderShown() const;
    QTextEdit* editor() const { return m_editor; }

Q_SIGNALS:
    void textChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyTextLayout();

    QString m_placeholder;
    QTextEdit* m_editor;
    FocusRing* m_focusRing;
};

} // namespace corvel
