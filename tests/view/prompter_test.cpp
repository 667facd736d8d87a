#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "app/messageboxprompter.h"

namespace {

// Caption, text and how the text is read of a message box, in one line.
QString Looks(const QString& caption, const QString& text, Qt::TextFormat format = Qt::PlainText) {
    return QString("%1 | %2 | format %3").arg(caption, text).arg(format);
}

// Waits for the next modal message box, notes how it looks in `seen` and presses `button` on
// it (or closes it with Escape when `button` is NoButton). A box that never shows leaves
// `seen` empty instead of waiting forever.
void AnswerNextBox(QMessageBox::StandardButton button, QString& seen) {
    seen.clear();
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            if (++*tries > 500) timer->deleteLater();
            return;
        }
        timer->deleteLater();
        seen = Looks(box->windowTitle(), box->text(), box->textFormat());
        if (button == QMessageBox::NoButton)
            box->reject();
        else
            box->button(button)->click();
    });
    timer->start(10);
}

// The answers map to the buttons; every text is shown as written, a file name that looks like
// markup included.
TEST(MessageBoxPrompter, QuestionsAndMessagesLookRightAndAnswer) {
    QApplication::setApplicationDisplayName("Marlock Test");
    MessageBoxPrompter prompter;
    QString seen;
    AnswerNextBox(QMessageBox::Yes, seen);
    EXPECT_TRUE(prompter.AskYesNo("Promote Piece?"));
    EXPECT_EQ(seen, Looks("Marlock Test", "Promote Piece?"));

    const std::pair<QMessageBox::StandardButton, Prompter::Answer> presses[] = {
        {QMessageBox::No, Prompter::Answer::No},
        {QMessageBox::NoButton, Prompter::Answer::Cancel},  // Escape
    };
    for (const auto& [press, answer] : presses) {
        AnswerNextBox(press, seen);
        EXPECT_EQ(prompter.AskYesNoCancel("Save changes to Untitled?"), answer);
        EXPECT_EQ(seen, Looks("Marlock Test", "Save changes to Untitled?"));
    }

    AnswerNextBox(QMessageBox::Ok, seen);
    prompter.ShowMessage("Cannot open <b>x.esn: No such file or directory");
    EXPECT_EQ(seen, Looks("Marlock Test", "Cannot open <b>x.esn: No such file or directory"));
    QApplication::setApplicationDisplayName("Marlock");
}

}  // namespace
