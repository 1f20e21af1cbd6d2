// Where the driver finds what it tests, and the test cases' shared fixture: a fresh Tovak.exe per
// case in the case's own Wine prefix (the test run makes one per case).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/remote.h"
#include "tests/e2e/tovak_app.h"

namespace tovak::e2e {

// The build folder: this driver lies beside Tovak.exe and its payload folder.
std::wstring BuildFolder();
std::wstring Wide(const std::string& utf8);
std::string Narrow(const std::wstring& text);
// Saves a screenshot of the window when the run names a folder for them (TOVAK_E2E_SHOTS).
void Screenshot(HWND window, const std::wstring& name);

class TovakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::wstring why;
    ASSERT_TRUE(app.Start(BuildFolder() + L"Tovak.exe", why)) << Narrow(why);
  }
  HWND Ctl(int id) const { return app.Control(id); }
  // Waits for the program to catch up with a posted click or key.
  static bool TextBecomes(HWND window, const std::wstring& text) {
    return WaitUntil([&] { return TextOf(window) == text; });
  }

  TovakApp app;
};

}  // namespace tovak::e2e
