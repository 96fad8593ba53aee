#pragma once

#include "ui/HeadlessBackend.h"

#include <gtest/gtest.h>

// Installs a headless backend for one test; anything the test's script did not expect fails
// the test where it happens.
class HeadlessUi {
public:
    HeadlessUi() : m_scope(backend) {
        backend.setProblemHandler([](const std::string& what) { ADD_FAILURE() << what; });
    }

    HeadlessBackend backend;

private:
    ScopedBackend m_scope;
};
