#pragma once
// Questions and messages in the platform's message boxes.
#include <string>

#include "platform/Prompts.h"
#include "platform/WinApi.h"

namespace sorvane {

class WinPrompts final : public IPrompts {
  public:
    // `title` (UTF-8) captions notices and errors.
    explicit WinPrompts(const std::string& title);

    // The window the boxes belong to; none until set.
    void SetOwner(HWND owner) { owner_ = owner; }

    bool Confirm(const std::string& question) override;
    void Notice(const std::string& text) override;
    void Error(const std::string& text) override;

  private:
    std::wstring title_;
    HWND owner_ = nullptr;
};

}  // namespace sorvane
