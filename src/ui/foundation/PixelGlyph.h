#pragma once

#include <QColor>
#include <QWidget>

namespace corvel {

// A 9 x 9 pixel icon filled with one colour, framed size x size; decorative, so hidden from
// accessibility.
class PixelGlyph final : public QWidget {
    Q_OBJECT

public:
    enum class Kind { spark, wave, document, check, arrow, person };

    PixelGlyph(Kind kind, const QColor& color, int size, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
    QColor m_color;
};

} // namespace corvel
