#include "ui/foundation/FieldLabel.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"

#include <QHBoxLayout>

namespace corvel {

FieldLabel::FieldLabel(const QString& title, const QString& hint, QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* titleLabel = new PlainLabel(title, appFont(13, QFont::Medium), Palette::ink(), this);
    row->addWidget(titleLabel, 0, Qt::AlignBaseline);
    row->addStretch(1);
    if (!hint.isEmpty()) {
        m_hint = new PlainLabel(hint, appFont(11, QFont::Normal), Palette::secondary(), this);
        row->addWidget(m_hint, 0, Qt::AlignBaseline);
    }
}

} // namespace corvel
