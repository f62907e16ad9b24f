#pragma once
// Fixture: a fresh work folder and Quellbrook.exe running in it. The program is
// ended (with whatever it launched) before the folder is removed.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "app_session.h"
#include "work_folder.h"

namespace quellbrook::e2e {

// UTF-8 for failure messages, which GoogleTest prints as narrow text.
inline std::string Narrow(std::wstring_view text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length,
                      nullptr, nullptr);
  return narrow;
}

class RunningApp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder.Path().empty()) << "cannot create a folder in the temp directory";
    app = std::make_unique<AppSession>(folder.Path());
    ASSERT_TRUE(app->Started()) << Narrow(app->Error());
  }

  void TearDown() override { app.reset(); }

  WorkFolder folder;
  std::unique_ptr<AppSession> app;
};

}  // namespace quellbrook::e2e
