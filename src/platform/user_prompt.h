#pragma once
// Port: questions and notices put to the user in a message box.

#include <string>

namespace kestrel {

// Caption of every message box the system shows.
inline constexpr char kApplicationTitle[] = "KESTREL Quick Beacon Wireless Utility";

// Texts are in the system code page. Both calls show the information icon and return only
// after the user has answered; `askYesNo` is true only for Yes (closing the box is No).
class UserPrompt {
 public:
  virtual ~UserPrompt() = default;
  virtual bool askYesNo(const std::string& text) = 0;
  virtual void inform(const std::string& text) = 0;
};

}  // namespace kestrel
