#include "tests/unit/job_harness.h"

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

const std::vector<std::pair<std::string, std::string>>& FakeDeployment::Files() {
  static const std::vector<std::pair<std::string, std::string>> kFiles = {
      {"bootfont.bin", "tool font"},      {"ntldr", "tool loader"},
      {"boot\\qelv\\menu.lst", "menu"},   {"boot\\qelv\\ghost.exe", "imaging program"},
      {"g1ldr", "tool grub loader"},
  };
  return kFiles;
}

bool FakeDeployment::DeployBootFiles() {
  for (const auto& [name, bytes] : Files()) {
    auto file = platform_.files.OpenForWriting(GetSystemDriveRoot(platform_.system) + name);
    if (!file) return false;
    platform_.ui.PumpMessages();
    if (!file->Write(bytes) || !file->Close()) return false;
  }
  return true;
}

JobHarness::JobHarness(Payload payload) : payload(payload) {
  if (payload == Payload::AsBuilt) {
    for (const PayloadFile& file : PayloadCatalogue()) {
      windows.AddResource(file.id, std::string(static_cast<std::size_t>(file.size), file.name[0]));
    }
  }
  windows.AddDrive('D');
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
      w.PutFile("C:\\boot\\qelv\\state.txt", "huifu.bat\r\n");
      w.PutFile("C:\\boot\\qelv\\huifu.bat", "Ghost.exe -clone\r\n");
      w.PutFile("C:\\boot\\qelv\\ghost.exe", "imaging program");
      w.PutFile("C:\\msboot\\user.txt", "the user's boot folder");
      w.PutFile("C:\\boot.ini",
                std::string(kBootIni) + "C:\\g1ldr=Tovak\xB1\xB8\xB7\xDD\xB9\xA4\xBE\xDF\r\n");
      w.PutFile("C:\\ntldr", "tool loader");
      w.PutFile("C:\\bootfont.bin", "tool font");
      w.PutFile("C:\\g1ldr", "tool grub loader");
      break;
    case Layout::OwnG1ldr:
      w.PutFile("C:\\g1ldr", "an earlier loader", attr::kHidden);
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
  }
  return "";
}

}  // namespace tovak::testing
