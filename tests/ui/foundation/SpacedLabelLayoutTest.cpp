#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/SpacedLabel.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace corvel;

// Heights are kept per width for speed; every change of the text or its style must drop them.
TEST(SpacedLabelLayout, KeptHeightsFollowEveryChange) {
    SpacedLabel label(QStringLiteral("short"), appFont(13, QFont::Normal), Palette::ink(), 4);
    const int line = label.heightForWidth(400);
    EXPECT_EQ(label.sizeHint().height(), line);
    EXPECT_EQ(label.heightForWidth(900), line) << "an unwrapped text is one line wider too";

    const QString words = QStringLiteral("word ").repeated(60).trimmed();
    label.setText(words);
    const int wrapped = label.heightForWidth(200);
    EXPECT_GT(wrapped, 3 * line);
    EXPECT_LT(label.heightForWidth(400), wrapped);
    EXPECT_EQ(label.sizeHint().width(), 560);

    label.setMaximumLines(2);
    EXPECT_EQ(label.heightForWidth(200), 2 * line + 4);
    label.setMaximumLines(0);
    label.setFont(appFont(26, QFont::Normal));
    EXPECT_GT(label.heightForWidth(200), wrapped);

    // Alignment only moves the lines, which the kept layouts have placed.
    label.setText(QStringLiteral("short"));
    label.resize(400, label.heightForWidth(400));
    auto leftmostInk = [&] {
        QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        label.render(&image, {}, {}, QWidget::DrawChildren);
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (qAlpha(image.pixel(x, y)) > 0)
                    return x;
        return -1;
    };
    EXPECT_LT(leftmostInk(), 10);
    label.setAlignment(Qt::AlignRight);
    EXPECT_GT(leftmostInk(), 200);
}

// A streamed text grows at its end: what the user selected stays selected while it is there.
TEST(SpacedLabelLayout, ASelectionSurvivesGrowthButNotARewrite) {
    SpacedLabel label(QStringLiteral("Lead with"), appFont(13, QFont::Normal), Palette::ink(), 4);
    label.setSelectable(true);
    label.selectAll();
    label.setText(QStringLiteral("Lead with the outcome."));
    EXPECT_EQ(label.selectedText(), QStringLiteral("Lead with"));
    label.setText(QStringLiteral("Open with the outcome."));
    EXPECT_TRUE(label.selectedText().isEmpty());
}
