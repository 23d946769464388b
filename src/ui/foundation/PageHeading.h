#pragma once

#include <QWidget>

namespace corvel {

class Eyebrow;
class PlainLabel;
class SpacedLabel;

// Eyebrow, large title (an accessibility header) and, when not empty, a subtitle.
class PageHeading final : public QWidget {
    Q_OBJECT

public:
    PageHeading(const QString& eyebrow, const QString& title, const QString& subtitle,
                QWidget* parent = nullptr);

    PlainLabel* titleLabel() const { return m_title; }
    // Null when the subtitle is empty.
    SpacedLabel* subtitleLabel() const { return m_subtitle; }

private:
    PlainLabel* m_title;
    SpacedLabel* m_subtitle = nullptr;
};

} // namespace corvel
