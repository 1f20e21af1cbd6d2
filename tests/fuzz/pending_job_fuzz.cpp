// The job state file and the job script as the start-up checks and /status read them: a job is
// found only when the state file names one exactly, the image only from a script line of the form
// the job writes, and the cancel gives back the machine as it was before the job.
#include "job/job_script.h"
#include "job/pending_job_check.h"
#include "platform/text_utf8.h"
#include "tests/fuzz/fuzz_support.h"

namespace tovak::fuzz {
namespace {

// The job's boot.ini: its default starts the job's loader.
constexpr char kPreparedBootIni[] =
    "[boot loader]\r\n"
    "timeout=0\r\n"
    "default=C:\\g1ldr\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" "
    "/fastdetect\r\n"
    "C:\\g1ldr=Tovak\r\n";

bool IsNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// Ghost's "disk:partition:\path", the path with no blank.
bool IsGhostImage(const std::string& image) {
  const std::size_t first = image.find(':');
  const std::size_t second = first == std::string::npos ? first : image.find(':', first + 1);
  return second != std::string::npos && IsNumber(image.substr(0, first)) &&
         IsNumber(image.substr(first + 1, second - first - 1)) &&
         image.compare(second + 1, 1, "\\") == 0 && image.find(' ') == std::string::npos;
}

// The script's line is one of the two the job writes around that image.
bool IsJobLine(const std::string& line, const std::string& image) {
  const std::string backup =
      "ghost.exe -clone,mode=pdump,src=1:1,dst=" + image + " -fx -sure -fro -";
  if (line.rfind(backup, 0) == 0) {
    const std::string level = LowerAscii(line.substr(backup.size()));
    return level == "z3" || level == "z6" || level == "z9";
  }
  return line == "Ghost.exe -clone,mode=pload,src=" + image + ":1,dst=1:1 -fx -sure";
}

}  // namespace
}  // namespace tovak::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tovak;
  using namespace tovak::fuzz;
  const std::vector<std::string> parts = Parts(data, size, 2);
  const std::string& state = parts[0];
  const std::string& script = parts[1];

  sim::SimWindows windows;
  MakeXpMachine(windows);
  Platform& platform = windows.platform();
  const sim::Snapshot machine = windows.Take();
  // A job prepared before: the root holds the job's files, "boot" the originals.
  windows.PutFile("C:\\boot\\boot.bak", kBootIni);
  windows.PutFile("C:\\boot\\ntldr.bak", "system loader");
  windows.PutFile("C:\\boot\\bootfont.bak", "system font");
  windows.PutFile("C:\\boot\\qelv\\ghost.exe", "tool ghost.exe");
  windows.PutFile("C:\\boot\\qelv\\state.txt", state);
  windows.PutFile("C:\\boot\\qelv\\MsBack.bat", script);
  windows.PutFile("C:\\boot\\qelv\\huifu.bat", script);
  windows.PutFile("C:\\boot.ini", kPreparedBootIni);
  windows.PutFile("C:\\ntldr", "tool ntldr");
  windows.PutFile("C:\\bootfont.bin", "tool bootfont.bin");
  windows.PutFile("C:\\g1ldr", "tool g1ldr");

  Operation operation;
  const Presence found = FindPendingJob(platform, operation);
  const std::string firstLine = state.substr(0, state.find_first_of("\r\n"));
  Require(found != Presence::Unknown, "a readable job was not told");
  Require((found == Presence::Present) == (firstLine == "msback.bat" || firstLine == "huifu.bat"),
          "a state file was taken for a job, or a job's was not");

  for (Operation each : {Operation::Backup, Operation::Restore}) {
    const std::string image = PendingJobImage(platform, each);
    std::string line;
    if (image.empty()) continue;
    Require(platform.text.FromAnsi(script.substr(0, script.find_first_of("\r\n")), line),
            "an image came from no text");
    Require(IsGhostImage(image) && IsJobLine(line, image),
            "an image was read from a line the job does not write");
  }

  if (found != Presence::Present) return 0;
  Require(CancelPendingJob(platform).kind == Outcome::Kind::Done, "the cancel failed");
  Require(windows.Take() == machine, "the cancel did not give the machine back");
  return 0;
}
