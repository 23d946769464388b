#include "ui/preparation/GuideText.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/SpacedLabel.h"

namespace corvel {

SpacedLabel* makeGuideTitle(const QString& text, QWidget* parent) {
    QFont font = appFont(46, QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -1.6);
    // The titles break their line on purpose; a text layout only breaks at a line separator.
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
    auto* title = new SpacedLabel(lines, font, Palette::ink(), 1, parent);
    title->setAccessibleName(text);
    markAccessibleHeading(title);
    return title;
}

SpacedLabel* makeGuideDescription(const QString& text, QWidget* parent) {
    return new SpacedLabel(text, appFont(15, QFont::Normal), Palette::secondary(), 6, parent);
}

} // namespace corvel
