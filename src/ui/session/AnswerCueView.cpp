#include "ui/session/AnswerCueView.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace corvel {

namespace {

QColor white(qreal opacity) {
    return Palette::withOpacity(Qt::white, opacity);
}

QFont tracked(QFont font, qreal tracking) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return font;
}

PlainLabel* textLabel(QWidget* parent, bool selectable) {
    auto* label = new PlainLabel({}, QFont(), Palette::ink(), parent);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    if (selectable)
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A streamed text only grows: keep what the user selected when it is still there.
void setTextKeepingSelection(QLabel* label, const QString& text) {
    if (label->text() == text)
        return;
    const int start = label->hasSelectedText() ? label->selectionStart() : -1;
    const int length = label->selectedText().size();
    const QString selected = label->text().mid(start, length);
    label->setText(text);
    if (start >= 0 && text.mid(start, length) == selected)
        label->setSelection(start, length);
}

void paintRounded(QWidget* widget, const QColor& color, qreal radius) {
    QPainter painter(widget);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(widget->rect()), radius, radius);
    painter.fillPath(path, color);
}

// The cue's number on its accent square.
class Badge final : public QWidget {
public:
    explicit Badge(QWidget* parent) : QWidget(parent) { hideFromAccessibility(this); }

    void set(const QString& number, const QColor& accent, bool compact) {
        if (number == m_number && accent == m_accent && compact == m_compact)
            return;
        m_number = number;
        m_accent = accent;
        m_compact = compact;
        const int side = compact ? 24 : 28;
        setFixedSize(side, side);
        update();
    }
    const QString& number() const { return m_number; }

protected:
    void paintEvent(QPaintEvent*) override {
        paintRounded(this, m_accent, 2);
        QPainter painter(this);
        painter.setFont(appFont(m_compact ? 10 : 11, QFont::Medium));
        painter.setPen(Palette::ink());
        painter.drawText(rect(), Qt::AlignCenter, m_number);
    }

private:
    QString m_number;
    QColor m_accent;
    bool m_compact = false;
};

} // namespace

class AnswerCueView::OpeningBlock final : public QWidget {
public:
    explicit OpeningBlock(QWidget* parent)
        : QWidget(parent), m_label(textLabel(this, false)), m_text(textLabel(this, true)) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(8);
        m_label->setText(QStringLiteral("Start here"));
        layout->addWidget(m_label);
        layout->addWidget(m_text);
    }

    void style(bool compact, bool inverse) {
        m_label->setFont(appFont(10, QFont::Medium));
        m_label->setTextColor(inverse ? white(0.8) : Palette::secondary());
        m_text->setFont(appFont(compact ? 15 : 17, QFont::Medium));
        m_text->setTextColor(inverse ? white(0.95) : Palette::ink());
    }
    void setOpening(const QString& text) { setTextKeepingSelection(m_text, text); }

private:
    PlainLabel* m_label;
    PlainLabel* m_text;
};

class AnswerCueView::CueRow final : public QWidget {
public:
    explicit CueRow(QWidget* parent)
        : QWidget(parent), m_layout(new QHBoxLayout(this)), m_badge(new Badge(this)),
          m_title(textLabel(this, false)), m_body(textLabel(this, true)) {
        m_layout->setContentsMargins(0, 0, 0, 0);
        m_layout->addWidget(m_badge, 0, Qt::AlignTop);
        auto* column = new QVBoxLayout;
        column->setSpacing(8);
        column->addWidget(m_title);
        column->addWidget(m_body);
        m_layout->addLayout(column, 1);
    }

    void style(bool compact, bool inverse) {
        m_compact = compact;
        m_layout->setSpacing(compact ? 12 : 14);
        m_title->setFont(tracked(appFont(compact ? 14 : 16, QFont::Medium), -0.2));
        m_title->setTextColor(inverse ? white(0.95) : Palette::ink());
        m_body->setFont(appFont(compact ? 14 : 16, QFont::Normal));
        m_body->setTextColor(inverse ? white(0.8) : Palette::secondary());
    }
    void set(const AnswerCueRows::Numbered& row, const QColor& accent) {
        m_badge->set(row.number, accent, m_compact);
        setTextKeepingSelection(m_title, row.title);
        setTextKeepingSelection(m_body, row.text);
        m_body->setVisible(!row.text.isEmpty());
        // One element for assistive technology: the title and what to say.
        setAccessibleName(row.text.isEmpty() ? row.title : row.title + u'\n' + row.text);
    }

private:
    QHBoxLayout* m_layout;
    Badge* m_badge;
    PlainLabel* m_title;
    PlainLabel* m_body;
    bool m_compact = false;
};

class AnswerCueView::ReminderCard final : public QWidget {
public:
    explicit ReminderCard(QWidget* parent)
        : QWidget(parent), m_title(textLabel(this, false)), m_text(textLabel(this, false)) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(12, 12, 12, 12);
        layout->setSpacing(10);
        auto* glyph = new PixelGlyph(PixelGlyph::Kind::spark, Palette::orange(), 14, this);
        auto* glyphColumn = new QVBoxLayout;
        glyphColumn->setContentsMargins(0, 2, 0, 0);
        glyphColumn->addWidget(glyph);
        glyphColumn->addStretch();
        layout->addLayout(glyphColumn);
        auto* column = new QVBoxLayout;
        column->setSpacing(5);
        column->addWidget(m_title);
        column->addWidget(m_text);
        layout->addLayout(column, 1);
        m_title->setFont(appFont(11, QFont::Medium));
        m_text->setFont(appFont(12, QFont::Normal));
    }

    void style(bool inverse) {
        m_inverse = inverse;
        for (PlainLabel* label : {m_title, m_text})
            label->setTextColor(inverse ? white(0.8) : Palette::secondary());
        update();
    }
    void set(const AnswerCue& cue) {
        m_title->setText(cue.title);
        m_text->setText(cue.text);
        m_text->setVisible(!cue.text.isEmpty());
        setAccessibleName(cue.text.isEmpty() ? cue.title : cue.title + u'\n' + cue.text);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        paintRounded(this, Palette::withOpacity(Palette::orange(), m_inverse ? 0.18 : 0.1), 3);
    }

private:
    PlainLabel* m_title;
    PlainLabel* m_text;
    bool m_inverse = false;
};

AnswerCueView::AnswerCueView(const QString& text, bool inverse, bool compact, bool isStreaming,
                             QList<QColor> accents, QWidget* parent)
    : QWidget(parent), m_text(text), m_inverse(inverse), m_compact(compact),
      m_isStreaming(isStreaming), m_accents(std::move(accents)),
      m_rows(text, isStreaming, m_accents.size()), m_layout(new QVBoxLayout(this)),
      m_opening(new OpeningBlock(this)),
      m_placeholder(new PlainLabel(QStringLiteral("Your answer is arriving…"),
                                   appFont(12, QFont::Normal), Palette::secondary(), this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(m_opening);
    m_layout->addWidget(m_placeholder);
    m_layout->addStretch();
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_opening->style(m_compact, m_inverse);
    m_placeholder->setTextColor(inverse ? white(0.8) : Palette::secondary());
    apply();
}

AnswerCueView::~AnswerCueView() = default;

void AnswerCueView::setAnswer(const QString& text, bool isStreaming) {
    if (text == m_text && isStreaming == m_isStreaming)
        return;
    m_text = text;
    m_isStreaming = isStreaming;
    m_rows = AnswerCueRows(text, isStreaming, m_accents.size());
    apply();
}

void AnswerCueView::setCompact(bool compact) {
    if (compact == m_compact)
        return;
    m_compact = compact;
    m_opening->style(compact, m_inverse);
    for (auto& [id, row] : m_cueRows)
        row->style(compact, m_inverse);
    apply();
}

QColor AnswerCueView::accent(const AnswerCueRows::Numbered& row) const {
    return row.accent ? m_accents.at(*row.accent) : Palette::surface();
}

void AnswerCueView::apply() {
    m_layout->setSpacing(m_compact ? 22 : 28);
    m_opening->setOpening(m_rows.opening);
    m_opening->setVisible(!m_rows.opening.isEmpty());
    m_placeholder->setVisible(m_rows.placeholder);

    // Rows of cues that left the layout go; the others are updated where they stand.
    std::map<int, CueRow*> cueRows;
    for (const auto& cue : m_rows.numbered) {
        auto found = m_cueRows.extract(cue.id);
        CueRow* row = found ? found.mapped() : nullptr;
        if (!row) {
            row = new CueRow(this);
            row->style(m_compact, m_inverse);
        }
        row->set(cue, accent(cue));
        cueRows.emplace(cue.id, row);
    }
    std::map<int, ReminderCard*> cards;
    for (const AnswerCue& cue : m_rows.reminders) {
        auto found = m_reminderCards.extract(cue.id);
        ReminderCard* card = found ? found.mapped() : nullptr;
        if (!card) {
            card = new ReminderCard(this);
            card->style(m_inverse);
        }
        card->set(cue);
        cards.emplace(cue.id, card);
    }
    for (auto& [id, row] : m_cueRows)
        delete row;
    for (auto& [id, card] : m_reminderCards)
        delete card;
    m_cueRows = std::move(cueRows);
    m_reminderCards = std::move(cards);
    arrange();
}

// Puts the widgets in drawing order; a delta that only grows a text moves nothing.
void AnswerCueView::arrange() {
    QList<QWidget*> order{m_opening};
    for (const auto& cue : m_rows.numbered)
        order.append(m_cueRows.at(cue.id));
    for (const AnswerCue& cue : m_rows.reminders)
        order.append(m_reminderCards.at(cue.id));
    order.append(m_placeholder);
    for (qsizetype i = 0; i < order.size(); ++i) {
        QLayoutItem* item = m_layout->itemAt(int(i));
        if (item && item->widget() == order[i])
            continue;
        m_layout->removeWidget(order[i]);
        m_layout->insertWidget(int(i), order[i]);
    }
}

QWidget* AnswerCueView::openingBlock() const {
    return m_opening->isVisibleTo(this) ? m_opening : nullptr;
}

QWidget* AnswerCueView::cueRow(int id) const {
    const auto found = m_cueRows.find(id);
    return found == m_cueRows.end() ? nullptr : found->second;
}

QWidget* AnswerCueView::reminderCard(int id) const {
    const auto found = m_reminderCards.find(id);
    return found == m_reminderCards.end() ? nullptr : found->second;
}

QWidget* AnswerCueView::placeholder() const {
    return m_placeholder->isVisibleTo(this) ? m_placeholder : nullptr;
}

} // namespace corvel
