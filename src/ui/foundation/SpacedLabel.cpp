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
    // A streamed text grows at its end: a selection in the part that stays is kept.
    const int end = qMax(m_anchor, m_cursor);
    if (end > text.size() || QStringView(text).first(end) != QStringView(m_text).first(end))
        m_anchor = m_cursor = 0;
    m_text = text;
    forgetLayouts();
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
    forgetLayouts();
    updateGeometry();
    update();
}

void SpacedLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    // The kept layouts placed their lines for the old alignment.
    forgetLayouts();
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
    forgetLayouts();
    updateGeometry();
    update();
}

QFont SpacedLabel::trackedFont() const {
    QFont tracked = font();
    if (m_tracking != 0)
        tracked.setLetterSpacing(QFont::AbsoluteSpacing, m_tracking);
    return tracked;
}

void SpacedLabel::forgetLayouts() {
    m_layouts.clear();
}

void SpacedLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        forgetLayouts();
    QWidget::changeEvent(event);
}

SpacedLabel::Layout SpacedLabel::layOut(qreal width) const {
    const int key = qRound(width);
    if (const auto cached = m_layouts.constFind(key); cached != m_layouts.cend())
        return *cached;
    // A few widths are asked for in turn (minimum, preferred, the actual one).
    if (m_layouts.size() >= 4)
        m_layouts.clear();
    return m_layouts[key] = layOutAt(width);
}

SpacedLabel::Layout SpacedLabel::layOutAt(qreal width) const {
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
        // Otherwise the layout drops its shaped glyphs at endLayout and shapes the text again
        // on every paint.
        result.body->setCacheEnabled(true);
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
            result.natural = qMax(result.natural, line.naturalTextWidth());
            if (end < shown.size() && shown.at(end - 1) != QChar::LineSeparator)
                result.wrapped = true;
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
        result.tail->setCacheEnabled(true);
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
    // Text that fitted unwrapped at another width is as high at any width it still fits in.
    for (const Layout& known : std::as_const(m_layouts)) {
        if (!known.wrapped && !known.truncated && known.natural <= width)
            return qCeil(known.height);
    }
    return qCeil(layOut(width).height);
}

QSize SpacedLabel::sizeHint() const {
    // One layout at the widest preferred width gives both: a text narrower than it is one line
    // per paragraph at its natural width, and of the same height.
    constexpr int widest = 560;
    const Layout layout = layOut(widest);
    qreal natural = layout.natural;
    if (layout.tail && layout.tail->lineCount() > 0)
        natural = qMax(natural, layout.tail->lineAt(0).naturalTextWidth());
    const int width = layout.wrapped ? widest : qMin(qCeil(natural) + 1, widest);
    return {width, qCeil(layout.height)};
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
