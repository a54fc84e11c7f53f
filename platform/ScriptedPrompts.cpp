#include "platform/ScriptedPrompts.h"

namespace pixmill {

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
    return Take(Kind::Message, text) == "Yes" ? MessageAnswer::Yes : MessageAnswer::No;
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

std::string ScriptedPrompts::ShowSave(const std::string&, const std::string& filter) {
    shown_.push_back({Kind::Save, filter, {}});
    return Take(Kind::Save, "save dialog " + filter);
}

}  // namespace pixmill
