#pragma once

#include <QWidget>

namespace corvel {

// A small tag: coloured square and caption on a tinted rounded rectangle.
class StatusTag final : public QWidget {
    Q_OBJECT

public:
    StatusTag(const QString& text, bool positive, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    bool isPositive() const { return m_positive; }
    void setStatus(const QString& text, bool positive);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    bool m_positive;
};

} // namespace corvel
