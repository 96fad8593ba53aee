#pragma once

#include "QtUiUser.h"

#include "support/HeadlessUiUser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A scenario of user actions, run once on the headless backend and once through Qt's
// widgets (offscreen): write it as TEST_P(BothBackends, ...) in any file of this binary.
class BothBackends : public ::testing::TestWithParam<std::string> {
protected:
    BothBackends() {
        if (GetParam() == "Qt") {
            user = std::make_unique<QtUiUser>();
        } else {
            user = std::make_unique<HeadlessUiUser>();
        }
    }

    std::unique_ptr<UiUser> user;
};
