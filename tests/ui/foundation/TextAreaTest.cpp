#include "ui/foundation/TextArea.h"
#include "ui/foundation/TextInput.h"

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace corvel;

TEST(TextAreaTest, PlaceholderShowsOnlyWhileEmptyAndNeverBlocksTyping) {
    TextArea area({}, QStringLiteral("Paste the job description"), 140);
    area.resize(400, 140);
    area.show();
    QApplication::setActiveWindow(&area);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    EXPECT_TRUE(area.placeholderShown());

    // A click where the placeholder is drawn lands in the editor.
    const QPoint onPlaceholder(30, 22);
    QWidget* target = area.childAt(onPlaceholder);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target, area.editor()->viewport());
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&area, onPlaceholder));
    EXPECT_TRUE(area.editor()->hasFocus());

    QSignalSpy changes(&area, &TextArea::textChanged);
    QTest::keyClicks(area.editor(), QStringLiteral("Lead"));
    EXPECT_EQ(area.text(), QStringLiteral("Lead"));
    EXPECT_FALSE(area.placeholderShown());
    EXPECT_EQ(changes.count(), 4);

    area.setText({});
    EXPECT_TRUE(area.placeholderShown());
    area.setText(QStringLiteral("a\nb"));
    EXPECT_FALSE(area.placeholderShown());
    EXPECT_EQ(area.text(), QStringLiteral("a\nb"));

    // Markup is kept as typed, never interpreted.
    area.setText(QStringLiteral("<b>bold</b>"));
    EXPECT_EQ(area.editor()->toPlainText(), QStringLiteral("<b>bold</b>"));
}

// Return makes a new line every time, on an empty line too, with the same line spacing; it
// replaces a selection as typing does.
TEST(TextAreaTest, EveryReturnMakesANewLine) {
    TextArea area({}, QStringLiteral("Notes"), 140);
    area.show();
    QApplication::setActiveWindow(&area);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    area.editor()->setFocus();
    QTextEdit* editor = area.editor();
    const qreal spacing = editor->textCursor().blockFormat().lineHeight();
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, QStringLiteral("Lead"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(editor, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClicks(editor, QStringLiteral("Ship"));
    EXPECT_EQ(area.text(), QStringLiteral("\nLead\n\nShip"));
    for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next())
        EXPECT_EQ(block.blockFormat().lineHeight(), spacing);

    QTextCursor word = editor->textCursor();
    word.movePosition(QTextCursor::PreviousWord, QTextCursor::KeepAnchor);
    editor->setTextCursor(word);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, QStringLiteral("Test"));
    EXPECT_EQ(area.text(), QStringLiteral("\nLead\n\n\nTest"));
}

TEST(TextAreaTest, FieldsAreLabelledByTheirPlaceholder) {
    TextArea area({}, QStringLiteral("Notes"), 100);
    TextInput input(QStringLiteral("Company"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(area.editor())->text(QAccessible::Name),
              QStringLiteral("Notes"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&input)->text(QAccessible::Name),
              QStringLiteral("Company"));
    EXPECT_EQ(input.placeholderText(), QStringLiteral("Company"));
}
