#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "app/prompter.h"

namespace {

// How a message box looked when it was answered.
struct SeenBox {
    bool found = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Waits for the next modal message box, notes how it looks and presses `button` on it (or
// closes it with Escape when `button` is NoButton).
void AnswerNextBox(QMessageBox::StandardButton button, SeenBox& seen) {
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            // Never wait forever: a box that does not show fails the test instead.
            if (++*tries > 500) timer->deleteLater();
            return;
        }
        timer->deleteLater();
        seen.found = true;
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        if (button == QMessageBox::NoButton)
            box->reject();
        else
            box->button(button)->click();
    });
    timer->start(10);
}

class MessageBoxPrompterTest : public ::testing::Test {
  protected:
    void SetUp() override { QApplication::setApplicationDisplayName("Marlock Test"); }
    void TearDown() override { QApplication::setApplicationDisplayName(QString()); }

    MessageBoxPrompter prompter;
    SeenBox seen;
};

TEST_F(MessageBoxPrompterTest, YesNoQuestion) {
    AnswerNextBox(QMessageBox::Yes, seen);
    EXPECT_TRUE(prompter.AskYesNo("Promote Piece?"));
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "Marlock Test");
    EXPECT_EQ(seen.text, "Promote Piece?");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);

    AnswerNextBox(QMessageBox::No, seen);
    EXPECT_FALSE(prompter.AskYesNo("Promote Piece?"));
}

TEST_F(MessageBoxPrompterTest, YesNoCancelQuestion) {
    const std::pair<QMessageBox::StandardButton, Prompter::Answer> presses[] = {
        {QMessageBox::Yes, Prompter::Answer::Yes},
        {QMessageBox::No, Prompter::Answer::No},
        {QMessageBox::Cancel, Prompter::Answer::Cancel},
        {QMessageBox::NoButton, Prompter::Answer::Cancel},
    };
    for (const auto& [press, answer] : presses) {
        SeenBox box;
        AnswerNextBox(press, box);
        EXPECT_EQ(prompter.AskYesNoCancel("Save changes to Untitled?"), answer);
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.caption, "Marlock Test");
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        EXPECT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }
}

TEST_F(MessageBoxPrompterTest, MessageWithOneButton) {
    AnswerNextBox(QMessageBox::Ok, seen);
    prompter.ShowMessage("Error : Illegal move.");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "Marlock Test");
    EXPECT_EQ(seen.text, "Error : Illegal move.");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

}  // namespace
