#include "support/TestKeyring.h"

#include "platform/SecretStore.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace corvel::test {

namespace {

// A Secret Service secret: (session, parameters, value, content type).
struct Secret {
    QDBusObjectPath session;
    QByteArray value;
};
QDBusArgument& operator<<(QDBusArgument& out, const Secret& secret) {
    out.beginStructure();
    out << secret.session << QByteArray() << secret.value << QStringLiteral("text/plain");
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, Secret&) {
    return in;
}

QDBusMessage call(const char* method, const QVariantList& arguments,
                  const char* interface = "org.freedesktop.Secret.Service") {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
        QString::fromLatin1(interface), QString::fromLatin1(method));
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 5000);
}

bool succeeded(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage;
}

QDBusObjectPath defaultCollection() {
    const QDBusMessage reply = call("ReadAlias", {QStringLiteral("default")});
    return succeeded(reply) ? reply.arguments().value(0).value<QDBusObjectPath>()
                            : QDBusObjectPath();
}

} // namespace

bool lockDefaultCollection() {
    const QDBusObjectPath collection = defaultCollection();
    return !collection.path().isEmpty() &&
           succeeded(call("Lock", {QVariant::fromValue(QList<QDBusObjectPath>{collection})}));
}

bool unlockDefaultCollection() {
    const QDBusObjectPath collection = defaultCollection();
    const QDBusMessage session = call(
        "OpenSession", {QStringLiteral("plain"), QVariant::fromValue(QDBusVariant(QString()))});
    if (collection.path().isEmpty() || !succeeded(session))
        return false;
    qDBusRegisterMetaType<Secret>();
    const Secret secret{session.arguments().value(1).value<QDBusObjectPath>(),
                        qgetenv("CORVEL_TEST_KEYRING_PASSWORD")};
    return succeeded(call("UnlockWithMasterPassword",
                          {QVariant::fromValue(collection), QVariant::fromValue(secret)},
                          "org.gnome.keyring.InternalUnsupportedGuiltRiddenInterface"));
}

void clearSecret(const QString& service, const QString& account) {
    SecretServiceStore().remove(service, account);
}

} // namespace corvel::test
