#include "ui/foundation/SpacedLabel.h"

#include <QPainter>
#include <QTextLayout>
#include <QtMath>

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
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

qreal SpacedLabel::layOut(qreal width, QPainter* painter) const {
    QTextLayout layout(m_text, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (y > 0)
            y += m_lineSpacing;
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    if (painter)
        layout.draw(painter, QPointF(0, 0));
    return y;
}

int SpacedLabel::heightForWidth(int width) const {
    return qCeil(layOut(width, nullptr));
}

QSize SpacedLabel::sizeHint() const {
    const int width = qMin(fontMetrics().horizontalAdvance(m_text) + 1, 560);
    return {width, heightForWidth(width)};
}

QSize SpacedLabel::minimumSizeHint() const {
    return {0, fontMetrics().height()};
}

void SpacedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(m_color);
    layOut(width(), &painter);
}

} // namespace corvel
