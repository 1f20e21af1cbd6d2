#include <windows.h>

#include <algorithm>

#include "platform/win32/win32_file_security.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace tovak::win32 {
namespace {

void Fill(const WIN32_FIND_DATAA& data, FindData& entry) {
  KeepLastError keep;
  entry.attributes = data.dwFileAttributes;
  // The name field may lack its NUL only if Windows misbehaves; never read past it.
  const char* end = std::find(data.cFileName, data.cFileName + MAX_PATH, '\0');
  if (!AnsiToUtf8(std::string(data.cFileName, end), entry.name)) entry.name.clear();
}

class Win32FileSearch final : public FileSearch {
 public:
  explicit Win32FileSearch(HANDLE handle) : handle_(handle) {}
  ~Win32FileSearch() override {
    KeepLastError keep;  // closing must not hide why the last Next ended
    ::FindClose(handle_);
  }

  bool Next(FindData& entry) override {
    WIN32_FIND_DATAA data;
    if (!::FindNextFileA(handle_, &data)) return false;
    Fill(data, entry);
    return true;
  }

 private:
  HANDLE handle_;
};

class Win32OutputFile final : public OutputFile {
 public:
  Win32OutputFile(HANDLE handle, bool existed) : handle_(handle), existed_(existed) {}
  ~Win32OutputFile() override {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    KeepLastError keep;
    ::CloseHandle(handle_);
  }

  bool Write(std::string_view bytes) override {
    if (handle_ == INVALID_HANDLE_VALUE) {
      ::SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    // WriteFile takes a 32-bit count; a single call may also write less than asked.
    do {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
      DWORD written = 0;
      if (!::WriteFile(handle_, data, chunk, &written, nullptr)) return false;
      if (written == 0 && chunk != 0) {
        ::SetLastError(ERROR_WRITE_FAULT);
        return false;
      }
      data += written;
      left -= written;
    } while (left > 0);
    return true;
  }

  bool Flush() override {
    if (handle_ == INVALID_HANDLE_VALUE) {
      ::SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
    return ::FlushFileBuffers(handle_) != 0;
  }

  bool Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) {
      ::SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
    // Opening kept the old contents; cutting here drops what lies past the last byte written. A
    // file this open made has nothing past it.
    bool cut = !existed_ || ::SetEndOfFile(handle_) != 0;
    DWORD error = ::GetLastError();
    bool closed = ::CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    if (!cut) ::SetLastError(error);
    return cut && closed;
  }

 private:
  HANDLE handle_;
  bool existed_;
};

bool AttributeData(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
  std::string ansi;
  return Utf8ToAnsi(path, ansi) &&
         ::GetFileAttributesExA(ansi.c_str(), GetFileExInfoStandard, &data);
}

class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<FileSearch> FindFirst(const std::string& pattern, FindData& first) override {
    std::string ansi;
    if (!Utf8ToAnsi(pattern, ansi)) return nullptr;
    WIN32_FIND_DATAA data;
    HANDLE handle = ::FindFirstFileA(ansi.c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    Fill(data, first);
    return std::make_unique<Win32FileSearch>(handle);
  }

  std::uint32_t GetAttributes(const std::string& path) override {
    std::string ansi;
    if (!Utf8ToAnsi(path, ansi)) return attr::kInvalid;
    return ::GetFileAttributesA(ansi.c_str());
  }

  bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
    std::string ansi;
    return Utf8ToAnsi(path, ansi) && ::SetFileAttributesA(ansi.c_str(), attributes);
  }

  bool Copy(const std::string& from, const std::string& to, bool failIfExists) override {
    std::string a, b;
    return Utf8ToAnsi(from, a) && Utf8ToAnsi(to, b) &&
           ::CopyFileA(a.c_str(), b.c_str(), failIfExists ? TRUE : FALSE);
  }

  bool Delete(const std::string& path) override {
    std::string ansi;
    return Utf8ToAnsi(path, ansi) && ::DeleteFileA(ansi.c_str());
  }

  bool Rename(const std::string& from, const std::string& to) override {
    std::string a, b;
    return Utf8ToAnsi(from, a) && Utf8ToAnsi(to, b) && ::MoveFileA(a.c_str(), b.c_str());
  }

  bool Replace(const std::string& from, const std::string& to) override {
    std::string a, b;
    return Utf8ToAnsi(from, a) && Utf8ToAnsi(to, b) &&
           ::MoveFileExA(a.c_str(), b.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }

  bool Flush(const std::string& path) override {
    std::string ansi;
    if (!Utf8ToAnsi(path, ansi)) return false;
    HANDLE handle = ::CreateFileA(ansi.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool flushed = ::FlushFileBuffers(handle) != 0;
    KeepLastError keep;
    ::CloseHandle(handle);
    return flushed;
  }

  bool CreateFolder(const std::string& path) override {
    std::string ansi;
    return Utf8ToAnsi(path, ansi) && ::CreateDirectoryA(ansi.c_str(), nullptr);
  }

  bool CreateClosedFolder(const std::string& path, FolderAccess access) override {
    return win32::CreateClosedFolder(path, access);
  }

  bool RemoveFolder(const std::string& path) override {
    std::string ansi;
    return Utf8ToAnsi(path, ansi) && ::RemoveDirectoryA(ansi.c_str());
  }

  bool FileLength(const std::string& path, std::uint64_t& length) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!AttributeData(path, data)) return false;
    length = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
  }

  bool LastWriteTime(const std::string& path, std::uint64_t& time) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!AttributeData(path, data)) return false;
    time = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
    return true;
  }

  bool Read(const std::string& path, std::size_t limit, std::string& bytes) override {
    std::string ansi;
    if (!Utf8ToAnsi(path, ansi)) return false;
    HANDLE handle = ::CreateFileA(ansi.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bytes.assign(limit, '\0');
    DWORD total = 0, got = 0;
    bool read = true;
    // A read may return less than asked before the end.
    while (total < limit &&
           (read = ::ReadFile(handle, &bytes[total], static_cast<DWORD>(limit - total), &got,
                              nullptr) != 0) &&
           got > 0) {
      total += got;
    }
    bytes.resize(total);
    KeepLastError keep;
    ::CloseHandle(handle);
    return read;
  }

  bool CloseToOthers(const std::string& folder) override { return CloseFolderToOthers(folder); }

  bool CopyAccessList(const std::string& from, const std::string& to) override {
    return win32::CopyAccessList(from, to);
  }

  Ownership OwnerOf(const std::string& path) override { return OwnerOfFile(path); }

  std::unique_ptr<OutputFile> OpenForWriting(const std::string& path) override {
    std::string ansi;
    if (!Utf8ToAnsi(path, ansi)) return nullptr;
    // OPEN_ALWAYS, unlike CREATE_ALWAYS, opens hidden and system files without matching their bits.
    HANDLE handle = ::CreateFileA(ansi.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32OutputFile>(handle, ::GetLastError() == ERROR_ALREADY_EXISTS);
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace tovak::win32
