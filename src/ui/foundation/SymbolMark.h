#pragma once

#include <QColor>
#include <QWidget>

namespace corvel {

// One named symbol image beside a text ("checkmark", "lock.open", "minus"); decorative, since
// the text next to it says the same.
class SymbolMark final : public QWidget {
    Q_OBJECT

public:
    SymbolMark(const QString& symbol, int side, const QColor& color, QWidget* parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString& symbol);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    QColor m_color;
};

} // namespace corvel
