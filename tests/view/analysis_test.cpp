#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QTreeWidget>
#include <functional>

#include "analysis/analysispane.h"
#include "analysis/analysissession.h"
#include "analysis/enginesdialog.h"
#include "view/commandids.h"
#include "viewtesting.h"

namespace {

const QString kScripts = QStringLiteral(MARLOCK_SOURCE_DIR "/tests/engine/");

class AnalysisTest : public FrameTest {
  protected:
    AnalysisPane& Pane() { return *frame->Analysis(); }
    AnalysisSession& Session() { return Pane().Session(); }

    // Sets up, as the current engine, a script that runs COMMAND.
    void UseEngine(const QString& command) {
        const QString script = WriteFile(QStringLiteral("engine.sh"),
                                         "#!/bin/sh\nexec " + command.toStdString() + "\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EngineList list;
        list.Add({script, QStringLiteral("engine.sh"), {}});
        SaveEngineList(list);
    }
    // The same, for ENGINE with a log of what it is sent.
    void UseLoggedEngine(const QString& engine) {
        UseEngine(kScripts + "logging-engine.sh " + Log() + " " + engine);
    }
    QString Log() { return dir.filePath(QStringLiteral("log")); }
    // The `position` and `go` lines sent so far.
    QStringList Searches() {
        QFile file(Log());
        if (!file.open(QIODevice::ReadOnly)) return {};
        QStringList searches;
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
            if (line.startsWith(QStringLiteral("position")) ||
                line.startsWith(QStringLiteral("go")))
                searches.append(line);
        return searches;
    }
    bool RunUntil(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 20'000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }
    QString Cell(int row, int column) {
        const QTreeWidgetItem* item = Pane().LinesView()->topLevelItem(row);
        return item ? item->text(column) : QString();
    }
};

// At a fixed depth the real engine finds the mate in one, shown as a mate with its move; the
// pane keeps it as a comment and as a variation, each undone; the mated position that follows
// is not searched.
TEST_F(AnalysisTest, ShowsARealEnginesMateAndKeepsIt) {
    UseLoggedEngine(QStringLiteral("/usr/games/fairy-stockfish"));
    // White's king on 5a, a Black pawn on 5c and a gold in hand: G*5b mates.
    OpenGame("[SFEN 4k4/9/4P4/9/9/9/9/9/4K4 b G 1]\r\n");
    Session().SetSearchLimit({SearchLimit::Kind::Depth, 3});
    Trigger(ID_ENGINE_ANALYZE);
    ASSERT_TRUE(RunUntil([&] { return Session().Progress().depth == 3 || Session().IsFailure(); }))
        << Pane().MessageLabel()->text().toStdString();
    EXPECT_EQ(Cell(0, 0), "Black mates in 1");
    EXPECT_EQ(Cell(0, 1), "G*5b");
    doc.SetJapaneseNotation(true);
    EXPECT_EQ(Cell(0, 1), "▲５二金");

    Trigger(ID_ENGINE_ADD_EVALUATION);
    EXPECT_TRUE(
        doc.Record().Current().Comment().ends_with(": Black mates in 1 at depth 3; best ▲５二金"))
        << doc.Record().Current().Comment();
    doc.Undo();
    EXPECT_EQ(doc.Record().Current().Comment(), "");

    Trigger(ID_ENGINE_ADD_VARIATION);
    ASSERT_TRUE(doc.Record().Current().Continuation(0));
    Trigger(ID_MOVE_FORWARD);
    ASSERT_TRUE(RunUntil([&] { return !Pane().MessageLabel()->text().isEmpty(); }));
    EXPECT_EQ(Pane().MessageLabel()->text(), "White is mated: there is nothing to analyse.");
    QTest::qWait(2 * AnalysisSession::SettleMs);
    EXPECT_EQ(Searches(),
              QStringList({"position sfen 4k4/9/4P4/9/9/9/9/9/4K4 b G 1", "go depth 3"}));
    Trigger(ID_MOVE_BACK);
    doc.Undo();
    EXPECT_FALSE(doc.Record().Current().Continuation(0));
}

// The fake engine's two lines: both shown with the Lines box at 2; the best one added as a
// variation that follows the moves the record has, and as a comment, each undone. Stepping
// through nodes faster than they settle searches only where the user stops.
TEST_F(AnalysisTest, KeepsTheLinesAndSearchesWhereTheUserStops) {
    UseLoggedEngine(kScripts + "fake-engine.sh lines");
    OpenGame(SampleGame);
    Trigger(ID_ENGINE_ANALYZE);
    Pane().findChild<QSpinBox*>()->setValue(2);
    ASSERT_TRUE(RunUntil([&] { return !Cell(1, 0).isEmpty(); }));
    EXPECT_EQ(QStringList({Cell(0, 0), Cell(0, 1), Cell(1, 0), Cell(1, 1)}),
              QStringList({"+0.30", "P-7f P-3d P-6f", "-0.05", "P-2f"}));

    Trigger(ID_ENGINE_ADD_VARIATION);
    EXPECT_EQ(doc.UndoName(), "Add Variation");
    const MoveNode* answer = doc.Record().Root().Continuation(0)->Continuation(0);
    EXPECT_TRUE(answer->Continuation(1) && !answer->Continuation(2));
    doc.Undo();
    EXPECT_FALSE(answer->Continuation(1));
    Trigger(ID_ENGINE_ADD_EVALUATION);
    EXPECT_EQ(doc.Record().Current().Comment(),
              "Before the first move\r\nEngine Fake lines: +0.30 at depth 3; best P-7f P-3d P-6f");
    doc.Undo();
    EXPECT_EQ(doc.Record().Current().Comment(), "Before the first move");

    // Steps well apart, each shown for less than the time a node must stay.
    Session().SetSettleTime(1000);
    for (int step = 0; step < 3; ++step) {
        Trigger(ID_MOVE_FORWARD);
        QTest::qWait(50);
    }
    const QString start =
        "position sfen lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1";
    ASSERT_TRUE(RunUntil([&] { return Searches().size() == 4; }));
    Trigger(ID_MOVE_BACK);
    ASSERT_TRUE(RunUntil([&] { return Searches().size() == 6; }));
    EXPECT_EQ(Searches(), QStringList({start, "go infinite", start + " moves 7g7f 3c3d 2g2f",
                                       "go infinite", start + " moves 7g7f 3c3d", "go infinite"}));
}

// A crash is shown and turns the analysis off; the window goes on, and the analysis may be
// turned on again. A fault the engine survives is shown beside its lines.
TEST_F(AnalysisTest, ShowsWhatAnEngineDidWrong) {
    const struct {
        QString fault;
        const char* shown;
        bool staysOn;
    } cases[] = {
        {"crash", "Engine Fake crash crashed during a search", false},
        {"illegal", "Engine Fake illegal named the illegal move 5a5e", true},
    };
    OpenGame(SampleGame);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault.toStdString());
        UseEngine(kScripts + "fake-engine.sh " + c.fault);
        Trigger(ID_ENGINE_ANALYZE);
        QLabel* shown = c.staysOn ? Pane().findChildren<QLabel*>().last() : Pane().MessageLabel();
        ASSERT_TRUE(RunUntil([&] { return shown->text().contains(c.shown); }))
            << shown->text().toStdString();
        EXPECT_EQ(Action(ID_ENGINE_ANALYZE).isChecked(), c.staysOn);
        Trigger(ID_MOVE_FORWARD);
        EXPECT_EQ(Ply(), 1);
        Trigger(ID_MOVE_BACK);
        Trigger(ID_ENGINE_ANALYZE);
        EXPECT_EQ(Session().IsOn(), !c.staysOn);
        Session().Stop();
    }
}

// Engines > Add reads the engine's name from the program, and the first engine is the current
// one.
TEST_F(AnalysisTest, AddsAnEngineByItsPath) {
    EnginesDialog dialog({});
    dialog.AddEngine(kScripts + "fake-engine.sh");
    ASSERT_TRUE(RunUntil([&] { return dialog.EngineListView()->count() == 1; }));
    EXPECT_EQ(dialog.List().Current()->name, "Fake good");
}

}  // namespace
