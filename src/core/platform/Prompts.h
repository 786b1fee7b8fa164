#pragma once
// Questions and messages to the user. Each window asks through prompts of its own, which hold
// that window (it takes no input) until the user has answered.
#include <string>

namespace sorvane {

enum class MessageIcon { kNone, kQuestion, kError };

enum class Buttons {
    kYesNo,        // a question captioned "Confirm"; only Yes carries the action out
    kOkCancel,     // a request captioned "Confirm", such as inserting a disk; OK goes on
    kYesNoSafeNo,  // as kYesNo, for a question where No is the safe answer: No is the default
};

class IPrompts {
  public:
    virtual ~IPrompts() = default;
    // A question with a question icon; true only for Yes (or OK).
    virtual bool Ask(const std::string& question, Buttons buttons) = 0;
    // A message with an OK button, captioned with the application title.
    virtual void Show(const std::string& text, MessageIcon icon) = 0;

    bool Confirm(const std::string& question) { return Ask(question, Buttons::kYesNo); }
    void Notice(const std::string& text) { Show(text, MessageIcon::kNone); }
    void Error(const std::string& text) { Show(text, MessageIcon::kError); }
};

}  // namespace sorvane
