#pragma once
// The prompts as Qt dialogs, for the editor itself.

#include <QString>
#include <QWidget>

#include "platform/Prompts.h"

namespace pixmill {

class QtPrompts : public Prompts {
  public:
    // Dialogs are centred over the widget that owner() returns when they open.
    void SetOwner(QWidget* owner) { owner_ = owner; }
    // File dialogs open in the folder of the file last chosen in one, or of
    // the file remembered here (one opened from the command line). An empty
    // path changes nothing.
    void RememberFile(const std::string& path);

    MessageAnswer MsgBox(const std::string& text, MessageIcon icon, MessageButtons buttons,
                         const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string ShowOpen(const std::string& fileName, const std::string& filter) override;
    std::string ShowSave(const std::string& fileName, const std::string& filter) override;

  private:
    QWidget* Owner() const;
    QString StartIn(const std::string& fileName) const;
    QWidget* owner_ = nullptr;
    QString lastFolder_;
};

// "Build Engine Palettes (*.DAT)|*.DAT|Windows Palettes (*.PAL)|*.PAL" as a Qt
// filter list: "Build Engine Palettes (*.DAT);;Windows Palettes (*.PAL)".
QString QtFileFilter(const std::string& filter);

// The same for an open dialog, which also offers every file after the
// filter's own entries.
QString QtOpenFileFilter(const std::string& filter);

}  // namespace pixmill
