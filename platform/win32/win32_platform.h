// The platform seam over the real Win32 ANSI functions.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace tovak::win32 {

std::unique_ptr<FileSystem> MakeFileSystem();
std::unique_ptr<Profile> MakeProfile();
std::unique_ptr<UserInterface> MakeUserInterface();
std::unique_ptr<SystemServices> MakeSystemServices();
std::unique_ptr<Resources> MakeResources();
std::unique_ptr<AnsiText> MakeAnsiText();
std::unique_ptr<LastError> MakeLastError();

}  // namespace tovak::win32

namespace tovak {

// One of each Win32 part, handed out together.
class Win32Platform {
 public:
  Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Platform& platform() { return platform_; }

 private:
  std::unique_ptr<FileSystem> files_;
  std::unique_ptr<Profile> profile_;
  std::unique_ptr<UserInterface> ui_;
  std::unique_ptr<SystemServices> system_;
  std::unique_ptr<Resources> resources_;
  std::unique_ptr<AnsiText> text_;
  std::unique_ptr<LastError> lastError_;
  Platform platform_;
};

}  // namespace tovak
