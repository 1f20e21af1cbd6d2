// Modal message boxes and the one-pass message pump.
#pragma once

#include <string>

namespace tovak {

// The title a message box shows when its caller sets none.
constexpr const char* kAppTitle = "TovakBack";
// The title of a box that tells something, not of an error.
constexpr const char* kNoticeTitle = "提示";

enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class MessageIcon { None, Information, Critical };
enum class MessageAnswer { Ok, Yes, No };

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                                    MessageButtons buttons, MessageIcon icon) = 0;
  // Lets the window process the messages pending now, once; returns when the queue is empty.
  virtual void PumpMessages() = 0;
};

}  // namespace tovak
