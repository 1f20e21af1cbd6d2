#include <string>

#include "bench/timing.h"
#include "tests/e2e/disk.h"
#include "tests/e2e/remote.h"
#include "tests/e2e/tovak_app.h"

namespace tovak::bench {
namespace {

struct SavedFile {
  std::wstring path;
  std::string bytes;
  DWORD attributes;
};

void DeleteTree(const std::wstring& path) {
  const DWORD attributes = e2e::Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ::DeleteFileW(path.c_str());
    return;
  }
  for (const std::wstring& name : e2e::Names(path)) DeleteTree(path + L"\\" + name);
  ::RemoveDirectoryW(path.c_str());
}

// The XP boot files as the run prepared them, put back after each job so that every job starts
// from the same drive.
class XpDrive {
 public:
  XpDrive() {
    for (const wchar_t* path : {L"C:\\boot.ini", L"C:\\ntldr", L"C:\\bootfont.bin"}) {
      files_.push_back({path, e2e::ReadBytes(path).value_or(""), e2e::Attributes(path)});
    }
  }
  void Restore() const {
    for (const wchar_t* path : {L"C:\\boot", L"C:\\msboot", L"C:\\g1ldr", L"D:\\Nusk"}) {
      DeleteTree(path);
    }
    for (const SavedFile& file : files_) {
      ::SetFileAttributesW(file.path.c_str(), FILE_ATTRIBUTE_NORMAL);
      e2e::WriteBytes(file.path, file.bytes);
      ::SetFileAttributesW(file.path.c_str(), file.attributes);
    }
  }

 private:
  std::vector<SavedFile> files_;
};

}  // namespace

double OkToRestartQuestion(const std::wstring& tovakExe) {
  static const XpDrive drive;
  drive.Restore();
  e2e::TovakApp app;
  std::wstring why;
  if (!app.Start(tovakExe, why)) return -1;
  HWND ok = app.Control(IDOK);
  const LARGE_INTEGER start = Now();
  e2e::Click(ok);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(app.Window(), &processId);
  e2e::MessageBoxSeen box;
  if (!e2e::WaitUntil([&] {
        box.window = e2e::VisibleTopLevel(processId, L"#32770", nullptr);
        return box.window != nullptr;
      }, 60000, 1)) {
    return -1;
  }
  const double elapsed = Milliseconds(start);
  app.Answer(box, IDNO);
  app.WaitForExit();
  return elapsed;
}

}  // namespace tovak::bench
