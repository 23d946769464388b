#include "ui/session/InterviewLanguageChoiceView.h"
#include "session/StoreHarness.h"

#include "ui/foundation/OptionPill.h"
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvel;
using test::StoreHarness;

namespace {

QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void settle() {
    QCoreApplication::processEvents();
}

QStringList labels(const QWidget& view) {
    QStringList texts;
    for (const QLabel* label : view.findChildren<QLabel*>())
        texts.append(label->text());
    return texts;
}

} // namespace

TEST(InterviewLanguageChoiceView, ShowsAndChangesTheLanguage) {
    StoreHarness h;
    InterviewContext context = h.store->context();
    context.language = s(" EN-GB \n");
    h.store->setContext(context);
    InterviewLanguageChoiceView view(*h.store, false, false);
    EXPECT_EQ(view.selected(), s("English"));
    EXPECT_TRUE(view.option(s("English"))->isSelected());
    EXPECT_FALSE(view.option(s("French"))->isSelected());
    EXPECT_EQ(labels(view), (QStringList{s("Interview language"),
                                         s("Choose the language spoken during the call.")}));

    QTest::mouseClick(view.option(s("French")), Qt::LeftButton);
    settle();
    EXPECT_EQ(h.store->context().language, s("Français"));
    EXPECT_TRUE(view.option(s("French"))->isSelected());
    EXPECT_FALSE(view.option(s("English"))->isSelected());

    // Clicking the chosen language again keeps it chosen.
    QTest::mouseClick(view.option(s("French")), Qt::LeftButton);
    settle();
    EXPECT_TRUE(view.option(s("French"))->isSelected());

    InterviewLanguageChoiceView compact(*h.store, true, true);
    EXPECT_EQ(labels(compact), QStringList{s("Interview language")});
}

TEST(InterviewLanguageChoiceView, LockedBeforeASessionWhileOneRuns) {
    StoreHarness h;
    h.prepare();
    InterviewLanguageChoiceView before(*h.store, false, false);
    InterviewLanguageChoiceView live(*h.store, true, false);
    EXPECT_TRUE(before.option(s("English"))->isEnabled());

    ASSERT_TRUE(h.startListening());
    settle();
    EXPECT_FALSE(before.option(s("English"))->isEnabled());
    EXPECT_TRUE(live.option(s("French"))->isEnabled());

    // During a session the live choice follows the session, and a change restarts listening.
    const int starts = h.capture.starts;
    QTest::mouseClick(live.option(s("French")), Qt::LeftButton);
    settle();
    EXPECT_EQ(live.selected(), s("French"));
    EXPECT_TRUE(live.option(s("French"))->isSelected());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.capture.starts > starts; }, 5000));
    EXPECT_EQ(h.capture.lastLocale, s("fr-FR"));
}
