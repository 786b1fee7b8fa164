#include "ScriptedPrompts.h"

namespace sorvane {

void ScriptedPrompts::QueueAnswers(std::initializer_list<bool> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::vector<std::string> ScriptedPrompts::Texts() const {
    std::vector<std::string> texts;
    for (const PromptRecord& record : records_) texts.push_back(record.text);
    return texts;
}

std::vector<std::string> ScriptedPrompts::TextsOf(PromptKind kind) const {
    std::vector<std::string> texts;
    for (const PromptRecord& record : records_) {
        if (record.kind == kind) texts.push_back(record.text);
    }
    return texts;
}

bool ScriptedPrompts::Confirm(const std::string& question) {
    bool answer = defaultAnswer_;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    records_.push_back({PromptKind::kQuestion, question, answer});
    return answer;
}

void ScriptedPrompts::Notice(const std::string& text) {
    records_.push_back({PromptKind::kNotice, text, false});
}

void ScriptedPrompts::Error(const std::string& text) {
    records_.push_back({PromptKind::kError, text, false});
}

}  // namespace sorvane
