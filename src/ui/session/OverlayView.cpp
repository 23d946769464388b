#include "ui/session/OverlayView.h"

#include "session/AppStore.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvel {

OverlayView::OverlayView(AppStore& store, QWidget* parent)
    : QWidget(parent), m_store(store), m_question(new QLabel(this)), m_answer(new QLabel(this)) {
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    auto* close = new QPushButton(QStringLiteral("Hide"), this);
    close->setAccessibleName(QStringLiteral("Hide floating window"));
    connect(close, &QPushButton::clicked, &m_store, &AppStore::hideOverlay);
    for (QLabel* label : {m_question, m_answer}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    layout->addWidget(close, 0, Qt::AlignRight);
    layout->addWidget(m_question);
    layout->addWidget(m_answer, 1);
    connect(&m_store, &AppStore::currentQuestionChanged, this, &OverlayView::refresh);
    connect(&m_store, &AppStore::currentAnswerChanged, this, &OverlayView::refresh);
    connect(&m_store, &AppStore::overlayOpacityChanged, this, &OverlayView::refresh);
    refresh();
}

void OverlayView::refresh() {
    m_question->setText(m_store.currentQuestion());
    m_answer->setText(m_store.currentAnswer());
    QPalette palette = this->palette();
    QColor background = palette.color(QPalette::Window);
    background.setAlphaF(static_cast<float>(m_store.overlayOpacity()));
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
}

} // namespace corvel
