#include "ui/foundation/PageHeading.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/Eyebrow.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/SpacedLabel.h"

#include <QVBoxLayout>

namespace corvel {

namespace {
QFont titleFont() {
    return tracked(appFont(38, QFont::Medium), -1);
}
} // namespace

PageHeading::PageHeading(const QString& eyebrow, const QString& title, const QString& subtitle,
                         QWidget* parent)
    : QWidget(parent), m_title(new PlainLabel(title, titleFont(), Palette::ink(), this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    column->addWidget(new Eyebrow(eyebrow, this));
    m_title->setWordWrap(true);
    markAccessibleHeading(m_title);
    m_title->setAccessibleName(title);
    column->addWidget(m_title);
    if (!subtitle.isEmpty()) {
        m_subtitle =
            new SpacedLabel(subtitle, appFont(14, QFont::Normal), Palette::secondary(), 5, this);
        column->addWidget(m_subtitle);
    }
}

} // namespace corvel
