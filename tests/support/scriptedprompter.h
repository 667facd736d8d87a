#pragma once

#include <QStringList>
#include <deque>
#include <functional>

#include "document/prompter.h"

// Records every text it is shown and answers from a queue (No, or `defaultAnswer`, when the
// queue is empty).
class ScriptedPrompter : public Prompter {
  public:
    QStringList asked;  // every question and message, in order
    std::deque<Answer> answers;
    Answer defaultAnswer = Answer::No;
    // Runs while a Yes/No question is open, as whatever the user might do meanwhile.
    std::function<void()> whileAsking;

    bool AskYesNo(const QString& text) override {
        asked.append(text);
        if (whileAsking) whileAsking();
        return Next() == Answer::Yes;
    }
    Answer AskYesNoCancel(const QString& text) override {
        asked.append(text);
        return Next();
    }
    void ShowMessage(const QString& text) override { asked.append(text); }

  private:
    Answer Next() {
        if (answers.empty()) return defaultAnswer;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
