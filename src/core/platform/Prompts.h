#pragma once
// Questions and messages to the user.
#include <string>

namespace sorvane {

class IPrompts {
  public:
    virtual ~IPrompts() = default;
    // A question captioned "Confirm" with a question icon and Yes and No; true only for Yes.
    virtual bool Confirm(const std::string& question) = 0;
    // A notice with an OK button, captioned with the application title.
    virtual void Notice(const std::string& text) = 0;
    // An error box with an OK button, captioned with the application title.
    virtual void Error(const std::string& text) = 0;
};

}  // namespace sorvane
