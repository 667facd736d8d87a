#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <string>

#include "board/boardwnd.h"
#include "document/zelkandoc.h"
#include "tests/model/positiontesting.h"
#include "tests/support/scriptedprompter.h"

// The board window inside a stand-in for the view, with a text field that holds the focus
// until the board is clicked. The board's moves go to the document (unpromoted where promoting
// is a choice: the view asks about that) and the document's changes redraw the board. The pixel
// helpers take window coordinates and work at any device pixel ratio: a window pixel is the
// top-left of its ratio x ratio block.
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
        edit->setFocus();
        board->SetRecord(&doc.Record());
        QObject::connect(board, &CBoardWnd::moveEntered, &doc, &CZelkanDoc::EnterMove);
        for (auto signal : {&CZelkanDoc::currentNodeChanged, &CZelkanDoc::recordReplaced})
            QObject::connect(&doc, signal, board, [this] { board->Redraw(true); });
        board->Redraw(true);
    }

    int Ratio() const { return qRound(board->devicePixelRatioF()); }

    // Plays moves written as "7g7f", "8h2b+" or "P*5e" through the document.
    void Play(std::initializer_list<const char*> moves) {
        for (const char* text : moves)
            ASSERT_TRUE(doc.AddMove(MoveOn(doc.Record().GetPosition(), text))) << text;
    }

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
    QColor At(int x, int y) const { return At(board->Picture(), x * Ratio(), y * Ratio()); }
    // What the screen shows of the board once the pending repaints are done, selection frame
    // included, in device pixels: only the parts the board asked to repaint are fresh. Read
    // from the window's backing store, which holds every device pixel (a screen grab of the
    // offscreen platform gives window pixels only).
    QImage Screen() const {
        QCoreApplication::processEvents();
        QPaintDevice* device = window.backingStore()->paintDevice();
        if (device->devType() != QInternal::Image) return {};
        const QImage& whole = *static_cast<QImage*>(device);
        const QRect area(board->mapTo(&window, QPoint(0, 0)), board->size());
        return whole.copy(QRect(area.topLeft() * Ratio(), area.size() * Ratio()));
    }
};
