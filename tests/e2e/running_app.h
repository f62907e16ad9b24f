#pragma once
// Fixture: a fresh work folder and Quellbrook.exe running in it. The program is
// ended (with whatever it launched) before the folder is removed.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "app_session.h"
#include "u16.h"
#include "work_folder.h"

namespace quellbrook::e2e {

using test_support::Utf8;

class RunningApp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder.Path().empty()) << "cannot create a folder in the temp directory";
    app = std::make_unique<AppSession>(folder.Path());
    ASSERT_TRUE(app->Started()) << Utf8(app->Error());
  }

  void TearDown() override { app.reset(); }

  WorkFolder folder;
  std::unique_ptr<AppSession> app;
};

}  // namespace quellbrook::e2e
