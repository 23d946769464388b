#pragma once

#include <QColor>
#include <QWidget>

namespace corvel {

// One symbol image, `side` square, in a colour; decorative.
class SymbolLabel final : public QWidget {
    Q_OBJECT

public:
    SymbolLabel(const QString& symbol, int side, const QColor& color, QWidget* parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString& symbol);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    QColor m_color;
};

} // namespace corvel
