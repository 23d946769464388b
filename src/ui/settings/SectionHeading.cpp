#include "ui/settings/SectionHeading.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/settings/ColorBlock.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvel {

SectionHeading::SectionHeading(const QString& title, const QString& subtitle, const QColor& color,
                               QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    auto* square = new QVBoxLayout;
    square->setContentsMargins(0, 5, 0, 0);
    square->addWidget(new ColorBlock(color, QSize(12, 12)));
    square->addStretch(1);
    row->addLayout(square);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(8);
    texts->addWidget(new PlainLabel(title, appFont(19, QFont::DemiBold), Palette::ink()));
    texts->addWidget(
        new SpacedLabel(subtitle, appFont(13, QFont::Normal), Palette::secondary(), 4));
    row->addLayout(texts, 1);
}

} // namespace corvel
