#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace tovak::win32 {
namespace {

// A refused conversion leaves ERROR_NO_UNICODE_TRANSLATION, as the file calls do; otherwise the
// last-error code stays as the caller left it.
class Win32AnsiText final : public AnsiText {
 public:
  std::uint32_t CodePage() override { return ::GetACP(); }

  bool ToAnsi(const std::string& utf8, std::string& ansi) override {
    return Utf8ToAnsi(utf8, ansi);
  }

  bool FromAnsi(const std::string& ansi, std::string& utf8) override {
    return AnsiToUtf8(ansi, utf8);
  }
};

}  // namespace

std::unique_ptr<AnsiText> MakeAnsiText() { return std::make_unique<Win32AnsiText>(); }

}  // namespace tovak::win32
