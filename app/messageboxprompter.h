#pragma once

#include "document/prompter.h"

class QWidget;

// The questions and messages as modal message boxes captioned with the application's title,
// their texts shown as plain text.
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
