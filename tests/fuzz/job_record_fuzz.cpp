// The job's record as the program reads it back, from the file the DOS side leaves in the record
// folder: a record parses only as the job writes it (written again, it reads the same), and the
// program shows and deletes only a completed one with its own key.
#include "job/job_record.h"
#include "job/last_job_check.h"
#include "tests/fuzz/fuzz_support.h"

namespace tovak::fuzz {
namespace {

constexpr char kRecord[] = "C:\\WINDOWS\\Tovak\\tovakjob.txt";

bool Same(const JobRecord& a, const JobRecord& b) {
  return a.token == b.token && a.key == b.key && a.operation == b.operation &&
         a.imagePath == b.imagePath && a.prepared == b.prepared &&
         a.recordFolder == b.recordFolder && a.imageWasThere == b.imageWasThere &&
         a.sizeBefore == b.sizeBefore && a.writtenBefore == b.writtenBefore &&
         a.imageDriveMark == b.imageDriveMark && a.completed == b.completed &&
         a.exitStatus == b.exitStatus;
}

}  // namespace
}  // namespace tovak::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tovak;
  using namespace tovak::fuzz;
  const std::string ansi(reinterpret_cast<const char*>(data), size);
  sim::SimWindows windows;
  MakeXpMachine(windows);
  Platform& platform = windows.platform();

  std::string text;
  JobRecord record;
  const bool parsed = platform.text.FromAnsi(ansi, text) && ParseJobRecord(text, record);
  if (parsed) {
    JobRecord again;
    Require(ParseJobRecord(JobRecordText(record), again) && Same(again, record),
            "a record written again reads otherwise");
    Require(record.exitStatus >= 0 && record.exitStatus <= 255, "an exit status DOS cannot give");
  }

  // The last job's record at start, with a backup image where the window's default puts it.
  windows.PutFile(kRecord, ansi);
  windows.PutFile("D:\\Nusk\\Nusk.gho", "image");
  const std::string key = parsed ? record.key : "0123456789ABCDEF";
  windows.PutMachineValue(kLastJobValue, key);
  const sim::Snapshot before = windows.Take();
  LastJobResult result;
  const bool ours = ReadLastJobResult(platform, result);
  Require(ours == (parsed && record.completed),
          "a record not the program's was taken, or one was not");
  Require(windows.Take() == before && windows.Messages().empty(),
          "reading a record changed something");
  Require(!ours || (IsUtf8(result.text) && !result.text.empty()), "a record's box has no text");

  ShowLastJobResult(platform);
  if (ours) {
    Require(windows.Messages().size() == 1 && !windows.Exists(kRecord) &&
                windows.MachineValue(kLastJobValue).empty(),
            "a record shown stays");
  } else {
    Require(windows.Take() == before && windows.Messages().empty() &&
                windows.MachineValue(kLastJobValue) == key,
            "a record not the program's was shown or deleted");
  }
  return 0;
}
