#pragma once

#include <QString>

namespace corvel::test {

// Locks and unlocks the default collection of the test Secret Service (gnome-keyring started by
// scripts/test with the password in CORVEL_TEST_KEYRING_PASSWORD). Returns false on failure.
bool lockDefaultCollection();
bool unlockDefaultCollection();

// Removes every item of (service, account), ignoring failures: test set-up.
void clearSecret(const QString& service, const QString& account);

} // namespace corvel::test
