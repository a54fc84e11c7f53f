#include "platform/ScriptedPrompts.h"

#include <utility>

namespace pixmill {
namespace {

constexpr std::pair<MessageAnswer, const char*> kAnswerNames[] = {
    {MessageAnswer::Yes, "Yes"},       {MessageAnswer::No, "No"},
    {MessageAnswer::Save, "Save"},     {MessageAnswer::Discard, "Discard"},
    {MessageAnswer::Cancel, "Cancel"}, {MessageAnswer::Recover, "Recover"},
};

}  // namespace

void ScriptedPrompts::AnswerMessage(MessageAnswer answer) {
    for (const auto& [each, name] : kAnswerNames) {
        if (each == answer) {
            answers_.push_back({Kind::Message, name});
        }
    }
}

std::vector<std::string> ScriptedPrompts::Messages() const {
    std::vector<std::string> texts;
    for (const Shown& s : shown_) {
        if (s.kind == Kind::Message) {
            texts.push_back(s.text);
        }
    }
    return texts;
}

std::string ScriptedPrompts::Take(Kind kind, const std::string& asked) {
    if (answers_.empty() || answers_.front().kind != kind) {
        mismatches_.push_back("no answer queued for: " + asked);
        return {};
    }
    std::string text = std::move(answers_.front().text);
    answers_.pop_front();
    return text;
}

MessageAnswer ScriptedPrompts::MsgBox(const std::string& text, MessageIcon icon,
                                      MessageButtons buttons, const std::string& title) {
    shown_.push_back({Kind::Message, text, title, icon, buttons});
    if (buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    const std::string answer = Take(Kind::Message, text);
    if (buttons == MessageButtons::YesNo) {
        return answer == "Yes" ? MessageAnswer::Yes : MessageAnswer::No;
    }
    // Anything else, a missing answer included, is what closing the box gives.
    const MessageAnswer offered[2] = {
        buttons == MessageButtons::SaveDiscardCancel ? MessageAnswer::Save : MessageAnswer::Recover,
        MessageAnswer::Discard};
    for (const auto& [each, name] : kAnswerNames) {
        if (answer == name && (each == offered[0] || each == offered[1])) {
            return each;
        }
    }
    return MessageAnswer::Cancel;
}

std::string ScriptedPrompts::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string&) {
    shown_.push_back({Kind::Input, prompt, title});
    return Take(Kind::Input, prompt);
}

std::string ScriptedPrompts::ShowOpen(const std::string&, const std::string& filter) {
    shown_.push_back({Kind::Open, filter, {}});
    return Take(Kind::Open, "open dialog " + filter);
}

int ScriptedPrompts::ChooseItem(const std::string& prompt, const std::string& title,
                                const std::vector<std::string>& items) {
    shown_.push_back({Kind::Choice, prompt, title});
    lastChoiceItems_ = items;
    const std::string answer = Take(Kind::Choice, prompt);
    // A missing answer is Cancel.
    return answer.empty() ? -1 : std::stoi(answer);
}

std::string ScriptedPrompts::ShowSave(const std::string&, const std::string& filter) {
    shown_.push_back({Kind::Save, filter, {}});
    return Take(Kind::Save, "save dialog " + filter);
}

}  // namespace pixmill
