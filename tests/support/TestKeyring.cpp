#include "support/TestKeyring.h"

#include "platform/SecretStore.h"

#include <gio/gio.h>

namespace corvel::test {

namespace {

GVariant* call(const char* path, const char* interface, const char* method, GVariant* args,
               const char* replyType) {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus)
        return nullptr;
    GError* error = nullptr;
    GVariant* reply =
        g_dbus_connection_call_sync(bus, "org.freedesktop.secrets", path, interface, method, args,
                                    replyType ? G_VARIANT_TYPE(replyType) : nullptr,
                                    G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, &error);
    if (error)
        g_error_free(error);
    g_object_unref(bus);
    return reply;
}

QByteArray defaultCollectionPath() {
    GVariant* reply = call("/org/freedesktop/secrets", "org.freedesktop.Secret.Service",
                           "ReadAlias", g_variant_new("(s)", "default"), "(o)");
    if (!reply)
        return {};
    const gchar* path = nullptr;
    g_variant_get(reply, "(&o)", &path);
    QByteArray result(path);
    g_variant_unref(reply);
    return result;
}

} // namespace

bool lockDefaultCollection() {
    const QByteArray collection = defaultCollectionPath();
    if (collection.isEmpty())
        return false;
    const char* objects[] = {collection.constData(), nullptr};
    GVariant* reply = call("/org/freedesktop/secrets", "org.freedesktop.Secret.Service", "Lock",
                           g_variant_new("(^ao)", objects), "(aoo)");
    if (!reply)
        return false;
    g_variant_unref(reply);
    return true;
}

bool unlockDefaultCollection() {
    const QByteArray collection = defaultCollectionPath();
    if (collection.isEmpty())
        return false;
    GVariant* session =
        call("/org/freedesktop/secrets", "org.freedesktop.Secret.Service", "OpenSession",
             g_variant_new("(sv)", "plain", g_variant_new_string("")), "(vo)");
    if (!session)
        return false;
    const gchar* sessionPath = nullptr;
    GVariant* ignored = nullptr;
    g_variant_get(session, "(v&o)", &ignored, &sessionPath);
    const QByteArray password = qgetenv("CORVEL_TEST_KEYRING_PASSWORD");
    GVariant* secret = g_variant_new(
        "(o@ay@ays)", sessionPath, g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, "", 0, 1),
        g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, password.constData(),
                                  static_cast<gsize>(password.size()), 1),
        "text/plain");
    GVariant* reply = call("/org/freedesktop/secrets",
                           "org.gnome.keyring.InternalUnsupportedGuiltRiddenInterface",
                           "UnlockWithMasterPassword",
                           g_variant_new("(o@(oayays))", collection.constData(), secret), nullptr);
    g_variant_unref(ignored);
    g_variant_unref(session);
    if (!reply)
        return false;
    g_variant_unref(reply);
    return true;
}

void clearSecret(const QString& service, const QString& account) {
    SecretServiceStore().remove(service, account);
}

} // namespace corvel::test
