#pragma once
// Answers questions from a script and remembers everything said to the user.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Prompts.h"

namespace sorvane {

enum class PromptKind { kQuestion, kNotice, kError };

struct PromptRecord {
    PromptKind kind = PromptKind::kNotice;
    std::string text;
    MessageIcon icon = MessageIcon::kNone;
    Buttons buttons = Buttons::kYesNo;  // of a question
};

class ScriptedPrompts final : public IPrompts {
  public:
    // The answer once the script has run out; No at first, as it never destroys anything.
    void SetDefaultAnswer(bool answer) { defaultAnswer_ = answer; }
    // Answers for the next questions, in order.
    void QueueAnswers(std::initializer_list<bool> answers) {
        answers_.insert(answers_.end(), answers.begin(), answers.end());
    }

    // Everything shown, in order.
    const std::vector<PromptRecord>& Records() const { return records_; }
    // Every text shown, or those of one kind.
    std::vector<std::string> Texts(std::optional<PromptKind> kind = {}) const {
        std::vector<std::string> texts;
        for (const PromptRecord& record : records_) {
            if (!kind || record.kind == *kind) texts.push_back(record.text);
        }
        return texts;
    }
    std::vector<std::string> Questions() const { return Texts(PromptKind::kQuestion); }
    std::vector<std::string> Notices() const { return Texts(PromptKind::kNotice); }
    std::vector<std::string> Errors() const { return Texts(PromptKind::kError); }

    // Runs while each question is open, as the user or a timer could act before answering.
    void SetWhileAsking(std::function<void(const std::string& question)> action) {
        whileAsking_ = std::move(action);
    }

    bool Ask(const std::string& question, Buttons buttons) override {
        if (whileAsking_) whileAsking_(question);
        const bool answer = answers_.empty() ? defaultAnswer_ : answers_.front();
        if (!answers_.empty()) answers_.pop_front();
        records_.push_back({PromptKind::kQuestion, question, MessageIcon::kNone, buttons});
        return answer;
    }
    void Show(const std::string& text, MessageIcon icon) override {
        const auto kind = icon == MessageIcon::kError ? PromptKind::kError : PromptKind::kNotice;
        records_.push_back({kind, text, icon});
    }

  private:
    bool defaultAnswer_ = false;
    std::deque<bool> answers_;
    std::vector<PromptRecord> records_;
    std::function<void(const std::string&)> whileAsking_;
};

}  // namespace sorvane
