#pragma once

#include <QWidget>

namespace corvel {

// The brand mark in ink, or white when `inverse`, framed size x size; decorative.
class BrandMark final : public QWidget {
    Q_OBJECT

public:
    BrandMark(int size, bool inverse, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_inverse;
};

} // namespace corvel
