#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "format/kif/kifdiagram.h"
#include "format/recordio.h"
#include "format/usi/sfen.h"
#include "setup/setupboard.h"
#include "setup/setupdialog.h"
#include "tests/model/positiontesting.h"
#include "view/commandids.h"
#include "viewtesting.h"

namespace {

// Where the user points on the set-up window's board, Black below: a square, the box's slot of
// a kind, a slot of White's hand (the left column, from the top).
QPoint At(SetupDialog& d, const char* square) {
    return d.Board()->Layout().Map(SquareOrigin(Sq(square), Black) + QPoint(16, 16));
}
QPoint BoxAt(SetupDialog& d, PieceType kind) {
    return d.Board()->Layout().Map(SetupBoard::BoxSlot(kind).center());
}
QPoint WhiteHandAt(SetupDialog& d, int slot) {
    return d.Board()->Layout().Map(QPoint(48, 32 * slot + 16));
}
void Click(SetupDialog& d, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(d.Board(), button, {}, p);
}
void Drag(SetupDialog& d, QPoint from, QPoint to) {
    QTest::mousePress(d.Board(), Qt::LeftButton, {}, from);
    QTest::mouseMove(d.Board(), to);
    QTest::mouseRelease(d.Board(), Qt::LeftButton, {}, to);
}
void Press(SetupDialog& d, const QString& button) {
    for (QPushButton* b : d.findChildren<QPushButton*>())
        if (b->text() == button) return QTest::mouseClick(b, Qt::LeftButton);
    ADD_FAILURE() << "no button " << button.toStdString();
}
QPushButton* Ok(SetupDialog& d) {
    return d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}
QStringList Problems(SetupDialog& d) {
    QStringList texts;
    for (const QListWidgetItem* item :
         d.findChild<QListWidget*>()->findItems("", Qt::MatchContains))
        texts.append(item->text());
    return texts;
}
std::string Shown(SetupDialog& d) {
    return Sfen(d.GetPosition(), 0);
}

// Carries out the command while `act` works the set-up window it opens (cancelled after `act`
// unless closed by it). False when no window opened.
bool TriggerWithSetup(QAction& command, const std::function<void(SetupDialog&)>& act) {
    bool opened = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<SetupDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        opened = true;
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    timer.start(0);
    command.trigger();
    return opened;
}

}  // namespace

// From the position shown, edited with the mouse into a problem, to a new record that every
// format writes: the faults are listed as they come and go, and OK follows the refusals.
TEST_F(FrameTest, NewFromPositionSetsUpAProblemAsANewRecord) {
    OpenGame(SampleGame);
    Trigger(ID_MOVE_FORWARD);
    TypeAtEnd(View().TitleEdit(), "!");
    const Position shown = doc.Record().GetPosition();
    ASSERT_TRUE(TriggerWithSetup(Action(ID_FILE_NEW_FROM_POSITION), [&](SetupDialog& d) {
        EXPECT_EQ(d.GetPosition(), shown);
        Press(d, QStringLiteral("&Empty Board"));
        Drag(d, BoxAt(d, King), At(d, "5a"));
        Drag(d, BoxAt(d, King), At(d, "5b"));
        EXPECT_EQ(Problems(d), QStringList{"two Black kings"});
        EXPECT_FALSE(Ok(d)->isEnabled());
        Click(d, At(d, "5a"), Qt::RightButton);
        EXPECT_EQ(Problems(d), QStringList{"White's king on 5a is in check with Black to move"});
        EXPECT_TRUE(Ok(d)->isEnabled());
        // Click and click: the Black king back to the box, a gold from there to 5c.
        Click(d, At(d, "5b"));
        Click(d, BoxAt(d, Pawn));
        Click(d, BoxAt(d, Gold));
        Click(d, At(d, "5c"));
        Press(d, QStringLiteral("P&roblem"));
        EXPECT_EQ(Shown(d), "4k4/9/4G4/9/9/9/9/9/9 b 2r2b3g4s4n4l18p 1");
        // White's knight (third in its hand) to 2b, promoted and then Black's: stranded there.
        Drag(d, WhiteHandAt(d, 3), At(d, "2b"));
        Click(d, At(d, "2b"), Qt::RightButton);
        Click(d, At(d, "2b"), Qt::RightButton);
        EXPECT_EQ(Problems(d), QStringList{"Black's knight on 2b can never move"});
        EXPECT_TRUE(Ok(d)->isEnabled());
        QTest::keyClick(&d, Qt::Key_Return);
    }));
    EXPECT_EQ(prompter.asked, QStringList{"Save changes to game.esn?"});

    const std::string problem = "4k4/7N1/4G4/9/9/9/9/9/9 b 2r2b3g4s3n4l18p 1";
    const GameRecord& record = doc.Record();
    EXPECT_EQ(Sfen(record.StartPosition(), 0), problem);
    EXPECT_EQ(record.Title() + record.BlackPlayer() + record.WhitePlayer(), "");
    EXPECT_EQ(record.Root().ChildCount(), 0);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Untitled"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo());
    for (RecordFormat format : {RecordFormat::Esn, RecordFormat::Kif}) {
        std::string bytes, refusal;
        ASSERT_TRUE(WriteRecord(record, DefaultFileType(format), bytes, refusal)) << refusal;
        GameRecord back;
        const ReadOutcome outcome = ReadRecord(back, bytes, DefaultFileType(format));
        ASSERT_FALSE(outcome.error) << bytes;
        EXPECT_EQ(Sfen(back.StartPosition(), 0), problem) << bytes;
    }
}

// Paste Position takes an SFEN, a USI position command and a KIF diagram among other lines;
// anything else changes nothing.
TEST_F(FrameTest, PastePositionSetsUpTheClipboardsPosition) {
    // Our own diagram, among a header line and the column line of a KIF file.
    const std::string problem = "4k4/9/4G4/9/9/9/9/9/9 w G2S 1";
    const std::string diagram = "開始日時：2024/05/01\r\n" +
                                KifDiagramText(ReadSfen(problem).position) + "手数----指手--\n";
    const struct {
        const char* text;
        const char* sfen;  // or the message
    } cases[] = {
        {"sfen 4k4/9/9/9/9/9/9/9/4K4 w G 1", "4k4/9/9/9/9/9/9/9/4K4 w G 1"},
        {"position startpos moves 7g7f 3c3d",
         "lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL b - 1"},
        {diagram.c_str(), problem.c_str()},
        {"Milk, eggs and bread", "The clipboard holds no position."},
        {"4k4/9/9/9/9/9/9/9/4KK3 b - 1",
         "The clipboard's position cannot be read: two Black kings"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QApplication::clipboard()->setText(QString::fromUtf8(c.text));
        prompter.asked.clear();
        const GameRecord* before = &doc.Record();
        const bool opened = TriggerWithSetup(Action(ID_EDIT_PASTE_POSITION), [](SetupDialog& d) {
            QTest::mouseClick(Ok(d), Qt::LeftButton);
        });
        if (!opened) {
            EXPECT_EQ(prompter.asked, QStringList{c.sfen});
            EXPECT_EQ(&doc.Record(), before);
            continue;
        }
        EXPECT_EQ(Sfen(doc.Record().StartPosition(), 0), c.sfen);
    }
}

// Each handicap of the list lays out its start as the public tables give it (White's left is
// the side of file 1), White to move, the pieces it leaves out in the box. The keys: Tab reaches
// every button, Space turns a picked-up piece over, Enter accepts only while OK is on, Escape
// cancels.
TEST(SetupWindow, HandicapsAndKeys) {
    ScriptedPrompter prompter;
    SetupDialog d(SetupPosition(), BoardLook(), prompter);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    const std::string rest = "/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1";
    const std::pair<const char*, std::string> starts[] = {{"Lance", "lnsgkgsn1/1r5b1"},
                                                          {"Right Lance", "1nsgkgsnl/1r5b1"},
                                                          {"Bishop", "lnsgkgsnl/1r7"},
                                                          {"Rook", "lnsgkgsnl/7b1"},
                                                          {"Rook and Lance", "lnsgkgsn1/7b1"},
                                                          {"2 Pieces", "lnsgkgsnl/9"},
                                                          {"3 Pieces", "lnsgkgsn1/9"},
                                                          {"4 Pieces", "1nsgkgsn1/9"},
                                                          {"5 Pieces", "2sgkgsn1/9"},
                                                          {"Left 5 Pieces", "1nsgkgs2/9"},
                                                          {"6 Pieces", "2sgkgs2/9"},
                                                          {"Left 7 Pieces", "2sgkg3/9"},
                                                          {"Right 7 Pieces", "3gkgs2/9"},
                                                          {"8 Pieces", "3gkg3/9"},
                                                          {"10 Pieces", "4k4/9"}};
    auto* list = d.findChild<QComboBox*>(QStringLiteral("handicaps"));
    ASSERT_EQ(list->count(), 16);
    for (int i = 1; i < list->count(); ++i) {
        EXPECT_EQ(list->itemText(i).toStdString(), starts[i - 1].first);
        emit list->activated(i);
        EXPECT_EQ(Shown(d), starts[i - 1].second + rest);
    }
    EXPECT_EQ(d.Board()->Setup().BoxCount(Gold), 2);

    QSet<QWidget*> reached;
    for (int i = 0; i < 20; ++i) {
        reached.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // The side to move is one stop, whose arrow keys choose.
    const QList<QRadioButton*> sides = d.findChildren<QRadioButton*>();
    EXPECT_TRUE(reached.contains(sides[0]) || reached.contains(sides[1]));
    for (QPushButton* button : d.findChildren<QPushButton*>())
        EXPECT_TRUE(reached.contains(button)) << button->text().toStdString();
    EXPECT_TRUE(reached.contains(list) && reached.contains(d.Board()));

    Click(d, At(d, "5a"));
    QTest::keyClick(d.Board(), Qt::Key_Space);
    EXPECT_EQ(d.GetPosition().Cell(Sq("5a")), Black | King);
    QTest::keyClick(d.Board(), Qt::Key_Return);
    EXPECT_TRUE(d.isVisible()) << "two Black kings: OK is off";
    QTest::keyClick(d.Board(), Qt::Key_Escape);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    d.show();
    Click(d, At(d, "5a"), Qt::RightButton);
    QTest::keyClick(d.Board(), Qt::Key_Enter);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}
