#pragma once
// Prompts answered from a script, for tests that drive the real commands: each
// prompt takes the next queued answer and is recorded with what it showed.

#include <deque>
#include <string>
#include <vector>

#include "platform/Prompts.h"

namespace pixmill {

class ScriptedPrompts : public Prompts {
  public:
    enum class Kind { Message, Input, Open, Save, Choice };

    struct Shown {
        Kind kind;
        std::string text;   // message or prompt; for the file dialogs the filter
        std::string title;  // empty for the file dialogs
        MessageIcon icon = MessageIcon::Exclamation;
        MessageButtons buttons = MessageButtons::Ok;
    };

    // The answers, in the order the prompts will come. A warning with only an
    // OK button needs none.
    void AnswerYes() { answers_.push_back({Kind::Message, "Yes"}); }
    void AnswerNo() { answers_.push_back({Kind::Message, "No"}); }
    // Save, Discard, Cancel or Recover, for the questions that offer them.
    void AnswerMessage(MessageAnswer answer);
    void AnswerInput(std::string text) { answers_.push_back({Kind::Input, std::move(text)}); }
    // An empty path answers Cancel.
    void AnswerOpen(std::string path) { answers_.push_back({Kind::Open, std::move(path)}); }
    void AnswerSave(std::string path) { answers_.push_back({Kind::Save, std::move(path)}); }
    // The line chosen from a list, from 0; -1 answers Cancel.
    void AnswerChoice(int index) { answers_.push_back({Kind::Choice, std::to_string(index)}); }

    const std::vector<Shown>& shown() const { return shown_; }
    // The lines of the last list shown to choose from.
    const std::vector<std::string>& lastChoiceItems() const { return lastChoiceItems_; }
    // Texts of the messages shown, in order.
    std::vector<std::string> Messages() const;
    void ClearShown() { shown_.clear(); }
    // Prompts that came without a fitting answer queued, and answers never used.
    const std::vector<std::string>& mismatches() const { return mismatches_; }
    std::size_t unusedAnswers() const { return answers_.size(); }

    MessageAnswer MsgBox(const std::string& text, MessageIcon icon, MessageButtons buttons,
                         const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string ShowOpen(const std::string& fileName, const std::string& filter) override;
    std::string ShowSave(const std::string& fileName, const std::string& filter) override;
    int ChooseItem(const std::string& prompt, const std::string& title,
                   const std::vector<std::string>& items) override;

  private:
    struct Answer {
        Kind kind;
        std::string text;
    };
    // The next answer if it is of this kind; otherwise records a mismatch and
    // answers as Cancel would.
    std::string Take(Kind kind, const std::string& asked);

    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
    std::vector<std::string> lastChoiceItems_;
    std::vector<std::string> mismatches_;
};

}  // namespace pixmill
