#include "platform/SecretStore.h"

#include <libsecret/secret.h>

#include <memory>

namespace corvel {

namespace {

const SecretSchema* schema() {
    // Matched by attributes only, so items written by an earlier build still match.
    static const SecretSchema s = {"com.tessaroy.GenericPassword",
                                   SECRET_SCHEMA_DONT_MATCH_NAME,
                                   {{"service", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                    {"account", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                    {nullptr, SecretSchemaAttributeType(0)}},
                                   0,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr};
    return &s;
}

struct GErrorFree {
    void operator()(GError* e) const { g_error_free(e); }
};
using ErrorPtr = std::unique_ptr<GError, GErrorFree>;

struct HashTableFree {
    void operator()(GHashTable* t) const { g_hash_table_unref(t); }
};

std::unique_ptr<GHashTable, HashTableFree> attributes(const QString& service,
                                                      const QString& account) {
    GHashTable* table = g_hash_table_new_full(g_str_hash, g_str_equal, g_free, g_free);
    g_hash_table_insert(table, g_strdup("service"), g_strdup(service.toUtf8().constData()));
    g_hash_table_insert(table, g_strdup("account"), g_strdup(account.toUtf8().constData()));
    return std::unique_ptr<GHashTable, HashTableFree>(table);
}

int statusOf(const GError* error) {
    if (error->domain == SECRET_ERROR && error->code == SECRET_ERROR_IS_LOCKED)
        return SecretStore::interactionNotAllowed;
    if (error->domain == SECRET_ERROR && error->code == SECRET_ERROR_NO_SUCH_OBJECT)
        return SecretStore::itemNotFound;
    if (error->domain == G_DBUS_ERROR || error->domain == G_IO_ERROR)
        return SecretStore::notAvailable;
    // Headless, an unlock prompt cannot be shown: that is still a locked keyring.
    return SecretStore::interactionNotAllowed;
}

SecretService* connect(int* status) {
    GError* raw = nullptr;
    SecretService* service = secret_service_get_sync(SECRET_SERVICE_OPEN_SESSION, nullptr, &raw);
    ErrorPtr error(raw);
    if (!service)
        *status = SecretStore::notAvailable;
    return service;
}

// Every item for (service, account) across collections, unlocked where the keyring allows.
GList* search(SecretService* service, const QString& name, const QString& account, bool load,
              int* status) {
    auto attrs = attributes(name, account);
    const int flags =
        SECRET_SEARCH_ALL | SECRET_SEARCH_UNLOCK | (load ? SECRET_SEARCH_LOAD_SECRETS : 0);
    GError* raw = nullptr;
    GList* items = secret_service_search_sync(service, schema(), attrs.get(),
                                              SecretSearchFlags(flags), nullptr, &raw);
    ErrorPtr error(raw);
    *status = error ? statusOf(error.get()) : SecretStore::success;
    return items;
}

void freeItems(GList* items) {
    g_list_free_full(items, g_object_unref);
}

} // namespace

SecretStore::Lookup SecretServiceStore::read(const QString& name, const QString& account) {
    int status = success;
    SecretService* service = connect(&status);
    if (!service)
        return {status, std::nullopt};
    GList* items = search(service, name, account, true, &status);
    g_object_unref(service);
    Lookup result{status, std::nullopt};
    if (status == success) {
        if (!items) {
            result.status = itemNotFound;
        } else {
            auto* item = static_cast<SecretItem*>(items->data);
            SecretValue* value =
                secret_item_get_locked(item) ? nullptr : secret_item_get_secret(item);
            if (!value) {
                result.status = interactionNotAllowed;
            } else {
                gsize length = 0;
                const gchar* bytes = secret_value_get(value, &length);
                result.secret = QByteArray(bytes, static_cast<qsizetype>(length));
                secret_value_unref(value);
            }
        }
    }
    freeItems(items);
    return result;
}

int SecretServiceStore::write(const QString& name, const QString& account,
                              const QByteArray& secret) {
    int status = success;
    SecretService* service = connect(&status);
    if (!service)
        return status;
    GList* items = search(service, name, account, false, &status);
    if (status == success && items) {
        // Update the existing item's data only, keep the others out.
        auto* first = static_cast<SecretItem*>(items->data);
        if (secret_item_get_locked(first)) {
            status = interactionNotAllowed;
        } else {
            SecretValue* value = secret_value_new(secret.constData(), secret.size(), "text/plain");
            GError* raw = nullptr;
            secret_item_set_secret_sync(first, value, nullptr, &raw);
            ErrorPtr error(raw);
            secret_value_unref(value);
            status = error ? statusOf(error.get()) : success;
        }
        for (GList* it = items->next; it && status == success; it = it->next) {
            GError* raw = nullptr;
            secret_item_delete_sync(static_cast<SecretItem*>(it->data), nullptr, &raw);
            ErrorPtr error(raw);
        }
    } else if (status == success) {
        auto attrs = attributes(name, account);
        SecretValue* value = secret_value_new(secret.constData(), secret.size(), "text/plain");
        const QByteArray label = (name + QLatin1Char('/') + account).toUtf8();
        GError* raw = nullptr;
        const gboolean stored =
            secret_service_store_sync(service, schema(), attrs.get(), SECRET_COLLECTION_DEFAULT,
                                      label.constData(), value, nullptr, &raw);
        ErrorPtr error(raw);
        secret_value_unref(value);
        status = stored ? success : (error ? statusOf(error.get()) : internalError);
    }
    freeItems(items);
    g_object_unref(service);
    return status;
}

int SecretServiceStore::remove(const QString& name, const QString& account) {
    int status = success;
    SecretService* service = connect(&status);
    if (!service)
        return status;
    GList* items = search(service, name, account, false, &status);
    if (status == success && !items)
        status = itemNotFound;
    for (GList* it = items; it && status == success; it = it->next) {
        auto* item = static_cast<SecretItem*>(it->data);
        if (secret_item_get_locked(item)) {
            status = interactionNotAllowed;
            break;
        }
        GError* raw = nullptr;
        secret_item_delete_sync(item, nullptr, &raw);
        ErrorPtr error(raw);
        if (error)
            status = statusOf(error.get());
    }
    freeItems(items);
    g_object_unref(service);
    return status;
}

} // namespace corvel
