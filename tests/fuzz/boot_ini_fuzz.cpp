// boot.ini as the job reads it and rewrites it: any boot.ini is either refused with nothing
// changed, or the job's rewrite starts the job's loader, is ANSI text again, keeps every line the
// job did not mean to change, and the cancel of the job gives back C: as it was.
#include "job/boot_menu_entry.h"
#include "job/job.h"
#include "job/job_messages.h"
#include "job/pending_job_check.h"
#include "platform/text_utf8.h"
#include "tests/fuzz/fuzz_support.h"

namespace tovak::fuzz {
namespace {

// What the NT loader cannot read as ANSI text.
bool LoaderCannotRead(const std::string& bytes) {
  return bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0 ||
         bytes.rfind("\xEF\xBB\xBF", 0) == 0 || bytes.find('\0') != std::string::npos;
}

// A line without "=" is a key without a value.
std::string KeyOf(const std::string& line) {
  const std::string key = line.substr(0, line.find('='));
  const std::size_t begin = key.find_first_not_of(" \t");
  return begin == std::string::npos
             ? std::string()
             : LowerAscii(key.substr(begin, key.find_last_not_of(" \t") + 1 - begin));
}

std::string ValueOf(const std::string& line) {
  const std::size_t equals = line.find('=');
  return equals == std::string::npos ? std::string() : line.substr(equals + 1);
}

bool MayBeNew(const std::string& line) {
  const std::string value = ValueOf(line);
  return line == "[boot loader]" || line == "[operating systems]" || value == "C:\\g1ldr" ||
         value == "0" || KeyOf(line) == "c:\\g1ldr";
}

// The original's lines in the rewrite, in order; only a default, a time-out or the job's entry
// without a value may change, and only the job's entry, its two values and their sections may be
// new.
void RequireLinesKept(const std::string& original, const std::string& rewritten) {
  const std::vector<std::string> before = Lines(original), after = Lines(rewritten);
  std::size_t i = 0, j = 0;
  while (i < before.size() || j < after.size()) {
    if (i < before.size() && j < after.size() && before[i] == after[j]) {
      ++i, ++j;
    } else if (i < before.size() && j < after.size() && MayBeNew(after[j]) &&
               KeyOf(after[j]) == KeyOf(before[i]) &&
               (KeyOf(before[i]) == "default" || KeyOf(before[i]) == "timeout" ||
                KeyOf(before[i]) == "c:\\g1ldr")) {
      ++i, ++j;  // the value changed
    } else {
      Require(j < after.size(), "the rewrite lost a line");
      Require(MayBeNew(after[j]), "the rewrite added a line of its own");
      ++j;
    }
  }
}

}  // namespace
}  // namespace tovak::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tovak;
  using namespace tovak::fuzz;
  const std::string bootIni(reinterpret_cast<const char*>(data), size);
  sim::SimWindows windows;
  MakeXpMachine(windows, bootIni);
  Platform& platform = windows.platform();

  for (const char* key : {"default", "timeout"}) {
    const std::string value = ReadIniString(platform.profile, "boot loader", key, "C:\\boot.ini");
    std::string ansi;
    Require(IsUtf8(value) && platform.text.ToAnsi(value, ansi) && ansi.size() <= 254,
            "a value read is not text of the code page within the buffer");
  }

  const sim::Snapshot before = windows.Take();
  NoDriveMap driveMap;
  SmallDeployment deployment(platform);
  const Outcome outcome =
      Job(platform, driveMap, deployment).Prepare({Operation::Backup, ImagePath("d:\\Nusk")});
  if (outcome.kind != Outcome::Kind::Done) {
    Require(outcome.kind == Outcome::Kind::Refused, "a boot.ini failed the job");
    Require(windows.Take() == before, "a refusal changed something");
    Require(LoaderCannotRead(bootIni) || outcome.text == messages::kLoaderWithoutJob,
            "a boot.ini the loader reads was refused");
    return 0;
  }
  Require(!LoaderCannotRead(bootIni), "a boot.ini the loader cannot read was changed");
  const std::string rewritten = windows.Bytes("C:\\boot.ini");
  Require(!LoaderCannotRead(rewritten), "the rewrite is no ANSI text");
  Require(windows.Bytes("C:\\boot\\boot.bak") == bootIni, "the saved boot.ini is not the original");
  Require(
      ReadIniString(platform.profile, "boot loader", "default", "C:\\boot.ini") == "C:\\g1ldr" &&
          ReadIniString(platform.profile, "boot loader", "timeout", "C:\\boot.ini") == "0" &&
          !ReadIniString(platform.profile, "operating systems", "C:\\g1ldr", "C:\\boot.ini")
               .empty(),
      "the rewrite does not start the job's loader at once");
  RequireLinesKept(bootIni, rewritten);

  Operation operation;
  Require(
      FindPendingJob(platform, operation) == Presence::Present && operation == Operation::Backup,
      "the job prepared is not found");
  Require(CancelPendingJob(platform).kind == Outcome::Kind::Done, "the cancel failed");
  Require(SystemDrive(windows.Take()) == SystemDrive(before), "the cancel did not give C: back");
  return 0;
}
