#include "ui/session/ResponsePanel.h"

#include "session/AppStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/session/AnswerText.h"
#include "ui/session/DeferredRefresh.h"
#include "ui/session/SessionScreenText.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace corvel {

namespace {
constexpr int cornerRadius = 6;
} // namespace

ResponsePanel::ResponsePanel(AppStore& store, QWidget* parent)
    : QWidget(parent), m_store(store),
      m_generating(new PlainLabel(QStringLiteral("Generating"), appFont(11, QFont::Normal),
                                  Palette::secondary())),
      m_copy(new LinkButton(
          {}, QStringLiteral("doc.on.doc"),
          [] {
              QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
              font.setPixelSize(13);
              return font;
          }(),
          Palette::ink())),
      m_answer(new AnswerText(store.currentAnswer(), false, false, store.isGenerating())),
      m_empty(new QWidget),
      m_emptyHeadline(new SpacedLabel({}, appFont(20, QFont::Medium), Palette::ink(), 0, m_empty)),
      m_emptyLine(
          new SpacedLabel({}, appFont(13, QFont::Normal), Palette::secondary(), 0, m_empty)),
      m_refresh(new DeferredRefresh([this] { refresh(); }, this)) {
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(24);

    auto* header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(new PixelGlyph(PixelGlyph::Kind::spark, Palette::ink(), 20, content));
    header->addWidget(new PlainLabel(QStringLiteral("Your answer"), appFont(17, QFont::Medium),
                                     Palette::ink(), content));
    header->addStretch();
    header->addWidget(m_generating);
    m_copy->setAccessibleName(QStringLiteral("Copy answer"));
    header->addWidget(m_copy);
    column->addLayout(header);

    m_answer->setContentsMargins(0, 0, 0, 8);
    column->addWidget(m_answer);
    auto* empty = new QVBoxLayout(m_empty);
    empty->setContentsMargins(0, 48, 0, 48);
    empty->setSpacing(13);
    empty->addWidget(m_emptyHeadline);
    empty->addWidget(m_emptyLine);
    column->addWidget(m_empty);
    column->addStretch();

    setMinimumHeight(330);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 28, 28, 28);
    layout->addWidget(content);
    // The card grows line by line while an answer streams: only what it uncovers is repainted
    // (and its bottom corners, see resizeEvent), not every cue above.
    for (QWidget* growing : {static_cast<QWidget*>(this), content, static_cast<QWidget*>(m_answer)})
        growing->setAttribute(Qt::WA_StaticContents);

    connect(m_copy, &LinkButton::clicked, this, &ResponsePanel::copyAnswer);
    for (auto changed : {&AppStore::currentAnswerChanged, &AppStore::isGeneratingChanged})
        connect(&m_store, changed, m_refresh, &DeferredRefresh::request);
    refresh();
}

void ResponsePanel::refresh() {
    const QString& answer = m_store.currentAnswer();
    const bool generating = m_store.isGenerating();
    m_generating->setVisible(generating);
    m_copy->setEnabled(!answer.isEmpty());
    m_answer->setAnswer(answer, generating);
    m_answer->setVisible(!answer.isEmpty());
    m_empty->setVisible(answer.isEmpty());
    m_emptyHeadline->setText(SessionScreenText::responseHeadline(generating));
    m_emptyLine->setText(SessionScreenText::responseLine(generating));
}

void ResponsePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    fillRounded(painter, rect(), cornerRadius, Qt::white);
}

void ResponsePanel::resizeEvent(QResizeEvent* event) {
    // Static contents repaint only what a resize uncovers. Growing, the old bottom corners become
    // straight sides; shrinking (a new question clears a long answer), straight sides become the
    // new bottom corners. Either way the band above the lower of the two bottoms is redrawn.
    if (event->oldSize().width() != width())
        update();
    else
        update(0, qMin(event->oldSize().height(), height()) - cornerRadius, width(), cornerRadius);
    QWidget::resizeEvent(event);
}

// The raw text as streamed, headings and list marks included.
void ResponsePanel::copyAnswer() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_store.currentAnswer());
}

} // namespace corvel
