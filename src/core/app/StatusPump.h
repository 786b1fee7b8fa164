#pragma once
// Lets events run through the platform's pump, first showing the entry being worked on. The
// entry is only pointed at, so following every entry costs nothing; its text is made and shown
// once per turn of the event loop.
#include <functional>
#include <string>

#include "core/platform/EventPump.h"

namespace sorvane {

class StatusPump final : public IEventPump {
  public:
    // `show` is given the entry's prefix and path apart.
    using Show = std::function<void(const std::string& prefix, const std::string& path)>;
    StatusPump(IEventPump& pump, Show show) : pump_(pump), show_(std::move(show)) {}

    // The entry to show at the next turn: `prefix` + `directory` + `name` (`name` may be null);
    // a null `directory` shows nothing. The texts must outlive the next turn.
    void SetCurrent(const std::string* directory, const std::string* name,
                    const char* prefix = "") {
        directory_ = directory;
        name_ = name;
        prefix_ = prefix;
    }
    // Or, for a phase whose entry is not one path, the text `text` makes at each turn; null
    // shows nothing. An entry set above comes first.
    void SetCurrent(std::function<std::string()> text) { text_ = std::move(text); }
    void ProcessPending() override {
        if (directory_ != nullptr) {
            show_(prefix_, name_ ? *directory_ + *name_ : *directory_);
        } else if (text_) {
            show_("", text_());
        }
        pump_.ProcessPending();
    }

  private:
    IEventPump& pump_;
    Show show_;
    const std::string* directory_ = nullptr;
    const std::string* name_ = nullptr;
    const char* prefix_ = "";
    std::function<std::string()> text_;
};

}  // namespace sorvane
