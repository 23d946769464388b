#pragma once

#include <QAbstractButton>
#include <QColor>

namespace corvel {

// A borderless button that is only a symbol, padded on every side; the padded rectangle is its
// hit area. Its accessibility name says what it does.
class SymbolButton final : public QAbstractButton {
    Q_OBJECT

public:
    SymbolButton(const QString& symbol, int symbolSize, const QColor& color, int padding,
                 const QString& accessibleName, QWidget* parent = nullptr);

    QString symbol() const { return m_symbol; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    int m_symbolSize;
    QColor m_color;
    int m_padding;
};

} // namespace corvel
