#include "ui/foundation/TextArea.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/ScrollArea.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QVBoxLayout>

namespace corvel {

namespace {
constexpr qreal cornerRadius = 5;
constexpr int editorPadding = 12;
constexpr int placeholderPadX = 18;
constexpr int placeholderPadY = 16;
constexpr qreal lineSpacing = 5;
// The editor's own text inset, so its first line sits exactly where the placeholder is drawn.
constexpr qreal textInsetX = placeholderPadX - editorPadding;
constexpr qreal textInsetY = placeholderPadY - editorPadding;

QFont areaFont() {
    return appFont(13, QFont::Normal);
}
} // namespace

TextArea::TextArea(const QString& text, const QString& placeholder, int height, QWidget* parent)
    : QWidget(parent), m_placeholder(placeholder), m_editor(new QTextEdit(this)),
      m_focusRing(new FocusRing(m_editor, this)) {
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(editorPadding, editorPadding, editorPadding, editorPadding);
    layout->addWidget(m_editor);

    // The editor is see-through so the surface and the placeholder painted here show behind it.
    m_editor->setFrameShape(QFrame::NoFrame);
    m_editor->setAcceptRichText(false);
    // Tab moves on to the next control: a tab character is never wanted in these texts.
    m_editor->setTabChangesFocus(true);
    m_editor->setFont(areaFont());
    m_editor->setAccessibleName(placeholder);
    m_editor->viewport()->setAutoFillBackground(false);
    useKitScrollBar(m_editor);
    // Qt points the viewport's focus at the editor, and Shift+Tab takes the viewport for a stop
    // of its own: once the editor is moved in the Tab order, the viewport stays behind and
    // Shift+Tab jumps back to the editor from wherever it lies. A click still focuses the editor.
    m_editor->viewport()->setFocusProxy(nullptr);
    QPalette colors = m_editor->palette();
    colors.setColor(QPalette::Base, Qt::transparent);
    colors.setColor(QPalette::Text, Palette::ink());
    m_editor->setPalette(colors);
    setFocusProxy(m_editor);
    // Qt orders only widgets that take the focus; Tab reaches the area's editor through it.
    setFocusPolicy(m_editor->focusPolicy());

    m_editor->setPlainText(text);
    applyTextLayout();
    m_editor->installEventFilter(this);
    connect(m_editor, &QTextEdit::textChanged, this, [this] {
        update();
        Q_EMIT textChanged(this->text());
    });
}

QString TextArea::text() const {
    return m_editor->toPlainText();
}

void TextArea::setText(const QString& text) {
    if (text == this->text())
        return;
    const QSignalBlocker blocker(m_editor);
    m_editor->setPlainText(text);
    applyTextLayout();
    update();
    Q_EMIT textChanged(text);
}

bool TextArea::placeholderShown() const {
    return m_editor->document()->isEmpty();
}

// Qt takes Return on an empty line whose block has a format of its own (here, the line spacing)
// for leaving a list or heading: it drops the format and makes no line. Here every Return makes a
// new line with the spacing of the one before; Ctrl+Return and the like are left to shortcuts.
bool TextArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor && event->type() == QEvent::KeyPress && !m_editor->isReadOnly()) {
        if (isPlainReturn(static_cast<const QKeyEvent*>(event))) {
            QTextCursor cursor = m_editor->textCursor();
            cursor.insertBlock();
            m_editor->setTextCursor(cursor);
            m_editor->ensureCursorVisible();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// New blocks copy the format of the block they split from, so setting it once per text suffices.
void TextArea::applyTextLayout() {
    QTextDocument* document = m_editor->document();
    document->setDocumentMargin(0);
    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    frame.setLeftMargin(textInsetX);
    frame.setRightMargin(textInsetX);
    frame.setTopMargin(textInsetY);
    frame.setBottomMargin(textInsetY);
    document->rootFrame()->setFrameFormat(frame);
    QTextCursor cursor(document);
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(lineSpacing, QTextBlockFormat::LineDistanceHeight);
    cursor.mergeBlockFormat(format);
}

void TextArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    fillRounded(painter, rect(), cornerRadius, Palette::surface());
    if (!placeholderShown())
        return;
    painter.setFont(areaFont());
    painter.setPen(Palette::muted());
    painter.drawText(
        rect().adjusted(placeholderPadX, placeholderPadY, -placeholderPadX, -placeholderPadY),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_placeholder);
}

} // namespace corvel
