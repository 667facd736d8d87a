#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTimer>
#include <algorithm>

#include "app/variationsbar.h"
#include "view/commandids.h"
#include "viewtesting.h"

namespace {

QStringList Items(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items.append(list.itemText(i));
    return items;
}

// Lets the event loop wake up and go to sleep a few times.
void WakeUps() {
    for (int i = 0; i < 5; ++i) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

}  // namespace

class VariationsBarTest : public FrameTest {
  protected:
    QComboBox& List() { return *frame->ToolBar()->ComboBox(); }

    // Chooses an entry with the keyboard, as a user would, then lets the list close up.
    void Choose(int index) {
        List().setFocus();
        QTest::keyClick(&List(), Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(&List(), Qt::Key_Down);
        List().showPopup();
        List().hidePopup();
    }
};

// Choosing an entry only records the choice; Forward then enters it. The list always shows the
// document's choice: after a command it is the main line again.
TEST_F(VariationsBarTest, ListsTheContinuationsAndForwardEntersTheChoice) {
    OpenGame(SampleGame);
    // Not sorted: the main line first, then the variations as they were added.
    EXPECT_EQ(Items(List()), QStringList({"1. P-7f", "1. P-2f", "1. P-5f"}));
    EXPECT_EQ(List().currentIndex(), 0);

    Choose(2);
    EXPECT_EQ(doc.SelectedVariation(), 2);
    EXPECT_EQ(Ply(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(View().hasFocus()) << "the list hands the focus back when it closes";
    Trigger(ID_MOVE_TOP);
    EXPECT_EQ(doc.SelectedVariation(), 0);
    EXPECT_EQ(List().currentIndex(), 0) << "the list shows what Forward will enter";

    Choose(2);
    Trigger(ID_MOVE_FORWARD);
    EXPECT_EQ(&doc.Record().Current(), doc.Record().Root().Continuation(2));
    EXPECT_EQ(Items(List()), QStringList{"2. P-5d"});
    EXPECT_EQ(List().currentIndex(), 0);
    Trigger(ID_MOVE_END);
    EXPECT_EQ(List().currentIndex(), -1);
    EXPECT_EQ(List().count(), 0);
}

// Japanese notation is off at first; the option relabels the list at once as KI2 writes the
// moves (同, the marks that single out a piece) and results by their word, and leaves the
// record alone.
TEST_F(VariationsBarTest, JapaneseNotationRelabelsTheListAndIsRemembered) {
    OpenGame(
        "手数----指手---------消費時間--\r\n   1 ７六歩(77)\r\n   2 ３四歩(33)\r\n"
        "   3 ２二角成(88)\r\n   4 同　銀(31)\r\n   5 投了\r\n"
        "変化：3手\r\n   3 ５八金(69)\r\n変化：3手\r\n   3 ５八金(49)\r\n",
        QStringLiteral("game.kifu"));
    Trigger(ID_OPTIONS_JAPANESE_NOTATION);
    const QStringList labels[] = {{"1. ▲７六歩"},
                                  {"2. △３四歩"},
                                  {"3. ▲２二角成", "3. ▲５八金左", "3. ▲５八金右"},
                                  {"4. △同　銀"},
                                  {"5. 投了"}};
    for (const QStringList& expected : labels) {
        EXPECT_EQ(Items(List()), expected);
        Trigger(ID_MOVE_FORWARD);
    }
    EXPECT_FALSE(doc.IsModified());
}

// Only the open list is left alone while the position moves on, and a choice made in it then
// is dropped.
TEST_F(VariationsBarTest, OnlyTheOpenListWaits) {
    OpenGame(SampleGame);
    List().showPopup();
    doc.GoForward();
    EXPECT_EQ(Items(List()), QStringList({"1. P-7f", "1. P-2f", "1. P-5f"}));
    List().setCurrentIndex(2);
    emit List().activated(2);
    List().hidePopup();
    QCoreApplication::processEvents();
    EXPECT_EQ(doc.SelectedVariation(), 0) << "the choice named a move of the old position";
    EXPECT_EQ(Items(List()), QStringList({"2. P-3d", "2. P-8d"}));
    EXPECT_EQ(List().currentIndex(), 0);
}

// The open list shows six whole rows and scrolls to the rest, and is wide enough for its
// longest label, whichever widget style draws it.
TEST_F(VariationsBarTest, TheOpenListShowsSixWholeRowsAndItsLongestLabel) {
    ShowActive();
    for (const char* styleName : {"Fusion", "Windows"}) {
        std::unique_ptr<QStyle> style(QStyleFactory::create(styleName));
        ASSERT_TRUE(style) << styleName;
        List().setStyle(style.get());
        for (int count : {24, 100001}) {
            SCOPED_TRACE(testing::Message() << styleName << ", " << count << " entries");
            List().clear();
            for (int i = 0; i < count; ++i)
                List().addItem(QStringLiteral("%1. ▲５八金左上成").arg(i + 1000000));
            List().showPopup();
            const QWidget* viewport = List().view()->viewport();
            const int row = List().view()->sizeHintForRow(0);
            EXPECT_GE(viewport->height(), 6 * row);
            EXPECT_LT(viewport->height(), 7 * row);
            const QRect last = List().view()->visualRect(List().model()->index(0, 0));
            EXPECT_GE(
                viewport->width(),
                last.x() + List().view()->sizeHintForIndex(List().model()->index(0, 0)).width());
            List().view()->scrollToBottom();
            const QRect bottom = List().view()->visualRect(List().model()->index(count - 1, 0));
            EXPECT_TRUE(viewport->rect().contains(bottom.center()));
            List().hidePopup();
        }
        List().setStyle(nullptr);
    }
}

// The list follows the document's announcements at once, and nothing is read or rebuilt while
// the program merely waits: the lock keys are read on their own keys.
TEST_F(VariationsBarTest, TheListFollowsAnnouncementsAndWakeUpsCostNothing) {
    int reads = 0;
    frame->SetLockKeyReader([&reads]() -> std::optional<LockKeyState> {
        ++reads;
        return LockKeyState{true, false, false};
    });
    ASSERT_EQ(reads, 1);
    OpenGame(SampleGame);
    doc.GoForward();
    EXPECT_EQ(List().count(), 2);
    doc.DeleteVariation();
    EXPECT_EQ(List().count(), 1);
    doc.Undo();
    EXPECT_EQ(List().count(), 2);

    const int readsBefore = reads;
    WakeUps();
    EXPECT_EQ(reads, readsBefore);
    QTest::keyClick(View().TitleEdit(), Qt::Key_CapsLock);
    EXPECT_GT(reads, readsBefore);
    const QList<QLabel*> labels = frame->statusBar()->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                            [](QLabel* label) { return label->text() == "CAP"; }));
}
