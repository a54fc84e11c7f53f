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

    MessageAnswer MsgBox(const std::string& text, MessageIcon icon, MessageButtons buttons,
                         const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string ShowOpen(const std::string& fileName, const std::string& filter) override;
    std::string ShowSave(const std::string& fileName, const std::string& filter) override;

  private:
    QWidget* Owner() const;
    QWidget* owner_ = nullptr;
};

// "Build Engine Palettes (*.DAT)|*.DAT|Windows Palettes (*.PAL)|*.PAL" as a Qt
// filter list: "Build Engine Palettes (*.DAT);;Windows Palettes (*.PAL)".
QString QtFileFilter(const std::string& filter);

}  // namespace pixmill
