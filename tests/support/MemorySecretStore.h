#pragma once

#include "fixture/MemorySecretStore.h"

namespace corvel::test {
using fixture::MemorySecretStore;
} // namespace corvel::test
