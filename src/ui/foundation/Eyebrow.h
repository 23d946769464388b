#pragma once

#include "ui/foundation/PlainLabel.h"

namespace corvel {

// A small upper-case caption above a heading.
class Eyebrow final : public PlainLabel {
    Q_OBJECT

public:
    explicit Eyebrow(const QString& text, QWidget* parent = nullptr);
};

} // namespace corvel
