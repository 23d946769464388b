#include "ui/settings/PrivateConnectionView.h"

#include "core/KeychainVault.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/ScreenHarness.h"
#include "ui/foundation/StatusTag.h"
#include "ui/foundation/TextInput.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::test;

namespace {

std::vector<QString> logged;
void recordLog(QtMsgType, const QMessageLogContext&, const QString& message) {
    logged.push_back(message);
}

struct Page {
    explicit Page(ScreenHarness& h) : view(h.environment(), h.urlOpener()) {
        view.resize(800, 400);
        view.show();
        field = view.findChild<TextInput*>();
        tag = view.findChild<StatusTag*>();
        save = findNamed<ActionButton>(view, QStringLiteral("Save"));
    }
    ActionButton* check() const {
        for (auto* button : view.findChildren<ActionButton*>()) {
            if (button != save)
                return button;
        }
        return nullptr;
    }
    QAbstractButton* remove() const {
        return findNamed<QAbstractButton>(view, QStringLiteral("Delete the saved API key"));
    }
    PrivateConnectionView view;
    TextInput* field;
    StatusTag* tag;
    ActionButton* save;
};

QByteArray storedKey(ScreenHarness& h) {
    return h.stores.keyring.items.value({KeychainVault::service, KeychainVault::account});
}

} // namespace

TEST(PrivateConnectionViewTest, SaveCheckAndDeleteTheKey) {
    ScreenHarness h;
    h.stores.makeStore(std::nullopt, true);
    logged.clear();
    const auto previousHandler = qInstallMessageHandler(recordLog);
    Page page(h);
    ASSERT_TRUE(page.field && page.tag && page.save && page.check());
    EXPECT_EQ(page.tag->text(), QStringLiteral("Add a key"));
    EXPECT_TRUE(page.remove()->isHidden());

    // A blank field: Return does nothing and says nothing.
    QTest::keyClicks(page.field, QStringLiteral("   "));
    QTest::keyClick(page.field, Qt::Key_Return);
    EXPECT_FALSE(h.store().message());
    EXPECT_FALSE(page.save->isEnabled());

    // A key the store refuses (an inner space, a locked keyring) stays in the field.
    page.field->setText(QString());
    QTest::keyClicks(page.field, QStringLiteral("sk-a bc"));
    page.save->click();
    ASSERT_TRUE(h.store().message());
    EXPECT_EQ(page.field->text(), QStringLiteral("sk-a bc"));
    page.field->setText(QString());
    QTest::keyClicks(page.field, QStringLiteral("  sk-abc  "));
    h.stores.keyring.failWith = SecretStore::interactionNotAllowed;
    QTest::keyClick(page.field, Qt::Key_Return);
    EXPECT_EQ(page.field->text(), QStringLiteral("  sk-abc  "));
    ASSERT_TRUE(h.store().message());
    EXPECT_FALSE(h.store().hasAPIKey());
    h.stores.keyring.failWith.reset();

    // Saved trimmed by the store, from the untrimmed draft; the field empties.
    page.save->click();
    EXPECT_EQ(storedKey(h), QByteArray("sk-abc"));
    EXPECT_TRUE(page.field->text().isEmpty());
    EXPECT_FALSE(page.field->isUndoAvailable());
    EXPECT_EQ(page.tag->text(), QStringLiteral("Key saved"));
    EXPECT_FALSE(page.remove()->isHidden());

    // Check: "Checking…" disables the row until the server answers.
    h.stores.server->enqueue(TestHttpServer::json(200, "{\"id\":\"resp\"}"));
    page.check()->click();
    EXPECT_EQ(page.check()->title(), QStringLiteral("Checking…"));
    EXPECT_FALSE(page.check()->isEnabled());
    EXPECT_FALSE(page.field->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.store().isCheckingConnection(); }, 5000));
    EXPECT_EQ(page.tag->text(), QStringLiteral("Connection verified"));
    EXPECT_EQ(h.stores.server->requests().back().header("Authorization"), "Bearer sk-abc");

    // A refused key: the store's failure text, the tag back to "Key saved".
    h.stores.server->enqueue(
        TestHttpServer::json(401, "{\"error\":{\"code\":\"invalid_api_key\"}}"));
    page.check()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.store().isCheckingConnection(); }, 5000));
    EXPECT_EQ(page.tag->text(), QStringLiteral("Key saved"));

    // Delete through the dialog: "Cancel" keeps the key, "Delete key" removes it.
    page.remove()->click();
    QMessageBox* dialog = openDialog();
    ASSERT_TRUE(dialog);
    choose(*dialog, QStringLiteral("Cancel"));
    EXPECT_TRUE(h.store().hasAPIKey());
    page.remove()->click();
    choose(*openDialog(), QStringLiteral("Delete key"));
    EXPECT_FALSE(h.store().hasAPIKey());
    EXPECT_TRUE(storedKey(h).isEmpty());
    EXPECT_EQ(page.tag->text(), QStringLiteral("Add a key"));
    EXPECT_TRUE(page.remove()->isHidden());

    qInstallMessageHandler(previousHandler);
    for (const QString& line : logged)
        EXPECT_FALSE(line.contains(QStringLiteral("sk-abc"))) << line.toStdString();
}

TEST(PrivateConnectionViewTest, TheTypedKeyShowsNowhereOutlivesHidingAndTheKeysPageOpens) {
    ScreenHarness h;
    Page page(h);
    QTest::keyClicks(page.field, QStringLiteral("sk-secret"));
    EXPECT_EQ(page.field->echoMode(), QLineEdit::Password);
    EXPECT_EQ(page.field->accessibleName(), QStringLiteral("OpenAI API key"));
    EXPECT_TRUE(page.field->toolTip().isEmpty());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(page.field);
    ASSERT_TRUE(accessible);
    EXPECT_FALSE(accessible->text(QAccessible::Value).contains(QStringLiteral("sk-secret")));
    EXPECT_FALSE(accessible->text(QAccessible::Name).contains(QStringLiteral("sk-secret")));

    // A minimised window or a collapsed group hides the view; the typed key waits in the field.
    page.view.hide();
    page.view.show();
    EXPECT_EQ(page.field->text(), QStringLiteral("sk-secret"));
    h.store().save();
    EXPECT_FALSE(h.savedJson().isEmpty());
    EXPECT_FALSE(h.savedFile().contains("sk-secret"));

    findNamed<QAbstractButton>(page.view, QStringLiteral("Create a key ↗"))->click();
    ASSERT_EQ(h.opened.size(), 1);
    EXPECT_EQ(h.opened[0].host(), QStringLiteral("platform.openai.com"));
}
