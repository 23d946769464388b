#include "ui/settings/SettingsView.h"

#include "ui/foundation/ActionButton.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/OptionPill.h"
#include "ui/foundation/ScreenHarness.h"
#include "ui/foundation/TextInput.h"
#include "ui/settings/PrivateConnectionView.h"

#include "support/WidgetReading.h"

#include <QAccessible>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace corvel;
using namespace corvel::test;

namespace {

// Changes whenever the file is written again: an atomic save renames a new file into place.
std::pair<ino_t, long> identity(const ScreenHarness& h) {
    h.stores.store->waitForSaves();
    struct stat info {};
    const QByteArray path =
        (h.stores.folder.path() + QStringLiteral("/workspace.json")).toLocal8Bit();
    if (::stat(path.constData(), &info) != 0)
        return {0, 0};
    return {info.st_ino, info.st_mtim.tv_nsec};
}

struct Page {
    explicit Page(ScreenHarness& h, bool allowsKey = true)
        : view(h.environment(), seams(h, allowsKey)) {
        view.resize(1100, 900);
        view.show();
    }
    static SettingsSeams seams(ScreenHarness& h, bool allowsKey) {
        SettingsSeams s;
        s.bundle.allowsPrivateAPIKeyFallback = allowsKey;
        s.bundle.shortVersion = QStringLiteral("1.0.0");
        s.openUrl = h.urlOpener();
        return s;
    }
    QAbstractButton* button(const QString& title) const {
        return findNamed<QAbstractButton>(view, title);
    }
    bool shown(const QString& text) const { return texts(view).contains(text); }
    SettingsView view;
};

SavedWorkspace workspace(double opacity) {
    SavedWorkspace saved;
    saved.model = QStringLiteral("gpt-4.1-mini");
    saved.overlayOpacity = opacity;
    saved.configurationVersion = 3;
    return saved;
}

} // namespace

TEST(SettingsViewTest, EveryPillWritesAndSavesEvenWhenAlreadySelected) {
    ScreenHarness h;
    h.load(workspace(0.84));
    Page page(h);
    const struct {
        const char* pill;
        const char* key;
        const char* stored;
    } cases[] = {
        {"Microphone · manual", "audioSource", "Microphone"},
        {"Call audio", "audioSource", "Audio de l’appel"},
        {"French", "language", "Français"},
        {"English", "language", "English"},
        {"STAR method", "style", "Méthode STAR"},
        {"Adaptive", "style", "Adaptative"},
        {"Adaptive", "style", "Adaptative"}, // already selected: saved again
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pill);
        const auto before = identity(h);
        QAbstractButton* pill = page.button(QString::fromUtf8(c.pill));
        ASSERT_TRUE(pill);
        pill->click();
        EXPECT_NE(identity(h), before) << "not saved";
        const QJsonObject saved = h.savedJson();
        const QJsonValue value = QLatin1String(c.key) == QLatin1String("language")
                                     ? saved[QStringLiteral("context")][QStringLiteral("language")]
                                     : saved[QLatin1String(c.key)];
        EXPECT_EQ(value.toString(), QString::fromUtf8(c.stored));
        EXPECT_TRUE(qobject_cast<OptionPill*>(pill)->isSelected());
        // Assistive technology hears the selection as a state, and a click never unselects.
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(pill)->state().checked);
    }
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(page.button(QStringLiteral("Concise")))
                     ->state()
                     .checked);
}

TEST(SettingsViewTest, ShowingThePageWritesNothingAndOnlyTheUsersEditsAreSaved) {
    ScreenHarness h;
    h.load(workspace(0.57));
    const auto shown = identity(h);
    ASSERT_NE(shown.first, 0u);
    Page page(h);
    QCoreApplication::processEvents();
    EXPECT_EQ(identity(h), shown) << "showing the page rewrote the workspace";
    EXPECT_TRUE(page.shown(QStringLiteral("56 %")));
    EXPECT_TRUE(page.shown(QStringLiteral("Corvel Interview · 1.0.0 · Linux")));

    auto* toggle = page.button(QStringLiteral("Suggest answers automatically"));
    toggle->click();
    EXPECT_FALSE(h.store().automaticAnswers());
    EXPECT_FALSE(h.savedJson()[QStringLiteral("automaticAnswers")].toBool());

    // The microphone disables the switch; it keeps its value.
    page.button(QStringLiteral("Microphone · manual"))->click();
    EXPECT_FALSE(toggle->isEnabled());
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_TRUE(page.shown(QStringLiteral(
        "Available with Call audio. With the microphone, confirm each question using Ctrl+↵.")));
    page.button(QStringLiteral("Call audio"))->click();
    EXPECT_TRUE(toggle->isEnabled());

    // A change made elsewhere shows here and is not saved by the page.
    auto* model = findNamed<TextInput>(page.view, QStringLiteral("Model ID"));
    auto before = identity(h);
    h.store().setModel(QStringLiteral("gpt-4.1"));
    EXPECT_EQ(model->text(), QStringLiteral("gpt-4.1"));
    EXPECT_EQ(identity(h), before);
    model->selectAll();
    QTest::keyClicks(model, QStringLiteral("gpt-5 "));
    EXPECT_EQ(h.store().model(), QStringLiteral("gpt-5 "));
    EXPECT_EQ(h.savedJson()[QStringLiteral("model")].toString(), QStringLiteral("gpt-5 "));

    auto* slider = page.view.findChild<QSlider*>();
    EXPECT_EQ(slider->value(), 570);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(h.store().overlayOpacity(), 0.571);
    EXPECT_DOUBLE_EQ(h.savedJson()[QStringLiteral("overlayOpacity")].toDouble(), 0.571);
    EXPECT_TRUE(page.shown(QStringLiteral("57 %")));
    slider->setValue(slider->minimum());
    EXPECT_TRUE(page.shown(QStringLiteral("35 %")));
}

TEST(SettingsViewTest, DuringASessionOnlyTheSourceLanguageAndKeyAreLocked) {
    ScreenHarness h;
    Page page(h);
    auto* privateConnection = page.view.findChild<PrivateConnectionView*>();
    const QString note = QStringLiteral("End the session to change the audio source. To correct "
                                        "the language now, use the language menu in Session or "
                                        "the floating window.");
    EXPECT_FALSE(page.shown(note));
    h.stores.prepare();
    ASSERT_TRUE(h.stores.startListening());
    EXPECT_TRUE(page.shown(note));
    for (const char* locked : {"Microphone · manual", "Call audio", "French", "English"})
        EXPECT_FALSE(page.button(QString::fromUtf8(locked))->isEnabledTo(&page.view)) << locked;
    EXPECT_FALSE(privateConnection->isEnabledTo(&page.view));
    for (const char* live : {"Adaptive", "Concise", "STAR method", "Detailed",
                             "Suggest answers automatically", "Show window"})
        EXPECT_TRUE(page.button(QString::fromUtf8(live))->isEnabledTo(&page.view)) << live;
    EXPECT_TRUE(page.view.findChild<QSlider*>()->isEnabledTo(&page.view));

    // A disabled pill does nothing and saves nothing.
    const auto before = identity(h);
    QTest::mouseClick(page.button(QStringLiteral("Microphone · manual")), Qt::LeftButton);
    EXPECT_EQ(h.store().audioSource(), AudioSource::system);
    EXPECT_EQ(identity(h), before);

    h.store().endSession();
    EXPECT_TRUE(page.button(QStringLiteral("Call audio"))->isEnabledTo(&page.view));
}

TEST(SettingsViewTest, ThePrivateRouteVanishesWithTheCloudAndLinksOpenInTheBrowser) {
    ScreenHarness h;
    Page page(h);
    const QString cloudCaption =
        QStringLiteral("Answers stream as soon as the first words arrive.");
    EXPECT_TRUE(
        page.button(QStringLiteral("Private developer connection"))->isVisibleTo(&page.view));
    EXPECT_FALSE(page.shown(cloudCaption));

    h.store().configureCloud(QUrl(QStringLiteral("https://cloud.example")), std::nullopt, {});
    ASSERT_TRUE(h.store().isCloudConfigured());
    EXPECT_FALSE(
        page.button(QStringLiteral("Private developer connection"))->isVisibleTo(&page.view));
    EXPECT_FALSE(page.button(QStringLiteral("Model and response speed"))->isVisibleTo(&page.view));
    EXPECT_TRUE(page.shown(cloudCaption));

    ScreenHarness other;
    Page withoutKeys(other, false);
    EXPECT_FALSE(withoutKeys.button(QStringLiteral("Private developer connection"))
                     ->isVisibleTo(&withoutKeys.view));
    EXPECT_TRUE(withoutKeys.shown(cloudCaption));

    // The data-handling link opens in the browser.
    page.button(QStringLiteral("Data and privacy"))->click();
    page.button(QStringLiteral("OpenAI data handling ↗"))->click();
    ASSERT_EQ(h.opened.size(), 1);
    EXPECT_EQ(h.opened[0].host(), QStringLiteral("developers.openai.com"));
}

// "Check connection" disables itself while it checks. Qt would hand its focus to the next
// control, the "Microphone · manual" pill, and the next Space would switch the audio source.
TEST(SettingsViewTest, CheckConnectionKeepsTheFocusAndSpaceChangesNothing) {
    ScreenHarness h;
    Page page(h);
    SettingsView& view = page.view;
    for (DisclosureGroup* group : view.findChildren<DisclosureGroup*>())
        group->setExpanded(true);
    QApplication::setActiveWindow(&view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    auto* check = findNamed<ActionButton>(view, QStringLiteral("Check connection"), true);
    ASSERT_NE(check, nullptr);
    const AudioSource source = h.store().audioSource();
    focusByKeyboard(check);
    const auto space = [&] {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &view,
                        Qt::Key_Space);
    };
    // Twice: Space checks, again during the check it changes nothing, and the focus comes back.
    for (int round = 0; round < 2; ++round) {
        h.stores.server->enqueue(TestHttpServer::json(200, "{\"id\":\"resp\"}"));
        space();
        ASSERT_TRUE(h.store().isCheckingConnection());
        space();
        EXPECT_EQ(h.store().audioSource(), source);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !h.store().isCheckingConnection(); }, 5000));
        EXPECT_TRUE(check->hasFocus());
    }
}

// In a small window the group's header is near the bottom: opening it, by keyboard too, scrolls
// the page until the key field shows.
TEST(SettingsViewTest, OpeningThePrivateConnectionBringsItsKeyFieldIntoView) {
    ScreenHarness h;
    Page page(h);
    page.view.resize(1040, 600);
    QApplication::setActiveWindow(&page.view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page.view));
    QAbstractButton* header = page.button(QStringLiteral("Private developer connection"));
    auto* field = findNamed<TextInput>(page.view, QStringLiteral("OpenAI API key"));
    auto* scroll = page.view.findChild<QScrollArea*>();
    focusByKeyboard(header);
    QTest::keyClick(header, Qt::Key_Space);
    ASSERT_TRUE(field->isVisibleTo(&page.view));
    ASSERT_TRUE(QTest::qWaitFor([&] { return scroll->verticalScrollBar()->value() > 0; }));
    EXPECT_TRUE(wholeInView(scroll->viewport(), field));
    EXPECT_TRUE(wholeInView(scroll->viewport(), header));
}
