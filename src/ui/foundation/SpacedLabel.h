#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QWidget>

#include <memory>

class QTextLayout;

namespace corvel {

// Plain text that wraps at word boundaries with extra space between lines, which QLabel cannot
// add; optionally with letter tracking, centred lines, mouse selection (copied with Ctrl+C) and a
// limit of lines whose last one ends in an ellipsis. Never interprets markup.
class SpacedLabel final : public QWidget {
    Q_OBJECT

public:
    SpacedLabel(const QString& text, const QFont& font, const QColor& color, qreal lineSpacing,
                QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    // Letter tracking in pixels (negative tightens).
    void setTracking(qreal tracking);
    // Qt::AlignLeft (default), Qt::AlignHCenter or Qt::AlignRight for every line.
    void setAlignment(Qt::Alignment alignment);
    void setSelectable(bool selectable);
    bool isSelectable() const { return m_selectable; }
    // At most `lines` lines, the last one elided; 0 means no limit.
    void setMaximumLines(int lines);
    int maximumLines() const { return m_maximumLines; }
    // Whether the text at `width` needs more lines than the limit allows.
    bool isTruncated(int width) const;
    QString selectedText() const;
    void selectAll();

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    void changeEvent(QEvent* event) override;

private:
    // The laid-out text: the lines that fit, and an elided last line when the limit cuts the text.
    struct Layout {
        std::shared_ptr<QTextLayout> body;
        std::shared_ptr<QTextLayout> tail;
        int tailStart = 0;
        qreal height = 0;
        bool truncated = false;
        // The widest line, and whether any line was broken for want of width.
        qreal natural = 0;
        bool wrapped = false;
    };
    // The text laid out at `width`, kept for the next call at the same width.
    Layout layOut(qreal width) const;
    Layout layOutAt(qreal width) const;
    int cursorAt(const QPointF& point) const;
    QFont trackedFont() const;
    // Text shaping is the costly part, and layouts ask a label its height several times per
    // pass: each width's layout is kept until the text or its style changes.
    void forgetLayouts();

    QString m_text;
    QColor m_color;
    qreal m_lineSpacing;
    qreal m_tracking = 0;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_selectable = false;
    int m_maximumLines = 0;
    int m_anchor = 0;
    int m_cursor = 0;
    mutable QHash<int, Layout> m_layouts;
};

} // namespace corvel
