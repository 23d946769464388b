#include "ui/settings/PrivateConnectionView.h"

#include "ScreenHarness.h"
#include "core/KeychainVault.h"
#include "ui/foundation/ActionButton.h"
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
    EXPECT_EQ(page.field->placeholderText(), QStringLiteral("Paste your OpenAI API key"));
    EXPECT_FALSE(page.save->isEnabled());
    EXPECT_FALSE(page.check()->isEnabled());
    EXPECT_TRUE(page.remove()->isHidden());

    // A blank field: Return does nothing and says nothing.
    QTest::keyClicks(page.field, QStringLiteral("   "));
    QTest::keyClick(page.field, Qt::Key_Return);
    EXPECT_FALSE(h.stores.store->message());
    EXPECT_FALSE(page.save->isEnabled());

    // An inner space is refused and stays in the field for correction.
    page.field->setText(QString());
    QTest::keyClicks(page.field, QStringLiteral("sk-a bc"));
    page.save->click();
    EXPECT_EQ(h.stores.store->message(),
              QStringLiteral("The API key contains spaces or invalid characters."));
    EXPECT_EQ(page.field->text(), QStringLiteral("sk-a bc"));

    // A locked keyring refuses it too; the field keeps the text.
    page.field->setText(QString());
    QTest::keyClicks(page.field, QStringLiteral("  sk-abc  "));
    h.stores.keyring.failWith = SecretStore::interactionNotAllowed;
    QTest::keyClick(page.field, Qt::Key_Return);
    EXPECT_EQ(page.field->text(), QStringLiteral("  sk-abc  "));
    ASSERT_TRUE(h.stores.store->message());
    EXPECT_FALSE(h.stores.store->hasAPIKey());
    h.stores.keyring.failWith.reset();

    // Saved trimmed by the store, from the untrimmed draft; the field empties.
    page.save->click();
    EXPECT_EQ(storedKey(h), QByteArray("sk-abc"));
    EXPECT_TRUE(page.field->text().isEmpty());
    EXPECT_FALSE(page.field->isUndoAvailable());
    EXPECT_EQ(page.tag->text(), QStringLiteral("Key saved"));
    EXPECT_EQ(page.field->placeholderText(), QStringLiteral("Replace your API key"));
    EXPECT_EQ(h.stores.store->message(), QStringLiteral("API key saved in your keyring."));
    EXPECT_FALSE(page.remove()->isHidden());

    // Check: "Checking…" disables the row until the server answers.
    h.stores.server->enqueue(TestHttpServer::json(200, "{\"id\":\"resp\"}"));
    page.check()->click();
    EXPECT_EQ(page.check()->title(), QStringLiteral("Checking…"));
    EXPECT_FALSE(page.check()->isEnabled());
    EXPECT_FALSE(page.field->isEnabled());
    EXPECT_FALSE(page.remove()->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.stores.store->isCheckingConnection(); }, 5000));
    EXPECT_EQ(page.tag->text(), QStringLiteral("Connection verified"));
    EXPECT_TRUE(page.tag->isPositive());
    EXPECT_EQ(page.check()->title(), QStringLiteral("Check connection"));
    EXPECT_EQ(h.stores.server->requests().back().header("Authorization"), "Bearer sk-abc");

    // A refused key: the store's failure text, the tag back to "Key saved".
    h.stores.server->enqueue(
        TestHttpServer::json(401, "{\"error\":{\"code\":\"invalid_api_key\"}}"));
    page.check()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.stores.store->isCheckingConnection(); }, 5000));
    EXPECT_EQ(page.tag->text(), QStringLiteral("Key saved"));
    ASSERT_TRUE(h.stores.store->message());
    EXPECT_NE(h.stores.store->message(), QStringLiteral("OpenAI connection verified."));

    // Delete through the dialog: "Cancel" keeps the key, "Delete key" removes it.
    page.remove()->click();
    QMessageBox* dialog = openDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->text(), QStringLiteral("Delete the API key from this computer?"));
    choose(*dialog, QStringLiteral("Cancel"));
    EXPECT_TRUE(h.stores.store->hasAPIKey());
    page.remove()->click();
    choose(*openDialog(), QStringLiteral("Delete key"));
    EXPECT_FALSE(h.stores.store->hasAPIKey());
    EXPECT_TRUE(storedKey(h).isEmpty());
    EXPECT_EQ(page.tag->text(), QStringLiteral("Add a key"));
    EXPECT_TRUE(page.remove()->isHidden());
    EXPECT_FALSE(page.check()->isEnabled());

    qInstallMessageHandler(previousHandler);
    for (const QString& line : logged)
        EXPECT_FALSE(line.contains(QStringLiteral("sk-abc"))) << line.toStdString();
}

TEST(PrivateConnectionViewTest, TheTypedKeyShowsNowhereAndGoesWithTheView) {
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

    page.view.hide();
    EXPECT_TRUE(page.field->text().isEmpty());
    EXPECT_FALSE(page.field->isUndoAvailable());
    h.stores.store->save();
    EXPECT_FALSE(h.savedJson().isEmpty());
    EXPECT_FALSE(QJsonDocument(h.savedJson()).toJson().contains("sk-secret"));
}

TEST(PrivateConnectionViewTest, CreateAKeyOpensTheKeysPage) {
    ScreenHarness h;
    Page page(h);
    findNamed<QAbstractButton>(page.view, QStringLiteral("Create a key ↗"))->click();
    ASSERT_EQ(h.opened.size(), 1);
    EXPECT_EQ(h.opened[0], QUrl(QStringLiteral("https://platform.openai.com/api-keys")));
}
