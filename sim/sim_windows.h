// A simulated Windows for tests: in-memory volumes by drive letter, with the behaviour and error
// codes of the ANSI Win32 functions, scripted message boxes, and fault injection.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tovak::sim {

// The primitive calls that can be counted, logged and made to fail.
enum class Op {
  FindFirst,
  FindNext,
  GetAttributes,
  SetAttributes,
  Copy,
  Delete,
  Rename,
  Replace,
  Flush,
  CreateFolder,
  CreateClosedFolder,
  RemoveFolder,
  FileLength,
  LastWriteTime,
  Read,
  CloseToOthers,
  CopyAccessList,
  OwnerOf,
  OpenForWriting,
  Write,
  Close,
  ReadProfile,
  WriteProfile,
  LoadResource,
  ReadMachineValue,
  WriteMachineValue,
  DeleteMachineValue,
};

// Who an entry lets in, as far as the job cares: whoever its folder lets in, administrators and
// the system only (closed to others), or those and backup operators reading.
enum class Access { Open, JobOnly, Images };

struct MessageRecord {
  std::string text;
  std::string title;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  MessageAnswer answer = MessageAnswer::Ok;
};

// One file or folder as a snapshot holds it.
struct EntryState {
  bool folder = false;
  std::uint32_t attributes = 0;
  std::string bytes;
  Access access = Access::Open;
  Ownership owner = Ownership::Unknown;
  bool operator==(const EntryState& other) const {
    return folder == other.folder && attributes == other.attributes && bytes == other.bytes &&
           access == other.access && owner == other.owner;
  }
};

// Every entry of every volume, keyed by its full path as stored (upper-case drive letter), and
// each of the program's registry values as a file under kMachineKey.
constexpr char kMachineKey[] = "HKLM\\SOFTWARE\\Tovak\\";
using Snapshot = std::map<std::string, EntryState>;

class SimWindows final : public FileSystem,
                         public Profile,
                         public UserInterface,
                         public SystemServices,
                         public Resources,
                         public AnsiText,
                         public LastError {
 public:
  // Drive C: exists, the system directory is C:\WINDOWS\system32, the code page is 936, the
  // version word is that of an NT system, the account holds the shutdown privilege.
  SimWindows();
  ~SimWindows() override;

  Platform& platform();

  // Setting up and inspecting; none of these is counted, logged or made to fail.
  void AddDrive(char letter);
  // Where paths without a drive or a leading "\" start (C:\ at first); the folder must exist.
  void SetCurrentFolder(const std::string& path);
  void PutFolder(const std::string& path, std::uint32_t attributes = 0);  // makes missing parents
  void PutFile(const std::string& path, const std::string& bytes,
               std::uint32_t attributes = attr::kArchive);  // makes missing parents
  // A junction at path to an existing folder: searches and paths through it reach the target.
  void PutJunction(const std::string& path, const std::string& target);
  bool Exists(const std::string& path) const;
  bool IsFolder(const std::string& path) const;
  std::string Bytes(const std::string& path) const;         // empty when missing
  std::uint32_t Attributes(const std::string& path) const;  // attr::kInvalid when missing
  // A file's owner as OwnerOf tells it: Unknown at first, as on a volume that keeps none; Trusted
  // for a folder made closed, as the Administrators group owns it.
  void SetOwner(const std::string& path, Ownership owner);
  Ownership Owner(const std::string& path) const;
  Access AccessOf(const std::string& path) const;
  bool ClosedToOthers(const std::string& path) const { return AccessOf(path) == Access::JobOnly; }
  Snapshot Take() const;

  void SetSystemDirectory(const std::string& path);  // "" makes GetSystemDirectoryA fail
  void SetVersion(std::uint32_t version);
  void SetCodePage(std::uint32_t codePage);  // 936, 1252, 932, ...
  void SetPrivilegeHeld(bool held);
  void SetRunningUnderWine(bool wine);  // false at first: a real Windows
  void SetAdministrator(bool administrator);  // true at first
  void SetRandomFails(bool fails);  // RandomBytes fails with ERROR_NOT_ENOUGH_MEMORY
  // The clock, as FILETIME counts; files written from then on carry it. The user's time zone is
  // UTC here.
  void SetClock(std::uint64_t now);
  void SetWriteTime(const std::string& path, std::uint64_t time);
  // The program's values under HKEY_LOCAL_MACHINE; "" when there is none.
  std::string MachineValue(const std::string& name) const;
  void PutMachineValue(const std::string& name, const std::string& value);
  void SetMachineValuesFail(bool fail);  // writes and deletes fail with ERROR_ACCESS_DENIED
  // A write sets the value and then fails with ERROR_ACCESS_DENIED, as a failed flush of the key.
  void SetMachineFlushFails(bool fail);
  // The program's key, made by somebody else before the program wrote to it: writes then fail
  // with ERROR_ACCESS_DENIED, as the program does not take such a key for its own.
  void PlantMachineKey();
  // Where Windows says a drive lives; C: is the first partition of the first disk at first, and
  // Windows cannot tell for other drives until set.
  void SetDevicePlace(char drive, DevicePlace place);
  void ForgetDevicePlace(char drive);
  // Whether AdjustPrivilege has enabled the shutdown privilege, which an NT RequestExit needs
  // (without it RequestExit fails with ERROR_PRIVILEGE_NOT_HELD, but is still recorded).
  bool ShutdownPrivilegeEnabled() const;
  // Tokens opened and not yet closed.
  std::size_t OpenTokenCount() const;
  void AddResource(int id, const std::string& bytes);

  // Message boxes are answered from a queue; an empty queue answers Ok, or No for Yes/No boxes.
  // Each box takes the next answer; one its buttons cannot give (Yes for an OK box) yields that
  // default instead.
  void QueueAnswer(MessageAnswer answer);
  const std::vector<MessageRecord>& Messages() const;
  // Runs inside each message box and each pump pass, as a user acting while messages flow.
  std::function<void(const MessageRecord&)> onMessage;
  std::function<void()> onPump;
  int PumpCount() const;

  // Fault injection. Counted calls are those of Op: files, searches, profile, resources and the
  // registry values.
  void FailCall(int nth, std::uint32_t error);  // the nth counted call from now on (1 = the next)
  // Every call of op whose path (the first path argument, or the second for Copy and Rename
  // targets) matches: case-insensitive, a trailing '*' matches by prefix.
  void FailOn(Op op, const std::string& path, std::uint32_t error);
  // Beyond it writes, copies, moves and profile writes to the drive fail: disk full.
  void SetFreeSpace(char drive, std::uint64_t bytes);
  // Every counted call fails from now on, as on a disk that refuses everything.
  void FailEveryCall(std::uint32_t error);
  // Runs just before the nth counted call from now on (1 = the next) is looked at: a fault that
  // starts there and stays, or an exception that stops the caller dead, as a crash would.
  void AtCall(int nth, std::function<void()> action);
  // A power cut: every file written or copied since it was last flushed holds zeros of its length.
  void PowerCut();
  void ClearFaults();
  int CallCount() const;
  // One line a counted or system call, such as "Copy C:\a -> C:\b" or "Delete C:\a".
  const std::vector<std::string>& Log() const;
  // The line of the nth counted call (1 = the first), as FailCall numbers them.
  std::string CountedCall(int nth) const;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> ExitRequests() const;

  // FileSystem
  std::unique_ptr<FileSearch> FindFirst(const std::string& pattern, FindData& first) override;
  std::uint32_t GetAttributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
  bool Copy(const std::string& from, const std::string& to, bool failIfExists) override;
  bool Delete(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Flush(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool CreateClosedFolder(const std::string& path, FolderAccess access) override;
  bool RemoveFolder(const std::string& path) override;
  bool FileLength(const std::string& path, std::uint64_t& length) override;
  bool LastWriteTime(const std::string& path, std::uint64_t& time) override;
  bool Read(const std::string& path, std::size_t limit, std::string& bytes) override;
  bool CloseToOthers(const std::string& folder) override;
  bool CopyAccessList(const std::string& from, const std::string& to) override;
  Ownership OwnerOf(const std::string& path) override;
  std::unique_ptr<OutputFile> OpenForWriting(const std::string& path) override;

  // Profile
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, std::uint32_t bufferSize,
                         const std::string& file) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override;

  // UserInterface
  MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                            MessageButtons buttons, MessageIcon icon) override;
  void PumpMessages() override;

  // SystemServices
  std::string SystemDirectory() override;
  std::uint32_t Version() override;
  Handle CurrentProcess() override;
  bool OpenProcessToken(Handle process, std::uint32_t access, Handle& token) override;
  bool LookupPrivilege(const std::string& name, Luid& luid) override;
  bool AdjustPrivilege(Handle token, const Luid& luid, std::uint32_t attributes) override;
  bool CloseHandle(Handle handle) override;
  bool RequestExit(std::uint32_t flags, std::uint32_t reserved) override;
  std::string ErrorText(std::uint32_t code) override;
  bool DriveDevicePlace(const std::string& drive, DevicePlace& place) override;
  bool RunningUnderWine() override;
  bool RunsAsAdministrator() override;
  bool RandomBytes(unsigned char* buffer, std::size_t size) override;
  std::uint64_t Now() override;
  std::string LocalTimeText(std::uint64_t time) override;
  bool ReadMachineValue(const std::string& name, std::string& value) override;
  bool WriteMachineValue(const std::string& name, const std::string& value) override;
  bool DeleteMachineValue(const std::string& name) override;

  // Resources
  bool LoadCustom(int id, std::string_view& bytes) override;

  // AnsiText
  std::uint32_t CodePage() override;
  bool ToAnsi(const std::string& utf8, std::string& ansi) override;
  bool FromAnsi(const std::string& ansi, std::string& utf8) override;

  // LastError
  std::uint32_t Get() override;
  void Set(std::uint32_t code) override;

 private:
  struct State;
  std::unique_ptr<State> state_;
  std::unique_ptr<Platform> platform_;
};

}  // namespace tovak::sim
