// The window as the job driver sees it: the user's choices, the caption, the five controls that a
// job locks, the path box's focus, JobInProgress and unloading. The window implements it; tests do too.
#pragma once

#include <string>

namespace tovak {

enum class FormControl { Cmd_Sure, Cmd_Exit, Cmd_Path, Check_Disk, Combo_Compress };

class JobForm {
 public:
  virtual ~JobForm() = default;
  virtual std::string PathText() = 0;         // Text_Path
  virtual bool BackupSelected() = 0;          // Option_Back; Option_Restore is its opposite
  virtual bool DiskTicked() = 0;              // Check_Disk has the value 1
  virtual std::string CompressionText() = 0;  // Combo_Compress
  // The caption the window was created with, taken once: a refused job leaves the wait caption.
  virtual std::string IdleCaption() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetEnabled(FormControl control, bool enabled) = 0;
  virtual void FocusPath() = 0;
  virtual void SetJobInProgress(bool inProgress) = 0;
  virtual void Unload() = 0;
};

}  // namespace tovak
