// The image path as typed in the path box or given to /backup and /restore: the window's line
// about it changes nothing, and a job either refuses it with nothing changed, or writes a script
// whose Ghost line fits DOS, names the same image and is read back as the job wrote it, a record
// that reads back, and a job the cancel takes back.
#include "job/image_file_info.h"
#include "job/job.h"
#include "job/job_record.h"
#include "job/path_rules.h"
#include "job/pending_job_check.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tovak;
  using namespace tovak::fuzz;
  const std::string path(reinterpret_cast<const char*>(data), size);
  for (Operation operation : {Operation::Backup, Operation::Restore}) {
    sim::SimWindows windows;
    MakeXpMachine(windows);
    for (char drive = 'E'; drive <= 'Z'; ++drive) windows.AddDrive(drive);
    Platform& platform = windows.platform();
    // A restore's image is there, wherever the path names it and the simulation can put it.
    if (operation == Operation::Restore && PathRefusal(path, platform.text).empty() &&
        NamesImageFile(path)) {
      try {
        windows.PutFile(path, "image");
      } catch (const std::exception&) {
      }
    }
    const sim::Snapshot before = windows.Take();
    // The window's line about the file at the path, at each key typed.
    const std::string described = DescribeImageAtPath(platform, path);
    Require(described.empty() || (NamesImageFile(path) && IsUtf8(described)),
            "the window describes an image at a path that names none");
    Require(windows.Take() == before, "describing the image changed something");
    NoDriveMap driveMap;
    SmallDeployment deployment(platform);
    const Outcome outcome =
        Job(platform, driveMap, deployment).Prepare({operation, ImagePath(path), "z6"});
    if (outcome.kind != Outcome::Kind::Done) {
      Require(outcome.kind != Outcome::Kind::NotPutBack, "a path left a boot file out");
      Require(windows.Take() == before, "a path not taken changed something");
      continue;
    }
    Require(PathRefusal(path, platform.text).empty(), "a path the rules refuse was taken");

    const bool backup = operation == Operation::Backup;
    const std::string script =
        windows.Bytes(std::string("C:\\boot\\qelv\\") + (backup ? "MsBack.bat" : "huifu.bat"));
    Require(script.size() >= 2 && script.find("\r\n") == script.size() - 2,
            "the script is not one line");
    const std::string ansiLine = script.substr(0, script.size() - 2);
    Require(FitsCommandTail(ansiLine), "the Ghost line does not fit DOS's command tail");
    for (unsigned char byte : ansiLine)
      Require(byte >= 0x20, "the Ghost line holds a control byte");
    std::string line;
    Require(platform.text.FromAnsi(ansiLine, line), "the script is no text of the code page");
    const std::string image = ImageOfCommandLine(line);
    const ImagePath split = ImagePath(path);
    const std::string drivePart = "1:" + std::to_string(PartitionNumber(split.drive)) + ":";
    Require(image == drivePart + (backup ? split.file.substr(2) : split.fromRoot),
            "the Ghost line names another image");
    Require(PendingJobImage(platform, operation) == image, "/status reads another image");

    std::string recordText;
    JobRecord record;
    Require(platform.text.FromAnsi(windows.Bytes(std::string("C:\\boot\\qelv\\") + layout::kJobRecord),
                                   recordText) &&
                ParseJobRecord(recordText, record) && record.operation == operation &&
                record.imagePath == split.file && record.token == deployment.token &&
                record.key == windows.MachineValue(kLastJobValue),
            "the record does not read back");

    Operation pending;
    Require(FindPendingJob(platform, pending) == Presence::Present && pending == operation,
            "the job prepared is not found");
    Require(CancelPendingJob(platform).kind == Outcome::Kind::Done, "the cancel failed");
    Require(SystemDrive(windows.Take()) == SystemDrive(before), "the cancel did not give C: back");
  }
  return 0;
}
