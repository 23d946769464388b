#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

namespace corvel {

class LinkButton;

// A titled header with a chevron that shows or hides its content below it. The expansion is the
// group's own state unless the screen drives it through setExpanded(); expandedChanged() reports
// the user's clicks as well as setExpanded() calls that change it.
class DisclosureGroup final : public QWidget {
    Q_OBJECT

public:
    DisclosureGroup(const QString& title, QWidget* content, const QFont& font, const QColor& tint,
                    QWidget* parent = nullptr);

    bool isExpanded() const;
    void setExpanded(bool expanded);
    void setTitle(const QString& title);
    // Space between the header and the content.
    void setContentSpacing(int spacing);
    LinkButton* header() const { return m_header; }
    QWidget* content() const { return m_content; }

Q_SIGNALS:
    void expandedChanged(bool expanded);

private:
    void apply(bool expanded);

    LinkButton* m_header;
    QWidget* m_content;
};

} // namespace corvel
