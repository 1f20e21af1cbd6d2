// Everything the program asks of the operating system, handed to the code that needs it.
#pragma once

#include "platform/ansi_text.h"
#include "platform/file_system.h"
#include "platform/last_error.h"
#include "platform/profile.h"
#include "platform/resources.h"
#include "platform/system_services.h"
#include "platform/user_interface.h"

namespace tovak {

struct Platform {
  FileSystem& files;
  Profile& profile;
  UserInterface& ui;
  SystemServices& system;
  Resources& resources;
  AnsiText& text;
  LastError& lastError;
};

}  // namespace tovak
