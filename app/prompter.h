#pragma once

#include <QString>
#include <QStringList>
#include <deque>

class QWidget;

// Every question and message of the program goes through this interface, so that tests can
// answer "Promote Piece?" and the save prompt without a person.
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

// The real thing: modal QMessageBox dialogs captioned with the application's title.
class MessageBoxPrompter : public Prompter {
  public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    bool AskYesNo(const QString& text) override;
    Answer AskYesNoCancel(const QString& text) override;
    void ShowMessage(const QString& text) override;

  private:
    QWidget* m_parent;
};

// For tests: records every text it is shown and answers from a queue (Yes/No when empty,
// unless a default is set).
class ScriptedPrompter : public Prompter {
  public:
    QStringList asked;  // every question and message, in order
    std::deque<Answer> answers;
    Answer defaultAnswer = Answer::No;

    bool AskYesNo(const QString& text) override;
    Answer AskYesNoCancel(const QString& text) override;
    void ShowMessage(const QString& text) override;

  private:
    Answer Next();
};
