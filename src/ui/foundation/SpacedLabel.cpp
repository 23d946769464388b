#include "ui/foundation/SpacedLabel.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>

#include <memory>

namespace corvel {

// The laid-out text: the lines that fit, and an elided last line when the limit cuts the text.
struct SpacedLabel::Layout {
    std::shared_ptr<QTextLayout> body;
    std::shared_ptr<QTextLayout> tail;
    int tailStart = 0;
    qreal height = 0;
    bool truncated = false;
};

SpacedLabel::SpacedLabel(const QString& text, const QFont& font, const QColor& color,
                         qreal lineSpacing, QWidget* parent)
    : QWidget(parent), m_text(text), m_color(color), m_lineSpacing(lineSpacing) {
    setFont(font);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(text);
}

void SpacedLabel::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    m_anchor = m_cursor = 0;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void SpacedLabel::setColor(const QColor& color) {
    m_color = color;
    update();
}

void SpacedLabel::setTracking(qreal tracking) {
    m_tracking = tracking;
    updateGeometry();
    update();
}

void SpacedLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void SpacedLabel::setSelectable(bool selectable) {
    m_selectable = selectable;
    m_anchor = m_cursor = 0;
    setCursor(selectable ? Qt::IBeamCursor : Qt::ArrowCursor);
    setFocusPolicy(selectable ? Qt::ClickFocus : Qt::NoFocus);
    update();
}

void SpacedLabel::setMaximumLines(int lines) {
    m_maximumLines = qMax(0, lines);
    updateGeometry();
    update();
}

QFont SpacedLabel::trackedFont() const {
    QFont tracked = font();
    if (m_tracking != 0)
        tracked.setLetterSpacing(QFont::AbsoluteSpacing, m_tracking);
    return tracked;
}

SpacedLabel::Layout SpacedLabel::layOut(qreal width) const {
    Layout result;
    const QFont tracked = trackedFont();
    // QTextLayout breaks lines only at the Unicode line separator; the length stays the same, so
    // selection positions still index the text.
    QString shown = m_text;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    auto place = [&](QTextLine& line) {
        if (result.height > 0)
            result.height += m_lineSpacing;
        qreal x = 0;
        if (m_alignment & Qt::AlignHCenter)
            x = (width - line.naturalTextWidth()) / 2;
        else if (m_alignment & Qt::AlignRight)
            x = width - line.naturalTextWidth();
        line.setPosition(QPointF(qMax<qreal>(0, x), result.height));
        result.height += line.height();
    };

    // Lays out at most `limit` lines (negative: all) and returns where the text left over starts.
    auto layBody = [&](int limit) {
        result.body = std::make_shared<QTextLayout>(shown, tracked);
        result.body->setTextOption(option);
        result.body->beginLayout();
        result.height = 0;
        int end = 0;
        for (int lines = 0; limit < 0 || lines < limit; ++lines) {
            QTextLine line = result.body->createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(width);
            place(line);
            end = line.textStart() + line.textLength();
        }
        result.body->endLayout();
        return end;
    };
    const int end = layBody(m_maximumLines > 0 ? m_maximumLines : -1);
    if (m_maximumLines > 0 && end < m_text.size()) {
        // The limit's last line takes the rest of the text on one line, elided.
        result.truncated = true;
        result.tailStart = layBody(m_maximumLines - 1);
    }
    if (result.truncated) {
        QString rest = m_text.mid(result.tailStart);
        rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const QString elided =
            QFontMetricsF(tracked).elidedText(rest, Qt::ElideRight, width, Qt::TextSingleLine);
        result.tail = std::make_shared<QTextLayout>(elided, tracked);
        result.tail->beginLayout();
        QTextLine line = result.tail->createLine();
        line.setLineWidth(width);
        place(line);
        result.tail->endLayout();
    }
    return result;
}

bool SpacedLabel::isTruncated(int width) const {
    return layOut(width).truncated;
}

int SpacedLabel::heightForWidth(int width) const {
    return qCeil(layOut(width).height);
}

QSize SpacedLabel::sizeHint() const {
    const QFontMetrics metrics(trackedFont());
    const int width = qMin(metrics.horizontalAdvance(m_text) + 1, 560);
    return {width, heightForWidth(width)};
}

QSize SpacedLabel::minimumSizeHint() const {
    return {0, QFontMetrics(trackedFont()).height()};
}

void SpacedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(m_color);
    const Layout layout = layOut(width());
    QList<QTextLayout::FormatRange> selections;
    const int start = qMin(m_anchor, m_cursor);
    const int end = qMax(m_anchor, m_cursor);
    if (m_selectable && end > start) {
        QTextLayout::FormatRange range;
        range.start = start;
        range.length = end - start;
        range.format.setBackground(palette().brush(QPalette::Highlight));
        range.format.setForeground(palette().brush(QPalette::HighlightedText));
        selections.append(range);
    }
    layout.body->draw(&painter, QPointF(0, 0), selections);
    if (layout.tail) {
        for (QTextLayout::FormatRange& range : selections) {
            range.start -= layout.tailStart;
            range.length = qMin(range.start + range.length, int(layout.tail->text().size())) -
                           qMax(0, range.start);
            range.start = qMax(0, range.start);
        }
        layout.tail->draw(&painter, QPointF(0, 0), selections);
    }
}

int SpacedLabel::cursorAt(const QPointF& point) const {
    const Layout layout = layOut(width());
    auto lineAt = [&](const QTextLayout& text) -> std::optional<QTextLine> {
        for (int i = 0; i < text.lineCount(); ++i) {
            const QTextLine line = text.lineAt(i);
            if (point.y() < line.y() + line.height() + m_lineSpacing / 2)
                return line;
        }
        return std::nullopt;
    };
    if (const auto line = lineAt(*layout.body))
        return line->xToCursor(point.x());
    if (layout.tail) {
        if (const auto line = lineAt(*layout.tail))
            return qMin<int>(layout.tailStart + line->xToCursor(point.x()), m_text.size());
    }
    return int(m_text.size());
}

QString SpacedLabel::selectedText() const {
    const int start = qMin(m_anchor, m_cursor);
    return m_text.mid(start, qMax(m_anchor, m_cursor) - start);
}

void SpacedLabel::mousePressEvent(QMouseEvent* event) {
    if (!m_selectable || event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_anchor = m_cursor = cursorAt(event->position());
    update();
}

void SpacedLabel::mouseMoveEvent(QMouseEvent* event) {
    if (!m_selectable || !(event->buttons() & Qt::LeftButton))
        return QWidget::mouseMoveEvent(event);
    m_cursor = cursorAt(event->position());
    update();
}

void SpacedLabel::selectAll() {
    if (!m_selectable)
        return;
    m_anchor = 0;
    m_cursor = int(m_text.size());
    update();
}

void SpacedLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!m_selectable)
        return QWidget::mouseDoubleClickEvent(event);
    selectAll();
}

void SpacedLabel::keyPressEvent(QKeyEvent* event) {
    if (m_selectable && event->matches(QKeySequence::Copy) && !selectedText().isEmpty()) {
        QApplication::clipboard()->setText(selectedText());
        return;
    }
    if (m_selectable && event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SpacedLabel::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_selectable)
        return QWidget::contextMenuEvent(event);
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("Copy"));
    copy->setEnabled(!selectedText().isEmpty());
    QAction* all = menu.addAction(QStringLiteral("Select All"));
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == copy)
        QApplication::clipboard()->setText(selectedText());
    else if (chosen == all)
        selectAll();
}

} // namespace corvel
