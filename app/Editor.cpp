#include "app/Editor.h"

#include "app/Form1.h"
#include "browser/Form2.h"
#include "editing/Form3.h"

namespace pixmill {

Editor::Editor(Prompts& prompter)
    : prompts(prompter),
      browserHeader(BrowserPageHeader()),
      form1(std::make_unique<Form1>(*this)),
      form2(std::make_unique<Form2>(*this)) {}

Editor::~Editor() = default;

Form3& Editor::form3() {
    if (!form3_) {
        form3_ = std::make_unique<Form3>(*this);
    }
    return *form3_;
}

}  // namespace pixmill
