#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <string>

#include "app/prompter.h"
#include "app/resources.h"
#include "app/zelkandoc.h"
#include "board/boardwnd.h"

// The board window inside a stand-in for the view, with a text field that holds the focus
// until the board is clicked. The document's updates redraw the board as the view's do.
class BoardTest : public ::testing::Test {
  protected:
    ScriptedPrompter prompter;
    CZelkanDoc doc{prompter};
    QWidget window;
    QLineEdit* edit = new QLineEdit(&window);
    QWidget* view = new QWidget(&window);
    CBoardWnd* board = new CBoardWnd(view);

    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(view);
        view->setFixedSize(board->size());
        view->setFocusPolicy(Qt::NoFocus);  // like the view: only the board's clicks focus it
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // The expected pixels are worked out for one device pixel per window pixel.
        if (board->devicePixelRatioF() != 1) GTEST_SKIP() << "needs a pixel ratio of 1";
        edit->setFocus();
        board->SetDocument(&doc);
        QObject::connect(&doc, &CZelkanDoc::updated, board, [this] { board->Redraw(true); });
        board->Redraw(true);
    }

    // Plays moves written as "7g7f", "8h2b+" or "P*5e" through the document.
    void Play(std::initializer_list<const char*> moves) {
        for (const std::string t : moves) {
            Move move;
            move.drop = t[1] == '*';
            move.to = Sq(t.substr(2, 2));
            move.from = move.drop ? Square{} : Sq(t.substr(0, 2));
            move.piece = move.drop ? doc.m_record.SideToMove() | KindOfLetter(t[0])
                                   : doc.m_record.Cell(move.from);
            move.promote = t.size() > 4 && t[4] == '+';
            ASSERT_TRUE(doc.AddMove(move)) << t;
        }
    }
    static Square Sq(const std::string& name) { return Square{name[1] - 'a', name[0] - '1'}; }

    // The centre of a square as the user sees it: with Black below, file 9 is the leftmost
    // column and rank a the top row; with White below, the other way round.
    QPoint Centre(const char* name) const {
        const bool blackBelow = board->BottomSide() == Black;
        const int column = blackBelow ? '9' - name[0] : name[0] - '1';
        const int row = blackBelow ? name[1] - 'a' : 'i' - name[1];
        return {80 + 32 * column, 48 + 32 * row};
    }
    // The centre of slot n of the bottom hand (counted from the bottom) or the top hand.
    static QPoint BottomSlot(int n) { return {400, 336 - 32 * n}; }
    static QPoint TopSlot(int n) { return {48, 16 + 32 * n}; }
    void Click(QPoint p) { QTest::mouseClick(board, Qt::LeftButton, {}, p); }
    void Click(const char* square) { Click(Centre(square)); }

    static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y).toRgb(); }
    QColor At(int x, int y) const { return At(board->Picture(), x, y); }
    // What the screen shows of the board once the pending repaints are done, selection frame
    // included: only the parts the board asked to repaint are fresh.
    QImage Screen() const {
        QCoreApplication::processEvents();
        const QImage whole = window.screen()->grabWindow(window.winId()).toImage();
        return whole.copy(QRect(board->mapTo(&window, QPoint(0, 0)), board->size()));
    }
};
