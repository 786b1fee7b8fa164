#pragma once
// Answers questions from a script and remembers everything said to the user.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/platform/Prompts.h"

namespace sorvane {

enum class PromptKind { kQuestion, kNotice, kError };

struct PromptRecord {
    PromptKind kind = PromptKind::kNotice;
    std::string text;
    bool answer = false;  // for questions: what Confirm returned
    Buttons buttons = Buttons::kYesNo;
    MessageIcon icon = MessageIcon::kNone;
};

class ScriptedPrompts final : public IPrompts {
  public:
    // The answer once the script has run out. No, because it never destroys anything.
    explicit ScriptedPrompts(bool defaultAnswer = false) : defaultAnswer_(defaultAnswer) {}

    void SetDefaultAnswer(bool answer) { defaultAnswer_ = answer; }
    // Answers for the next questions, in order.
    void QueueAnswers(std::initializer_list<bool> answers);
    std::size_t PendingAnswers() const { return answers_.size(); }

    // Everything shown, in order.
    const std::vector<PromptRecord>& Records() const { return records_; }
    std::vector<std::string> Texts() const;
    std::vector<std::string> Questions() const { return TextsOf(PromptKind::kQuestion); }
    std::vector<std::string> Notices() const { return TextsOf(PromptKind::kNotice); }
    std::vector<std::string> Errors() const { return TextsOf(PromptKind::kError); }

    // Runs while each question is open, as the user or a timer could act before answering.
    void SetWhileAsking(std::function<void(const std::string& question)> action) {
        whileAsking_ = std::move(action);
    }

    bool Ask(const std::string& question, Buttons buttons) override;
    void Show(const std::string& text, MessageIcon icon) override;

  private:
    std::vector<std::string> TextsOf(PromptKind kind) const;

    bool defaultAnswer_;
    std::deque<bool> answers_;
    std::vector<PromptRecord> records_;
    std::function<void(const std::string&)> whileAsking_;
};

}  // namespace sorvane
