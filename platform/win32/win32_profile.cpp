#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace tovak::win32 {
namespace {

class Win32Profile final : public Profile {
 public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, std::uint32_t bufferSize,
                         const std::string& file) override {
    std::string s, k, d, f;
    if (!Utf8ToAnsi(section, s) || !Utf8ToAnsi(key, k) || !Utf8ToAnsi(defaultValue, d) ||
        !Utf8ToAnsi(file, f)) {
      return std::string();
    }
    std::vector<char> buffer(bufferSize + 1, '\0');  // one spare byte so a size of 0 has storage
    DWORD n = ::GetPrivateProfileStringA(s.c_str(), k.c_str(), d.c_str(), buffer.data(), bufferSize,
                                         f.c_str());
    KeepLastError keep;
    std::string value;
    AnsiToUtf8(std::string(buffer.data(), std::min<std::size_t>(n, bufferSize)), value);
    return value;
  }

  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    std::string s, k, v, f;
    return Utf8ToAnsi(section, s) && Utf8ToAnsi(key, k) && Utf8ToAnsi(value, v) &&
           Utf8ToAnsi(file, f) &&
           ::WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), f.c_str());
  }
};

}  // namespace

std::unique_ptr<Profile> MakeProfile() { return std::make_unique<Win32Profile>(); }

}  // namespace tovak::win32
