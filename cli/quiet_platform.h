// The platform as the command line uses it: every box becomes a line of output and every question
// is left unasked, so that nothing needs a desktop (a scheduled task has none).
#pragma once

#include "cli/text_output.h"
#include "platform/platform.h"

namespace tovak {

class LinesForBoxes final : public UserInterface {
 public:
  explicit LinesForBoxes(TextOutput& out) : out_(out) {}
  // The text as a line; a question is answered No, as the one at start defaults to.
  MessageAnswer ShowMessage(const std::string& text, const std::string&, MessageButtons buttons,
                            MessageIcon) override {
    out_.WriteLine(text);
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
  }
  // No window to keep alive.
  void PumpMessages() override {}

 private:
  TextOutput& out_;
};

class QuietPlatform {
 public:
  QuietPlatform(Platform& platform, TextOutput& out)
      : lines_(out),
        platform_{platform.files,     platform.profile, lines_,           platform.system,
                  platform.resources, platform.text,    platform.lastError} {}
  QuietPlatform(const QuietPlatform&) = delete;
  QuietPlatform& operator=(const QuietPlatform&) = delete;

  Platform& platform() { return platform_; }

 private:
  LinesForBoxes lines_;
  Platform platform_;
};

}  // namespace tovak
