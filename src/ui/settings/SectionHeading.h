#pragma once

#include <QColor>
#include <QWidget>

namespace corvel {

// The heading of a settings card: a coloured square beside a title and its subtitle.
class SectionHeading final : public QWidget {
    Q_OBJECT

public:
    SectionHeading(const QString& title, const QString& subtitle, const QColor& color,
                   QWidget* parent = nullptr);
};

} // namespace corvel
