#include "ui/session/AnswerCueView.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/SpacedLabel.h"

#include <QHBoxLayout>
#include <QPainter>

namespace corvel {

namespace {

QColor white(qreal opacity) {
    return Palette::withOpacity(Qt::white, opacity);
}

SpacedLabel* textBlock(const QFont& font, const QColor& color, qreal lineSpacing, bool selectable,
                       QWidget* parent) {
    auto* block = new SpacedLabel({}, font, color, lineSpacing, parent);
    block->setSelectable(selectable);
    return block;
}

// The view's column of rows. A growing answer asks for more height from the inside out: the view
// lays out its rows before the scroll area above has made it taller. A box layout would squeeze
// every row into the old height for that pass, moving (and repainting) all of them; here the rows
// keep the heights they need and the last one runs past the bottom until the view has grown.
class RowColumn final : public QVBoxLayout {
public:
    using QVBoxLayout::QVBoxLayout;

    void setGeometry(const QRect& rect) override {
        QRect needed = rect;
        needed.setHeight(qMax(rect.height(), heightForWidth(rect.width())));
        QVBoxLayout::setGeometry(needed);
    }
};

void paintRounded(QWidget* widget, const QColor& color, qreal radius) {
    QPainter painter(widget);
    fillRounded(painter, widget->rect(), radius, color);
}

// The cue's number on its accent square.
class Badge final : public QWidget {
public:
    Badge(bool compact, QWidget* parent) : QWidget(parent), m_compact(compact) {
        const int side = compact ? 24 : 28;
        setFixedSize(side, side);
        hideFromAccessibility(this);
    }

    void set(const QString& number, const QColor& accent) {
        if (number == m_number && accent == m_accent)
            return;
        m_number = number;
        m_accent = accent;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        paintRounded(this, m_accent, 2);
        QPainter painter(this);
        painter.setFont(appFont(m_compact ? 10 : 11, QFont::Medium));
        painter.setPen(Palette::ink());
        painter.drawText(rect(), Qt::AlignCenter, m_number);
    }

private:
    bool m_compact;
    QString m_number;
    QColor m_accent;
};

// One accessible name for a title and its text. Every delta reaches every row, so it is only
// set when it changed.
void nameAfter(QWidget* widget, const QString& title, const QString& text) {
    const QString name = text.isEmpty() ? title : title + u'\n' + text;
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

} // namespace

class AnswerCueView::OpeningBlock final : public QWidget {
public:
    OpeningBlock(bool compact, bool inverse, QWidget* parent)
        : QWidget(parent),
          m_label(new PlainLabel(QStringLiteral("Start here"), appFont(10, QFont::Medium),
                                 inverse ? white(0.8) : Palette::secondary(), this)),
          m_text(textBlock(appFont(compact ? 15 : 17, QFont::Medium),
                           inverse ? white(0.95) : Palette::ink(), compact ? 4 : 5, true, this)) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(8);
        layout->addWidget(m_label);
        layout->addWidget(m_text);
    }

    void setOpening(const QString& text) { m_text->setText(text); }

private:
    PlainLabel* m_label;
    SpacedLabel* m_text;
};

class AnswerCueView::CueRow final : public QWidget {
public:
    CueRow(bool compact, bool inverse, QWidget* parent)
        : QWidget(parent), m_badge(new Badge(compact, this)),
          m_title(textBlock(appFont(compact ? 14 : 16, QFont::Medium),
                            inverse ? white(0.95) : Palette::ink(), 0, false, this)),
          m_body(textBlock(appFont(compact ? 14 : 16, QFont::Normal),
                           inverse ? white(0.8) : Palette::secondary(), compact ? 4 : 6, true,
                           this)) {
        m_title->setTracking(-0.2);
        // One element for assistive technology, named in set(): its parts are not read apart.
        hideFromAccessibility(m_title);
        hideFromAccessibility(m_body);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(compact ? 12 : 14);
        layout->addWidget(m_badge, 0, Qt::AlignTop);
        auto* column = new QVBoxLayout;
        column->setSpacing(8);
        column->addWidget(m_title);
        column->addWidget(m_body);
        layout->addLayout(column, 1);
    }

    void set(const AnswerCueRows::Numbered& row, const QColor& accent) {
        m_badge->set(row.number, accent);
        m_title->setText(row.title);
        m_body->setText(row.text);
        m_body->setVisible(!row.text.isEmpty());
        nameAfter(this, row.title, row.text);
    }

private:
    Badge* m_badge;
    SpacedLabel* m_title;
    SpacedLabel* m_body;
};

class AnswerCueView::ReminderCard final : public QWidget {
public:
    ReminderCard(bool inverse, QWidget* parent)
        : QWidget(parent), m_inverse(inverse),
          m_title(textBlock(appFont(11, QFont::Medium), inverse ? white(0.8) : Palette::secondary(),
                            0, false, this)),
          m_text(textBlock(appFont(12, QFont::Normal), inverse ? white(0.8) : Palette::secondary(),
                           4, false, this)) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(12, 12, 12, 12);
        layout->setSpacing(10);
        auto* glyphColumn = new QVBoxLayout;
        glyphColumn->setContentsMargins(0, 2, 0, 0);
        glyphColumn->addWidget(
            new PixelGlyph(PixelGlyph::Kind::spark, Palette::orange(), 14, this));
        glyphColumn->addStretch();
        layout->addLayout(glyphColumn);
        auto* column = new QVBoxLayout;
        column->setSpacing(5);
        column->addWidget(m_title);
        column->addWidget(m_text);
        layout->addLayout(column, 1);
    }

    void set(const AnswerCue& cue) {
        m_title->setText(cue.title);
        m_text->setText(cue.text);
        m_text->setVisible(!cue.text.isEmpty());
        nameAfter(this, cue.title, cue.text);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        paintRounded(this, Palette::withOpacity(Palette::orange(), m_inverse ? 0.18 : 0.1), 3);
    }

private:
    bool m_inverse;
    SpacedLabel* m_title;
    SpacedLabel* m_text;
};

AnswerCueView::AnswerCueView(const QString& text, bool inverse, bool compact, bool isStreaming,
                             QList<QColor> accents, QWidget* parent)
    : QWidget(parent), m_text(text), m_inverse(inverse), m_compact(compact),
      m_isStreaming(isStreaming), m_accents(std::move(accents)),
      m_rows(m_cueLayout.layout(text, isStreaming), isStreaming, m_accents.size()),
      m_layout(new RowColumn(this)), m_opening(new OpeningBlock(compact, inverse, this)),
      m_placeholder(new PlainLabel(QStringLiteral("Your answer is arriving…"),
                                   appFont(12, QFont::Normal),
                                   inverse ? white(0.8) : Palette::secondary(), this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(m_opening);
    m_layout->addWidget(m_placeholder);
    m_layout->addStretch();
    apply();
}

AnswerCueView::~AnswerCueView() = default;

void AnswerCueView::setAnswer(const QString& text, bool isStreaming) {
    if (text == m_text && isStreaming == m_isStreaming)
        return;
    m_text = text;
    m_isStreaming = isStreaming;
    m_rows = AnswerCueRows(m_cueLayout.layout(text, isStreaming), isStreaming, m_accents.size());
    apply();
}

// Sizes and spacings are fixed when a row is built, so a change of size class builds the rows
// again; that happens only when the window crosses its size threshold.
void AnswerCueView::setCompact(bool compact) {
    if (compact == m_compact)
        return;
    m_compact = compact;
    delete m_opening;
    m_opening = new OpeningBlock(compact, m_inverse, this);
    m_layout->insertWidget(0, m_opening);
    for (auto& [id, row] : m_cueRows)
        delete row;
    m_cueRows.clear();
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
        CueRow* row = found ? found.mapped() : new CueRow(m_compact, m_inverse, this);
        row->set(cue, accent(cue));
        cueRows.emplace(cue.id, row);
    }
    std::map<int, ReminderCard*> cards;
    for (const AnswerCue& cue : m_rows.reminders) {
        auto found = m_reminderCards.extract(cue.id);
        ReminderCard* card = found ? found.mapped() : new ReminderCard(m_inverse, this);
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
