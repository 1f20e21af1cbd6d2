#include "tests/unit/job_harness.h"

#include "job/job_record.h"
#include "payload/payload_catalogue.h"

namespace tovak::testing {

void FakeForm::SetEnabled(FormControl control, bool on) {
  static const std::map<FormControl, std::string> kNames = {
      {FormControl::Cmd_Sure, "Cmd_Sure"}, {FormControl::Cmd_Exit, "Cmd_Exit"},
      {FormControl::Cmd_Path, "Cmd_Path"}, {FormControl::Check_Disk, "Check_Disk"},
      {FormControl::Combo_Compress, "Combo_Compress"}};
  Record((on ? "enable " : "disable ") + kNames.at(control));
  enabled[control] = on;
}

bool FakeForm::Idle() const {
  for (const auto& [control, on] : enabled) {
    // In Restore mode the combo stays disabled.
    if (on != (control != FormControl::Combo_Compress || backup)) return false;
  }
  return !jobInProgress && !unloaded;
}

const Catalogue& SmallCatalogue() {
  static const Catalogue catalogue = [] {
    Catalogue small = PayloadCatalogue();
    for (PayloadFile& file : small) {
      const std::string bytes = SmallPayload(file.name);
      file.size = static_cast<std::int32_t>(bytes.size());
      if (file.tokenOffset >= 0) {
        file.tokenOffset = static_cast<std::int32_t>(bytes.find(kTokenPlaceholder));
      }
    }
    return small;
  }();
  return catalogue;
}

std::string SmallPayload(const std::string& name) {
  return "tool " + name + (name == "qelv.img" ? std::string(" set tok=") + kTokenPlaceholder : "");
}

std::string DeployedPayload(const std::string& name, const std::string& token) {
  std::string bytes = SmallPayload(name);
  const std::size_t at = bytes.find(kTokenPlaceholder);
  if (at != std::string::npos) bytes.replace(at, token.size(), token);
  return bytes;
}

JobHarness::JobHarness(bool payloadHasStandIns)
    : deployment(windows.platform(), payloadHasStandIns, SmallCatalogue()) {
  for (const PayloadFile& file : SmallCatalogue()) windows.AddResource(file.id, SmallPayload(file.name));
  windows.AddDrive('D');
  windows.PutFolder("C:\\WINDOWS\\system32");
  windows.PutFile("C:\\boot.ini", kBootIni, kBootFileBits);
  windows.PutFile("C:\\ntldr", "system loader", kBootFileBits);
  windows.PutFile("C:\\bootfont.bin", "system font", kBootFileBits);
}

std::vector<sim::MessageRecord> JobHarness::Errors() const {
  std::vector<sim::MessageRecord> errors;
  for (const sim::MessageRecord& box : windows.Messages()) {
    if (box.title == "错误") errors.push_back(box);
  }
  return errors;
}

JobRequest Backup(const std::string& path) { return {Operation::Backup, ImagePath(path), "", false}; }
JobRequest Restore(const std::string& path) { return {Operation::Restore, ImagePath(path), "", false}; }

void Arrange(JobHarness& job, Layout layout) {
  sim::SimWindows& w = job.windows;
  switch (layout) {
    case Layout::NoBoot:
      break;
    case Layout::OwnBoot:
      w.PutFolder("C:\\boot", kBootFileBits);
      w.PutFile("C:\\boot\\readme.txt", "the user's own", attr::kReadOnly);
      w.PutFile("C:\\boot\\tools\\x.exe", "tool");
      break;
    case Layout::BootAndMsboot:
      w.PutFile("C:\\boot\\mine.txt", "boot's own");
      w.PutFile("C:\\msboot\\older.txt", "set aside earlier", attr::kHidden);
      w.PutFile("C:\\msboot\\sub\\deep.txt", "deep");
      break;
    case Layout::PendingJob:
      // A job prepared before and not run: the root holds the tool's files, "boot" the originals.
      w.PutFile("C:\\boot\\boot.bak", kBootIni);
      w.PutFile("C:\\boot\\ntldr.bak", "system loader");
      w.PutFile("C:\\boot\\bootfont.bak", "system font");
      for (const PayloadFile& file : SmallCatalogue()) {
        if (file.destination == PayloadDestination::PayloadFolder) {
          w.PutFile(std::string("C:\\boot\\qelv\\") + file.name,
                    DeployedPayload(file.name, kPendingToken));
        } else {
          w.PutFile(std::string("C:\\") + file.name, SmallPayload(file.name));
        }
      }
      w.PutFile(std::string("C:\\boot\\qelv\\") + layout::kJobRecord,
                JobRecordText({kPendingToken, kPendingKey, Operation::Restore,
                               "d:\\Nusk\\Nusk.gho", 1, "\\WINDOWS\\Tovak"}));
      w.PutMachineValue(kLastJobValue, kPendingKey);
      w.PutFile("C:\\boot\\qelv\\state.txt", "huifu.bat\r\n");
      w.PutFile("C:\\boot\\qelv\\huifu.bat", "Ghost.exe -clone\r\n");
      w.PutFile("C:\\msboot\\user.txt", "the user's boot folder");
      w.PutFile("C:\\boot.ini", kPreparedBootIni);
      break;
    case Layout::OwnG1ldr:
      w.PutFile("C:\\g1ldr", "an earlier loader", attr::kHidden);
      break;
    case Layout::LowerCaseRoot:
      w.SetSystemDirectory("c:\\windows\\system32");
      break;
  }
}

const char* Name(Layout layout) {
  switch (layout) {
    case Layout::NoBoot: return "no boot";
    case Layout::OwnBoot: return "own boot";
    case Layout::BootAndMsboot: return "boot and msboot";
    case Layout::PendingJob: return "pending job";
    case Layout::OwnG1ldr: return "own g1ldr";
    case Layout::LowerCaseRoot: return "lower-case root";
  }
  return "";
}

}  // namespace tovak::testing
