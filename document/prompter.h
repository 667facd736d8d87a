#pragma once

#include <QString>

// Every question and message of the program goes through this interface, so that tests can
// answer "Promote Piece?" and the save prompt without a person. Texts are shown as written:
// a file name holding '<' is never taken for markup.
class Prompter {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;
    // A Yes/No question with the question icon ("Promote Piece?", "Save anyway?").
    virtual bool AskYesNo(const QString& text) = 0;
    // A Yes/No/Cancel question with the exclamation icon (the save prompt).
    virtual Answer AskYesNoCancel(const QString& text) = 0;
    // A message with the exclamation icon and one OK button ("Error : ...", "Cannot save ...").
    virtual void ShowMessage(const QString& text) = 0;
};
