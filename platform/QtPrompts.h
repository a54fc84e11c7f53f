#pragma once
// The prompts as Qt dialogs, for the editor itself.

#include <QString>
#include <QWidget>

#include "platform/DialogFolders.h"
#include "platform/Prompts.h"

namespace pixmill {

class QtPrompts : public Prompts {
  public:
    // Dialogs are centred over the widget that owner() returns when they open.
    void SetOwner(QWidget* owner) { owner_ = owner; }
    // File dialogs open in the folder their kind of file was last chosen in
    // (DialogFolders), or of the file remembered here (one opened from the
    // command line). An empty path changes nothing.
    void RememberFile(const std::string& path);
    // The folders to use and keep from now on; the editor's, which the
    // settings keep between runs.
    void UseFolders(DialogFolders& folders) { folders_ = &folders; }

    MessageAnswer MsgBox(const std::string& text, MessageIcon icon, MessageButtons buttons,
                         const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string ShowOpen(const std::string& fileName, const std::string& filter) override;
    std::string ShowSave(const std::string& fileName, const std::string& filter) override;
    int ChooseItem(const std::string& prompt, const std::string& title,
                   const std::vector<std::string>& items) override;

  private:
    QWidget* Owner() const;
    QString StartIn(const std::string& fileName, const std::string& filter) const;
    QWidget* owner_ = nullptr;
    DialogFolders ownFolders_;
    DialogFolders* folders_ = &ownFolders_;
};

// "Build Engine Palettes (*.DAT)|*.DAT|Windows Palettes (*.PAL)|*.PAL" as a Qt
// filter list: "Build Engine Palettes (*.DAT);;Windows Palettes (*.PAL)".
QString QtFileFilter(const std::string& filter);

// The same for an open dialog, which also offers every file after the
// filter's own entries.
QString QtOpenFileFilter(const std::string& filter);

}  // namespace pixmill
