#include "app/Editor.h"

#include "about/About.h"
#include "app/Form1.h"
#include "app/Recovery.h"
#include "browser/Form2.h"
#include "editing/Form3.h"

namespace pixmill {

Editor::Editor(Prompts& prompter)
    : prompts(prompter),
      browserHeader(BrowserPageHeader()),
      form1(std::make_unique<Form1>(*this)),
      form2(std::make_unique<Form2>(*this)) {}

Editor::~Editor() {
    // An about window closed just now waits for the event loop to go.
    delete closingAbout_.data();
}

void Editor::KeepRecoveryCopies(const std::string& folder) {
    recovery = std::make_unique<RecoveryKeeper>(*this, folder);
}

About& Editor::OpenAbout() {
    if (!about_) {
        about_ = std::make_unique<About>(*this);
    }
    return *about_;
}

void Editor::CloseAbout() {
    if (about_) {
        closingAbout_ = about_.release();
        closingAbout_->deleteLater();
    }
}

Form3& Editor::form3() {
    if (!form3_) {
        form3_ = std::make_unique<Form3>(*this);
    }
    return *form3_;
}

}  // namespace pixmill
