#include "ui/foundation/DisclosureGroup.h"

#include "ui/foundation/FocusRing.h"
#include "ui/foundation/LinkButton.h"

#include <QVBoxLayout>

namespace corvel {

DisclosureGroup::DisclosureGroup(const QString& title, QWidget* content, const QFont& font,
                                 const QColor& tint, QWidget* parent)
    : QWidget(parent), m_header(new LinkButton(title, QStringLiteral("chevron.right"), font, tint)),
      m_content(content) {
    m_header->setCheckable(true);
    m_header->setSymbolSize(qMax(8, QFontMetrics(font).height() * 2 / 3));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header, 0, Qt::AlignLeft);
    layout->addWidget(m_content);
    // Content made before the group would come before its header for Tab.
    orderFocusAfter(m_header, m_content);
    connect(m_header, &LinkButton::toggled, this, [this](bool expanded) {
        apply(expanded);
        Q_EMIT expandedChanged(expanded);
    });
    apply(false);
}

bool DisclosureGroup::isExpanded() const {
    return m_header->isChecked();
}

void DisclosureGroup::setExpanded(bool expanded) {
    m_header->setChecked(expanded);
}

void DisclosureGroup::setTitle(const QString& title) {
    m_header->setText(title);
    m_header->setAccessibleName(title);
    m_header->updateGeometry();
}

void DisclosureGroup::setContentSpacing(int spacing) {
    static_cast<QVBoxLayout*>(layout())->setSpacing(spacing);
}

void DisclosureGroup::apply(bool expanded) {
    m_header->setSymbol(expanded ? QStringLiteral("chevron.down")
                                 : QStringLiteral("chevron.right"));
    m_header->setAccessibleDescription(expanded ? QStringLiteral("Expanded")
                                                : QStringLiteral("Collapsed"));
    m_content->setVisible(expanded);
}

} // namespace corvel
