#pragma once
// Message boxes answered from a script; every text shown is kept.

#include <deque>
#include <string>
#include <vector>

#include "platform/user_prompt.h"

namespace kestrel::fakes {

class FakeUserPrompt : public UserPrompt {
 public:
  std::deque<bool> answers;  // Yes = true; once used up every question is answered No
  std::vector<std::string> questions;
  std::vector<std::string> notices;

  bool askYesNo(const std::string& text) override {
    questions.push_back(text);
    if (answers.empty())
      return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void inform(const std::string& text) override { notices.push_back(text); }

  std::size_t shown() const { return questions.size() + notices.size(); }
};

}  // namespace kestrel::fakes
