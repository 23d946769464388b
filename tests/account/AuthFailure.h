#pragma once

#include "account/GoogleAuthError.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvel::test {

// The case a sign-in step fails with; a step that does not fail is a test failure.
inline GoogleAuthError::Case authFailure(const std::function<void()>& body) {
    try {
        body();
    } catch (const GoogleAuthError& error) {
        return error.errorCase();
    }
    ADD_FAILURE() << "no GoogleAuthError";
    return GoogleAuthError::server;
}

} // namespace corvel::test
