#pragma once

#include <QAbstractButton>

namespace corvel {

// The open button of a history row: icon tile, title over date, question count and arrow; its
// whole rectangle is the hit area. The texts are drawn as plain text, elided when too long.
class HistoryRecordButton final : public QAbstractButton {
    Q_OBJECT

public:
    HistoryRecordButton(const QString& title, const QString& date, const QString& count,
                        QWidget* parent = nullptr);

    QString title() const { return m_title; }
    // Shows another record: the history list reuses its rows as it scrolls.
    void setTexts(const QString& title, const QString& date, const QString& count);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    QString m_date;
    QString m_count;
};

} // namespace corvel
