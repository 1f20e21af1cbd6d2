// What a job is asked to do, taken once where the request is made (the window's OK, the command
// line): the state file and the script must name the same operation and image.
#pragma once

#include <string>

#include "job/path_rules.h"

namespace tovak {

enum class Operation { Backup, Restore };

struct JobRequest {
  Operation operation = Operation::Backup;
  ImagePath image;          // the image location, split once
  std::string compression;  // "z3", "z6" or "z9" in any case; anything else is the default
  bool mapDisks = false;    // find the drives' partitions through the disks' map
};

}  // namespace tovak
