#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "app/mainframe.h"
#include "document/zelkandoc.h"
#include "tests/support/scriptedprompter.h"
#include "view/zelkanview.h"

// A record with a header, a comment before the first move, three first moves (the main line
// P-7f, then P-2f and P-5f, which is answered by P-5d), two answers to P-7f and a main line
// three moves long.
inline const std::string SampleGame =
    "[TITLE Spring match]\r\n[BLACK Ann]\r\n[WHITE Bob]\r\n[Before the first move]\r\n"
    "1. P-7f\r\n[Main line]\r\n{\r\n1. P-2f\r\n}\r\n{\r\n1. P-5f\r\n2. P-5d\r\n}\r\n"
    "2. P-3d\r\n{\r\n2. P-8d\r\n}\r\n3. P-2f\r\n";

// A record written by an older program: Windows-1252 texts and comments with bare line feeds
// and carriage returns.
inline const std::string LegacyGame =
    "[TITLE Caf\xe9 \x81\x8d]\r\n[BLACK Ann\xa0Lee]\r\n"
    "[line one\nline two\rline three]\r\n1. P-7f\r\n[\x93quoted\x94\nnext]\r\n2. P-3d\r\n";

// One document with its frame, view and tool bar, answering questions from a script.
class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        frame = std::make_unique<CMainFrame>(doc, prompter);
    }
    void TearDown() override {
        frame.reset();
        QSettings().clear();
    }

    // Shows the frame as the active window, so that focus and keys behave as for a user.
    void ShowActive() {
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    QString WriteFile(const QString& name, const std::string& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    // Opens the record in a shown, active frame.
    QString OpenGame(const std::string& bytes, const QString& name = QStringLiteral("game.esn")) {
        const QString path = WriteFile(name, bytes);
        EXPECT_TRUE(frame->OpenDocumentFile(path));
        ShowActive();
        return path;
    }

    QAction& Action(int id) { return *frame->ActionById(id); }

    // Whether the command is enabled as the frame shows it now: the states follow the
    // document's and the view's announcements, with no pass of their own.
    bool Enabled(int id) { return Action(id).isEnabled(); }

    // Carries out a command as the menu would: a disabled one does nothing.
    void Trigger(int id) { Action(id).trigger(); }

    // Focuses the field and types at the end of its (first) line.
    void TypeAtEnd(QWidget* field, const char* text) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClicks(field, text);
    }

    CZelkanView& View() { return *frame->View(); }
    int Ply() const { return doc.Record().Current().number; }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    CZelkanDoc doc{prompter};
    std::unique_ptr<CMainFrame> frame;
};
