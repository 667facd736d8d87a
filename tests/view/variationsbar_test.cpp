#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QComboBox>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>

#include "app/commandids.h"
#include "app/commandtable.h"
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

TEST_F(VariationsBarTest, ListsTheContinuationsInTheirOrder) {
    frame->RunUpdatePass();
    EXPECT_EQ(List().count(), 0);
    EXPECT_EQ(List().currentIndex(), -1);

    OpenGame(SampleGame);
    frame->RunUpdatePass();
    // Not sorted: the main line first, then the variations as they were added.
    EXPECT_EQ(Items(List()), QStringList({QStringLiteral("1. P-7f"), QStringLiteral("1. P-2f"),
                                          QStringLiteral("1. P-5f")}));
    EXPECT_EQ(List().currentIndex(), 0);

    Trigger(ID_MOVE_FORWARD);
    frame->RunUpdatePass();
    EXPECT_EQ(Items(List()), QStringList({QStringLiteral("2. P-3d")}));
    EXPECT_EQ(List().currentIndex(), 0);

    Trigger(ID_MOVE_END);
    frame->RunUpdatePass();
    EXPECT_EQ(List().count(), 0);
    EXPECT_EQ(List().currentIndex(), -1);
}

TEST_F(VariationsBarTest, ChoosingAnEntryOnlyRecordsTheChoiceAndForwardEntersIt) {
    OpenGame(SampleGame);
    ShowActive();
    frame->RunUpdatePass();
    Choose(2);
    EXPECT_EQ(doc.m_selectedVariation, 2);
    EXPECT_EQ(Ply(), 0);
    EXPECT_FALSE(doc.IsModified());
    // The list hands the focus back to the view when it closes.
    EXPECT_TRUE(View().hasFocus());

    Trigger(ID_MOVE_FORWARD);
    EXPECT_EQ(&doc.m_record.Current(), doc.m_record.Root().Continuation(2));
    frame->RunUpdatePass();
    EXPECT_EQ(List().count(), 1);
    EXPECT_EQ(List().itemText(0), QStringLiteral("2. P-5d"));
    EXPECT_EQ(List().currentIndex(), 0);
}

TEST_F(VariationsBarTest, UnchangedLabelsKeepTheShownChoice) {
    OpenGame(SampleGame);
    ShowActive();
    frame->RunUpdatePass();
    Choose(2);
    Trigger(ID_MOVE_TOP);
    EXPECT_EQ(doc.m_selectedVariation, 0);
    frame->RunUpdatePass();
    EXPECT_EQ(List().currentIndex(), 2);
}

// A choice made in a list that still showed the previous position's moves (it had the focus
// while the position changed) is the entry the rebuilt list shows, and the one Forward enters.
TEST_F(VariationsBarTest, RebuiltListShowsTheDocumentsChoice) {
    OpenGame(SampleGame);
    Move reply;  // 2. P-8d, a second answer to 1. P-7f
    reply.from = Square{2, 7};
    reply.to = Square{3, 7};
    reply.piece = White | Pawn;
    doc.GoForward();
    ASSERT_TRUE(doc.AddMove(reply));
    doc.GoTop();
    ShowActive();
    frame->RunUpdatePass();
    ASSERT_EQ(List().count(), 3);

    List().setFocus();
    QTest::keyClick(&List(), Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(Ply(), 1);
    frame->RunUpdatePass();
    ASSERT_EQ(List().count(), 3) << "the focused list keeps its entries";
    QTest::keyClick(&List(), Qt::Key_Down);
    EXPECT_EQ(doc.m_selectedVariation, 1);

    View().setFocus();
    frame->RunUpdatePass();
    EXPECT_EQ(Items(List()), QStringList({QStringLiteral("2. P-3d"), QStringLiteral("2. P-8d")}));
    EXPECT_EQ(List().currentIndex(), 1);
    Trigger(ID_MOVE_FORWARD);
    EXPECT_TRUE(SameMove(doc.m_record.Current().move, reply));

    // A choice the rebuilt list does not have leaves it without a selection.
    Trigger(ID_MOVE_TOP);
    doc.m_selectedVariation = 5;
    frame->RunUpdatePass();
    EXPECT_EQ(List().count(), 3);
    EXPECT_EQ(List().currentIndex(), -1);
}

TEST_F(VariationsBarTest, NoRebuildWhileTheListHasTheFocusOrNothingChanged) {
    OpenGame(SampleGame);
    ShowActive();
    frame->RunUpdatePass();
    QSignalSpy removed(List().model(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy inserted(List().model(), &QAbstractItemModel::rowsInserted);
    frame->RunUpdatePass();
    frame->RunUpdatePass();
    EXPECT_EQ(removed.count(), 0);
    EXPECT_EQ(inserted.count(), 0);

    List().setFocus();
    ASSERT_TRUE(List().hasFocus());
    doc.GoForward();
    frame->RunUpdatePass();
    EXPECT_EQ(List().count(), 3);
    EXPECT_EQ(inserted.count(), 0);

    View().setFocus();
    frame->RunUpdatePass();
    EXPECT_EQ(Items(List()), QStringList({QStringLiteral("2. P-3d")}));
}

TEST_F(VariationsBarTest, TheEventLoopRunsTheUpdatePassWhenIdle) {
    OpenGame(SampleGame);
    ShowActive();
    frame->RunUpdatePass();
    ASSERT_FALSE(frame->ActionById(ID_MOVE_BACK)->isEnabled());
    doc.GoForward();
    // An event loop that waits for events runs the pass before it waits.
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(List().count(), 1);
    EXPECT_TRUE(frame->ActionById(ID_MOVE_BACK)->isEnabled());
}

TEST_F(VariationsBarTest, SitsBetweenBackwardAndForwardWithItsPrompts) {
    const QList<QAction*> entries = frame->ToolBar()->actions();
    ASSERT_EQ(entries.size(), 19);
    EXPECT_EQ(frame->ToolBar()->widgetForAction(entries[10]), &List());
    EXPECT_EQ(entries[9]->data().toInt(), ID_MOVE_BACK);
    EXPECT_EQ(entries[11]->data().toInt(), ID_MOVE_FORWARD);
    EXPECT_EQ(ControlId(List()), IDC_VARIATIONS);
    EXPECT_EQ(List().toolTip(), QStringLiteral("Variations"));
    EXPECT_EQ(List().statusTip(), QStringLiteral("Select an available variation"));
    EXPECT_EQ(List().font().pointSize(), 8);
    EXPECT_EQ(List().font().family(), QApplication::font().family());
    EXPECT_EQ(List().width(), 20 * QFontMetrics(List().font()).averageCharWidth());
    EXPECT_FALSE(List().isEditable());
    EXPECT_FALSE(frame->ToolBar()->isMovable());
}
