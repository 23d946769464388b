#include "support/TestKeyring.h"

#include "RestoreCases.h"

namespace corvel::test {
namespace {

// The desktop's Secret Service: the default vaults, as the application builds them.
struct SecretServiceKeyring {
    static std::shared_ptr<SecretStore> make() {
        clear();
        return std::make_shared<SecretServiceStore>();
    }
    static void lock(SecretStore&) { ASSERT_TRUE(lockDefaultCollection()); }
    static void unlock(SecretStore&) { unlockDefaultCollection(); }
    static void clear() {
        clearSecret(GoogleKeychainAuthVault::service, GoogleKeychainAuthVault::account);
        clearSecret(FirebaseKeychainAuthVault::service, FirebaseKeychainAuthVault::account);
    }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(SecretService, GoogleAuthStoreRestore, SecretServiceKeyring);

} // namespace corvel::test
