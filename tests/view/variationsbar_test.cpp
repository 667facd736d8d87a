#include <gtest/gtest.h>

#include <QComboBox>
#include <QEventLoop>
#include <QTimer>

#include "app/commandids.h"
#include "app/variationsbar.h"
#include "viewtesting.h"

namespace {

QStringList Items(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items.append(list.itemText(i));
    return items;
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

// Choosing an entry only records the choice; Forward then enters it.
TEST_F(VariationsBarTest, ListsTheContinuationsAndForwardEntersTheChoice) {
    OpenGame(SampleGame);
    frame->RunUpdatePass();
    // Not sorted: the main line first, then the variations as they were added.
    EXPECT_EQ(Items(List()), QStringList({"1. P-7f", "1. P-2f", "1. P-5f"}));
    EXPECT_EQ(List().currentIndex(), 0);

    Choose(2);
    EXPECT_EQ(doc.m_selectedVariation, 2);
    EXPECT_EQ(Ply(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(View().hasFocus()) << "the list hands the focus back when it closes";
    // Top resets the document's choice, but unchanged labels keep the list as it is.
    Trigger(ID_MOVE_TOP);
    EXPECT_EQ(doc.m_selectedVariation, 0);
    frame->RunUpdatePass();
    EXPECT_EQ(List().currentIndex(), 2);

    Choose(2);
    Trigger(ID_MOVE_FORWARD);
    EXPECT_EQ(&doc.m_record.Current(), doc.m_record.Root().Continuation(2));
    frame->RunUpdatePass();
    EXPECT_EQ(Items(List()), QStringList{"2. P-5d"});
    EXPECT_EQ(List().currentIndex(), 0);
    Trigger(ID_MOVE_END);
    frame->RunUpdatePass();
    EXPECT_EQ(List().currentIndex(), -1);
    EXPECT_EQ(List().count(), 0);
}

// A choice made in a list that still showed the previous position's moves (it had the focus
// while the position changed) is the entry the rebuilt list shows, and the one Forward enters.
TEST_F(VariationsBarTest, ListKeepsItsEntriesWhileFocusedThenShowsTheDocumentsChoice) {
    OpenGame(SampleGame);
    frame->RunUpdatePass();
    List().setFocus();
    QTest::keyClick(&List(), Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(Ply(), 1);
    frame->RunUpdatePass();
    ASSERT_EQ(List().count(), 3) << "the focused list keeps its entries";
    QTest::keyClick(&List(), Qt::Key_Down);
    EXPECT_EQ(doc.m_selectedVariation, 1);

    View().setFocus();
    frame->RunUpdatePass();
    EXPECT_EQ(Items(List()), QStringList({"2. P-3d", "2. P-8d"}));
    EXPECT_EQ(List().currentIndex(), 1);
    Trigger(ID_MOVE_FORWARD);
    EXPECT_EQ(&doc.m_record.Current(), doc.m_record.Root().Continuation(0)->Continuation(1));
}

// The event loop runs the idle-time pass whenever it is about to wait: the list and the Move
// commands then follow the position.
TEST_F(VariationsBarTest, TheEventLoopRunsTheUpdatePassWhenIdle) {
    OpenGame(SampleGame);
    const auto idle = [] {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    };
    idle();
    EXPECT_FALSE(frame->ActionById(ID_MOVE_BACK)->isEnabled());
    EXPECT_TRUE(frame->ActionById(ID_MOVE_DELETE)->isEnabled());
    doc.GoForward();
    idle();
    EXPECT_EQ(List().count(), 2);
    EXPECT_TRUE(frame->ActionById(ID_MOVE_BACK)->isEnabled());
    doc.GoEnd();
    idle();
    for (int id : {ID_MOVE_FORWARD, ID_MOVE_END, ID_MOVE_DELETE})
        EXPECT_FALSE(frame->ActionById(id)->isEnabled()) << id;
}
