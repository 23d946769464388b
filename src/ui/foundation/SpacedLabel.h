#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

namespace corvel {

// Plain text that wraps at word boundaries with extra space between lines, which QLabel cannot
// add. Never interprets markup.
class SpacedLabel final : public QWidget {
    Q_OBJECT

public:
    SpacedLabel(const QString& text, const QFont& font, const QColor& color, qreal lineSpacing,
                QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lays the text out at `width` and returns the height; paints it when `painter` is given.
    qreal layOut(qreal width, QPainter* painter) const;

    QString m_text;
    QColor m_color;
    qreal m_lineSpacing;
};

} // namespace corvel
