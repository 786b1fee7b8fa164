#include "ScriptedPrompts.h"

namespace sorvane {

void ScriptedPrompts::QueueAnswers(std::initializer_list<bool> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::vector<std::string> ScriptedPrompts::Texts(std::optional<PromptKind> kind) const {
    std::vector<std::string> texts;
    for (const PromptRecord& record : records_) {
        if (!kind || record.kind == *kind) texts.push_back(record.text);
    }
    return texts;
}

bool ScriptedPrompts::Ask(const std::string& question, Buttons buttons) {
    if (whileAsking_) whileAsking_(question);
    bool answer = defaultAnswer_;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    records_.push_back({PromptKind::kQuestion, question, MessageIcon::kNone, buttons});
    return answer;
}

void ScriptedPrompts::Show(const std::string& text, MessageIcon icon) {
    const PromptKind kind = icon == MessageIcon::kError ? PromptKind::kError : PromptKind::kNotice;
    records_.push_back({kind, text, icon});
}

}  // namespace sorvane
