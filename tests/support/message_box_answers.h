// Answers to the program's message box for the headless modal driver.
#pragma once

#include <initializer_list>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/types.h"

namespace qm::testing {

// Expects the program's message box with this text (and caption, when
// given) and presses the button that gives `answer`.
void AnswerMessageBox(ModalDriver& driver, const std::string& text, TModalResult answer,
                      const std::string& caption = {});
// Answers a type-YES box: types YES (confirm) or presses its No button.
void AnswerTypeYes(TForm& box, bool confirm);
// Expects the open or save dialog and answers it with a file name and,
// when given (1-based), the filter chosen with it.
void ChooseFile(ModalDriver& driver, const std::string& name, int filter = 0);
// Expects the "How should I Interpret This Text?" dialog of a paste or an
// import of foreign text and takes its choices as they stand.
void AcceptPasteAs(ModalDriver& driver);
// Expects the "Define Element Type" dialog of a tagged-text import once for
// each choice (a radio button's name), and answers it with that choice.
void DefineStyles(ModalDriver& driver, std::initializer_list<const char*> choices);
// The text a message box was given (the program's or the platform's).
std::string MessageBoxText(TForm& box);

}  // namespace qm::testing
