#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
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
        // Like the view, it takes no focus by itself: only the board's clicks give it.
        view->setFocusPolicy(Qt::NoFocus);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        board->SetDocument(&doc);
        QObject::connect(&doc, &CZelkanDoc::updated, board, [this] { board->Redraw(true); });
        board->Redraw(true);
    }

    // Plays moves written as "7g7f", "8h2b+" or "B*5e" through the document.
    void Play(std::initializer_list<const char*> moves) {
        for (const char* text : moves) {
            Move move;
            const std::string t = text;
            move.drop = t[1] == '*';
            move.to = Sq(t.substr(2, 2));
            if (move.drop) {
                move.piece = doc.m_record.SideToMove() | KindOfLetter(t[0]);
            } else {
                move.from = Sq(t.substr(0, 2));
                move.piece = doc.m_record.Cell(move.from);
                move.promote = t.size() > 4 && t[4] == '+';
            }
            ASSERT_TRUE(doc.AddMove(move)) << text;
        }
    }

    static Square Sq(const std::string& name) { return Square{name[1] - 'a', name[0] - '1'}; }

    // The centre of a square as the user sees it: with Black below, file 9 is the leftmost
    // column and rank a the top row; with White below, the other way round.
    QPoint Centre(const char* name) const {
        const int column = board->BottomSide() == Black ? '9' - name[0] : name[0] - '1';
        const int row = board->BottomSide() == Black ? name[1] - 'a' : 'i' - name[1];
        return {64 + 32 * column + 16, 32 + 32 * row + 16};
    }
    // The centre of slot n of the bottom hand (counted from the bottom) or the top hand.
    static QPoint BottomSlot(int n) { return {400, 320 - 32 * n + 16}; }
    static QPoint TopSlot(int n) { return {48, 32 + 32 * (n - 1) + 16}; }

    void Click(QPoint p) { QTest::mouseClick(board, Qt::LeftButton, {}, p); }
    void Click(const char* square) { Click(Centre(square)); }

    qreal Ratio() const { return board->Picture().devicePixelRatio(); }
    // The colour of a window pixel (the device pixel at its centre) in the picture or on screen.
    static QColor At(const QImage& image, int x, int y) {
        const qreal r = image.devicePixelRatio();
        return image.pixelColor(int((x + 0.5) * r), int((y + 0.5) * r)).toRgb();
    }
    QColor At(int x, int y) const { return At(board->Picture(), x, y); }
    // What the screen shows of the board once the pending repaints are done, selection frame
    // included: only the parts the board asked to repaint are fresh.
    QImage Screen() const {
        QCoreApplication::processEvents();
        const QImage whole = window.screen()->grabWindow(window.winId()).toImage();
        const qreal r = Ratio();
        // The offscreen platform grabs only part of a scaled window; a fresh paint will do there.
        if (whole.size() != window.size() * r) return board->grab().toImage();
        const QRect area(board->mapTo(&window, QPoint(0, 0)), board->size());
        QImage image = whole.copy(QRectF(area.topLeft() * r, area.size() * r).toRect());
        image.setDevicePixelRatio(r);
        return image;
    }

    // A window area drawn with nothing but `text` centred or aligned in it on `background`.
    QImage TextPicture(QRect area, int flags, const QString& text, QColor background) const {
        QPixmap pixmap(area.size() * Ratio());
        pixmap.setDevicePixelRatio(Ratio());
        pixmap.fill(background);
        QPainter painter(&pixmap);
        painter.setFont(QApplication::font());
        painter.setPen(Qt::black);
        painter.drawText(QRect(QPoint(0, 0), area.size()), flags, text);
        painter.end();
        return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage Area(QRect area) const {
        const qreal r = Ratio();
        return board->Picture()
            .copy(QRectF(area.topLeft() * r, area.size() * r).toRect())
            .convertToFormat(QImage::Format_RGB32);
    }
};
