#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QMargins>

namespace corvel {

class FocusRing;

// A plain-style button: a text, a symbol image, or a symbol before a text (the platform's label),
// drawn in one colour with no fill. It dims while pressed and shows at 45 % when disabled. Used
// for links ("Create a key ↗"), "Back", the top bar's buttons and symbol buttons such as "xmark".
// Its action is the clicked() signal; give symbol-only buttons an accessible name.
class LinkButton final : public QAbstractButton {
    Q_OBJECT

public:
    LinkButton(const QString& text, const QString& symbol, const QFont& font, const QColor& color,
               QWidget* parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString& symbol);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    void setPadding(const QMargins& padding);
    // The symbol's side; the font's cap height when not set.
    void setSymbolSize(int side);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    int symbolSide() const;
    bool hasSymbol() const;

    QString m_symbol;
    QFont m_font;
    QColor m_color;
    QMargins m_padding;
    int m_symbolSide = 0;
    FocusRing* m_focusRing;
};

} // namespace corvel
