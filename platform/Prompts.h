#pragma once
// The questions the editor asks: message boxes, input boxes and the file
// dialog. One interface, answered by real dialogs in the editor and from a
// script in tests.

#include <string>
#include <vector>

namespace pixmill {

enum class MessageIcon { Exclamation, Question };
// SaveDiscardCancel: before unsaved changes are lost. RecoverDiscard: a
// recovery copy found at start; closing that box answers Cancel, which keeps
// the copy for later.
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel, RecoverDiscard };
enum class MessageAnswer { Ok, Yes, No, Save, Discard, Cancel, Recover };

class Prompts {
  public:
    virtual ~Prompts() = default;
    virtual MessageAnswer MsgBox(const std::string& text, MessageIcon icon, MessageButtons buttons,
                                 const std::string& title) = 0;
    // Empty for Cancel or an empty answer.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // filter: "Description (*.EXT)|*.EXT|..." pairs. Returns the chosen path,
    // empty for Cancel. The open dialog does not insist that the file exists;
    // the save dialog neither adds an extension nor asks about overwriting.
    virtual std::string ShowOpen(const std::string& fileName, const std::string& filter) = 0;
    virtual std::string ShowSave(const std::string& fileName, const std::string& filter) = 0;
    // A short list to choose one line from: its index, or -1 for Cancel.
    virtual int ChooseItem(const std::string& prompt, const std::string& title,
                           const std::vector<std::string>& items) = 0;
};

// The one file dialog that the file commands share: set FileName and Filter,
// show it, read FileName back (empty meaning Cancel).
class CommonDialog {
  public:
    explicit CommonDialog(Prompts& prompts) : prompts_(prompts) {}
    std::string FileName;
    std::string Filter;
    void ShowOpen() { FileName = prompts_.ShowOpen(FileName, Filter); }
    void ShowSave() { FileName = prompts_.ShowSave(FileName, Filter); }

    // Every command's use of the dialog: an empty name and the filter, then
    // the dialog; the chosen path, empty for Cancel.
    std::string AskOpen(const std::string& filter) {
        FileName.clear();
        Filter = filter;
        ShowOpen();
        return FileName;
    }
    std::string AskSave(const std::string& filter) {
        FileName.clear();
        Filter = filter;
        ShowSave();
        return FileName;
    }

  private:
    Prompts& prompts_;
};

// Warnings: exclamation icon, OK button.
inline void Warn(Prompts& prompts, const std::string& text, const std::string& title = "Pixmill") {
    prompts.MsgBox(text, MessageIcon::Exclamation, MessageButtons::Ok, title);
}

}  // namespace pixmill
