#include "ui/foundation/ScreenHarness.h"

#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/OptionPill.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PixelGlyph.h"
#include "ui/foundation/PressButtonStyle.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/TextArea.h"
#include "ui/foundation/TextInput.h"
#include "ui/preparation/CallPreparationSection.h"
#include "ui/preparation/JobPreparationSection.h"
#include "ui/preparation/PreparationCopilotView.h"
#include "ui/preparation/ProfileView.h"
#include "ui/preparation/ResumeDropZone.h"
#include "ui/preparation/ResumePreparationSection.h"

#include "support/WidgetReading.h"

#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace corvel::test {
namespace {

using Step = PreparationStep;

class ProfileViewTest : public ::testing::Test {
protected:
    void open(std::optional<Step> step = Step::role, QSize size = {1180, 760}) {
        view = std::make_unique<ProfileView>(h.environment(), step);
        view->resize(size);
        view->show();
        QApplication::setActiveWindow(view.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    template <typename T> T* section() { return qobject_cast<T*>(view->section()); }
    void key(QWidget* target, Qt::Key key) {
        QTest::keyClick(target, key, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }

    ScreenHarness h{std::nullopt};
    std::unique_ptr<ProfileView> view;
};

// Each field writes its own part of the interview; saving after the edits is the store's test.
TEST_F(ProfileViewTest, EachFieldReachesTheInterviewWithoutMovingTheCursor) {
    open();
    auto* job = section<JobPreparationSection>();
    ASSERT_NE(job, nullptr);
    job->roleField()->setFocus();
    QTest::keyClicks(job->roleField(), QStringLiteral("Lead"));
    // Typing in the middle: the store's echo leaves the cursor where the user typed.
    job->roleField()->setCursorPosition(1);
    QTest::keyClicks(job->roleField(), QStringLiteral("x"));
    EXPECT_EQ(job->roleField()->cursorPosition(), 2);
    QTest::keyClicks(job->companyField(), QStringLiteral("Nordlicht"));
    QTest::keyClicks(job->descriptionField()->editor(), QStringLiteral("Own the platform"));

    // A change from elsewhere reaches the field.
    InterviewContext context = h.store().context();
    EXPECT_EQ(context.role, QStringLiteral("Lxead"));
    EXPECT_EQ(context.company, QStringLiteral("Nordlicht"));
    EXPECT_EQ(context.jobDescription, QStringLiteral("Own the platform"));
    context.company = QStringLiteral("Helio");
    h.store().setContext(context);
    EXPECT_EQ(job->companyField()->text(), QStringLiteral("Helio"));

    view->select(Step::resume);
    auto* resume = section<ResumePreparationSection>();
    resume->setShowEditor(true);
    QTest::keyClicks(resume->editor()->editor(), QStringLiteral("Ten years of Go"));
    view->select(Step::call);
    QTest::keyClicks(section<CallPreparationSection>()->notesField()->editor(),
                     QStringLiteral("Ask about on-call"));
    EXPECT_EQ(h.store().context().resume, QStringLiteral("Ten years of Go"));
    EXPECT_EQ(h.store().context().notes, QStringLiteral("Ask about on-call"));
}

TEST_F(ProfileViewTest, KeyboardStepsSaveFirstAndLeaveWordMovesToTextFields) {
    open();
    InterviewContext context;
    context.jobDescription = QStringLiteral("Run the data team");
    h.store().setContext(context);
    EXPECT_EQ(view->reactionID(), 1); // the job became present
    key(view.get(), Qt::Key_2);
    EXPECT_EQ(h.store().preparationStep(), Step::resume);
    // Saved by the step change itself, not 600 ms later.
    EXPECT_TRUE(h.savedFile().contains("Run the data team"));
    EXPECT_EQ(view->reactionID(), 2);
    key(view.get(), Qt::Key_2);
    EXPECT_EQ(view->reactionID(), 2);

    // In a focused text field Ctrl+Left moves by word and the step stays.
    key(view.get(), Qt::Key_Left);
    ASSERT_EQ(h.store().preparationStep(), Step::role);
    TextInput* role = section<JobPreparationSection>()->roleField();
    role->setFocus();
    QTest::keyClicks(role, QStringLiteral("Head of data"));
    key(role, Qt::Key_Left);
    EXPECT_EQ(role->cursorPosition(), 8);
    key(role, Qt::Key_Right);
    EXPECT_EQ(h.store().preparationStep(), Step::role);
    role->clearFocus();
    view->setFocus();
    key(view.get(), Qt::Key_Right); // Continue
    EXPECT_EQ(h.store().preparationStep(), Step::resume);
    // Without a résumé, Continue is disabled and Ctrl+Right does nothing.
    key(view.get(), Qt::Key_Right);
    EXPECT_EQ(h.store().preparationStep(), Step::resume);
}

// Whether `field` draws its text from the beginning: its left part looks as a field of the same
// width holding only the first word does (inside the rounded corners, which show what is behind).
bool showsStart(TextInput* field) {
    const QString first = field->text().section(QLatin1Char(' '), 0, 0);
    TextInput reference(field->placeholderText());
    reference.setText(first);
    reference.resize(field->size());
    const int width = 16 + field->fontMetrics().horizontalAdvance(first);
    const QRect left(6, 6, width - 6, field->height() - 12);
    const auto picture = [&left](QWidget& widget) {
        return widget.grab(left).toImage().convertToFormat(QImage::Format_RGB32);
    };
    return picture(*field) == picture(reference);
}

// Later visits show a long role and company from their start, also after the user edited at
// the end and moved on.
TEST_F(ProfileViewTest, LongSingleLineValuesShowTheirStartWhenNotEdited) {
    InterviewContext context;
    context.role = QStringLiteral("Senior Software Engineer, Payments Infrastructure and Risk");
    context.company = QStringLiteral("Nordlicht Financial Services Group International");
    h.store().setContext(context);
    open(Step::role, {1040, 740});
    auto* job = section<JobPreparationSection>();
    for (TextInput* field : {job->roleField(), job->companyField()}) {
        ASSERT_LT(field->width(), field->fontMetrics().horizontalAdvance(field->text()));
        EXPECT_TRUE(showsStart(field)) << field->text().toStdString();
    }

    TextInput* role = job->roleField();
    role->setFocus(Qt::MouseFocusReason);
    role->end(false);
    QTest::keyClicks(role, QStringLiteral(" Lead"));
    EXPECT_FALSE(showsStart(role));
    QTest::keyClick(role, Qt::Key_Tab);
    EXPECT_FALSE(role->hasFocus());
    EXPECT_TRUE(showsStart(role));
    EXPECT_TRUE(h.store().context().role.endsWith(QStringLiteral("Risk Lead")));
}

// Crossing the compact height resizes the section in place: typing goes on where it was.
TEST_F(ProfileViewTest, CrossingTheCompactHeightKeepsTheSectionFocusAndCursor) {
    open(Step::role, {1180, 699});
    EXPECT_TRUE(view->isCompact());
    auto* job = section<JobPreparationSection>();
    QTextEdit* editor = job->descriptionField()->editor();
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("Own the platform"));
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(3);
    editor->setTextCursor(cursor);

    view->resize(1180, 700);
    QCoreApplication::processEvents();
    EXPECT_FALSE(view->isCompact());
    ASSERT_EQ(section<JobPreparationSection>(), job);
    EXPECT_EQ(job->descriptionField()->height(), 180);
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->textCursor().position(), 3);

    // An opened notes editor stays open across the threshold; the step, now longer than the
    // card, scrolls to its closing hint.
    view->select(Step::call);
    auto* call = section<CallPreparationSection>();
    findNamed<QAbstractButton>(*call, QStringLiteral("Anything else I should know? · Optional"))
        ->click();
    view->resize(1180, 650);
    QCoreApplication::processEvents();
    ASSERT_EQ(section<CallPreparationSection>(), call);
    EXPECT_TRUE(call->showNotes());
    auto* hint = findNamed<SpacedLabel>(*call, call->closingHint());
    QWidget* scroll = hint;
    while (!qobject_cast<QScrollArea*>(scroll))
        scroll = scroll->parentWidget();
    QScrollBar* bar = static_cast<QScrollArea*>(scroll)->verticalScrollBar();
    bar->setValue(bar->maximum());
    QCoreApplication::processEvents();
    QWidget* viewport = static_cast<QScrollArea*>(scroll)->viewport();
    EXPECT_TRUE(wholeInView(viewport, hint));
}

// A long file name is cut after two lines instead of widening the zone, and typing elsewhere
// leaves the zone's glyph alone.
TEST_F(ProfileViewTest, TheDropZoneKeepsItsWidthAndItsGlyph) {
    open(Step::resume);
    ResumeDropZone* zone = section<ResumePreparationSection>()->dropZone();
    const int width = zone->width();
    InterviewContext context = h.store().context();
    context.resume = QStringLiteral("Ten years of platform work");
    context.resumeFilename = QString(300, QLatin1Char('x')) + QStringLiteral(".pdf");
    h.store().setContext(context);
    QCoreApplication::processEvents();
    EXPECT_EQ(zone->width(), width);
    auto* status = findNamed<SpacedLabel>(*zone, context.resumeFilename);
    ASSERT_TRUE(status && status->isTruncated(status->width()));
    const QPointer<PixelGlyph> glyph = zone->findChild<PixelGlyph*>();
    context.notes = QStringLiteral("Typed elsewhere");
    h.store().setContext(context);
    QCoreApplication::processEvents();
    EXPECT_EQ(zone->findChild<PixelGlyph*>(), glyph.data());
}

// Labels inside the step buttons and the drop zone keep the colour they are given, not the
// button's text colour.
TEST_F(ProfileViewTest, SecondaryTextsInsideButtonsAreDrawnInTheSecondaryColour) {
    open(Step::resume);
    // The darkest pixel, within 10 of `colour` in each channel.
    const auto drawnIn = [](QWidget* label, const QColor& colour) {
        const QImage image = label->grab().toImage();
        QRgb darkest = qRgb(255, 255, 255);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < qGray(darkest))
                    darkest = image.pixel(x, y);
        return qAbs(qRed(darkest) - colour.red()) <= 10 &&
               qAbs(qGreen(darkest) - colour.green()) <= 10 &&
               qAbs(qBlue(darkest) - colour.blue()) <= 10;
    };
    EXPECT_TRUE(drawnIn(findNamed<QLabel>(*view->stepItem(Step::role), QStringLiteral("The role")),
                        Palette::secondary()));
    EXPECT_TRUE(
        drawnIn(findNamed<QLabel>(*section<ResumePreparationSection>()->dropZone(),
                                  QStringLiteral("Or click to choose a file · PDF, TXT, RTF")),
                Palette::secondary()));
    // The current step's title stays ink.
    EXPECT_TRUE(
        drawnIn(findNamed<QLabel>(*view->stepItem(Step::resume), QStringLiteral("Your resume")),
                Palette::ink()));
}

// The sky band follows the card's rounded corners.
TEST_F(ProfileViewTest, TheCopilotsSkyBandIsClippedToTheCardsCorner) {
    open();
    PreparationCopilotView* copilot = view->copilot();
    const QImage image = copilot->grab().toImage();
    EXPECT_NE(image.pixelColor(1, 1).rgb(), Palette::skyLight().rgb());
    EXPECT_NE(image.pixelColor(copilot->width() - 2, 1).rgb(), Palette::skyLight().rgb());
    EXPECT_EQ(image.pixelColor(copilot->width() / 2, 8).rgb(), Palette::skyLight().rgb());
}

TEST_F(ProfileViewTest, DroppingImportsOnlyTheFirstLocalFileAndNeverIntoTheEditor) {
    QTemporaryDir files;
    // A file name that looks like markup is shown as it is.
    const QString first = files.filePath(QStringLiteral("<b>ana&amp;-resume.txt"));
    const QString second = files.filePath(QStringLiteral("other.txt"));
    for (const auto& [path, text] :
         {std::pair{first, "Ten years of C++."}, std::pair{second, "Someone else."}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    open(Step::resume);
    auto* resume = section<ResumePreparationSection>();
    ResumeDropZone* zone = resume->dropZone();
    ASSERT_TRUE(zone->isVisible());

    const auto drop = [&](QWidget* target, const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint centre = target->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropped);
        return dropped.isAccepted();
    };

    // Nothing local to import: refused while dragging, nothing changes.
    EXPECT_FALSE(drop(zone, {QUrl(QStringLiteral("https://example.com/cv.pdf")),
                             QUrl::fromLocalFile(files.path())}));
    QCoreApplication::processEvents();
    EXPECT_TRUE(h.store().context().resume.isEmpty());

    QSignalSpy changes(&h.store(), &AppStore::contextChanged);
    ASSERT_TRUE(drop(zone, {QUrl(QStringLiteral("https://example.com/cv.pdf")),
                            QUrl::fromLocalFile(files.path()), QUrl::fromLocalFile(first),
                            QUrl::fromLocalFile(second)}));
    // Imported after the drop returned.
    EXPECT_TRUE(h.store().context().resume.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.store().context().resume.isEmpty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(h.store().context().resume, QStringLiteral("Ten years of C++."));
    EXPECT_EQ(zone->statusLine(), QStringLiteral("<b>ana&amp;-resume.txt"));
    for (const QLabel* label : zone->findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText);

    // The open paste editor takes no file: its text is not replaced by a path.
    resume->setShowEditor(true);
    EXPECT_FALSE(zone->isVisible());
    EXPECT_FALSE(drop(resume->editor()->editor()->viewport(), {QUrl::fromLocalFile(second)}));
    QCoreApplication::processEvents();
    EXPECT_EQ(resume->editor()->text(), QStringLiteral("Ten years of C++."));
    EXPECT_EQ(h.store().context().resumeFilename, QStringLiteral("<b>ana&amp;-resume.txt"));
}

// Which footer button shows is the rules' table; here each one does what it says.
TEST_F(ProfileViewTest, CallStepButtonsSendTheirActionsToTheStore) {
    h.stores.prepare();
    open(Step::call);
    // Cloud, signed out: the sign-in button; the copilot's button saves and opens the settings.
    h.configureCloud(std::nullopt);
    EXPECT_TRUE(view->signInButton()->isVisible());
    EXPECT_FALSE(view->primaryButton()->isVisible());
    view->copilot()->actionButton()->click();
    EXPECT_EQ(h.store().section(), AppSection::settings);
    EXPECT_TRUE(h.savedFile().contains("Platform Engineer"));

    // Signed in, account loading: the disabled loading button; the refresh fails, is retried.
    view.reset();
    h.makeAuth(true, true);
    TestHttpServer::Response failing = TestHttpServer::json(503, "{}");
    failing.chunkDelayMs = 200;
    h.configureCloud(failing);
    open(Step::call);
    EXPECT_TRUE(view->loadingButton()->isVisible());
    EXPECT_FALSE(view->loadingButton()->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.store().isRefreshingCloudAccount(); }, 5000));
    h.stores.server->enqueue(ScreenHarness::accountReply());
    view->accountButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.store().canStartCloudSession(); }, 5000));
    EXPECT_TRUE(view->primaryButton()->isEnabled());

    // Without the cloud and without a key the account button opens the settings.
    view.reset();
    h.makeAuth(false, false);
    h.store().configureCloud(std::nullopt, std::nullopt, {});
    open(Step::call);
    view->accountButton()->click();
    EXPECT_EQ(h.store().section(), AppSection::settings);

    // A saved key: Start session launches once prepared.
    ASSERT_TRUE(h.store().saveKey(QStringLiteral("sk-test")));
    InterviewContext context = h.store().context();
    context.resume = QStringLiteral("  \n");
    h.store().setContext(context);
    EXPECT_FALSE(view->primaryButton()->isEnabled());
    EXPECT_EQ(section<CallPreparationSection>()->summaryValue(Step::resume),
              QStringLiteral("Add your resume"));
    h.stores.prepare();
    view->primaryButton()->click();
    EXPECT_TRUE(h.store().isSessionActive());
    EXPECT_EQ(h.store().section(), AppSection::session);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.store().isStarting(); }, 5000));
    EXPECT_EQ(view->primaryButton()->title(), QStringLiteral("Return to session"));
    EXPECT_EQ(view->stepItem(Step::call)->accessibleDescription(), QStringLiteral("Current step"));
    EXPECT_FALSE(view->copilot()->look().routeBlock);
}

// A role or a file name that looks like markup shows as typed, in the summary and its tool tip.
TEST_F(ProfileViewTest, TheCallSummaryShowsWhatWasTypedEvenInItsToolTip) {
    h.stores.prepare();
    InterviewContext context = h.store().context();
    context.role = QStringLiteral("<b>Lead</b> & <i>Staff</i>");
    h.store().setContext(context);
    open(Step::call);
    auto* value = findNamed<SpacedLabel>(*section<CallPreparationSection>(), context.role);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(shownToolTip(value), context.role);
}

// The call step's language choice is built with the accessibility preferences: under Reduce
// Motion a press dims it and never shrinks it.
TEST_F(ProfileViewTest, TheCallStepLanguageChoiceDoesNotScaleUnderReduceMotion) {
    AccessibilityPreferences preferences;
    preferences.setReduceMotion(true);
    CallPreparationSection section(h.store(), {}, false, &preferences);
    section.show();
    const auto pills = section.findChildren<OptionPill*>();
    ASSERT_EQ(pills.size(), 2);
    for (OptionPill* pill : pills) {
        auto* press = pill->findChild<PressButtonStyle*>();
        ASSERT_NE(press, nullptr);
        QTest::mousePress(pill, Qt::LeftButton);
        EXPECT_DOUBLE_EQ(press->scale(), 1.0);
        EXPECT_DOUBLE_EQ(press->opacity(), 0.82) << "dimmed at once";
        QTest::mouseRelease(pill, Qt::LeftButton);
    }
}

} // namespace
} // namespace corvel::test
