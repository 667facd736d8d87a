#include <gtest/gtest.h>

#include <string>

#include "bench/recordgen.h"
#include "format/recordtesting.h"
#include "model/handicap.h"

namespace {

// A move element for the JSON texts below: "0:7776FU" is Black's pawn from 77 to 76.
std::string MoveElement(std::string_view move, std::string_view extra = "") {
    const std::string color(1, move[0]);
    std::string json = "{\"move\":{\"color\":" + color;
    if (move[2] != '0')
        json += ",\"from\":{\"x\":" + std::string(1, move[2]) +
                ",\"y\":" + std::string(1, move[3]) + "}";
    json += ",\"to\":{\"x\":" + std::string(1, move[4]) + ",\"y\":" + std::string(1, move[5]) +
            "},\"piece\":\"" + std::string(move.substr(6)) + "\"" + std::string(extra) + "}}";
    return json;
}

}  // namespace

TEST(JkfRead, EveryPresetAndOther) {
    // The preset of each handicap, in the order of the handicaps.
    const char* const presets[] = {"HIRATE", "KY", "KY_R", "KA", "HI",  "HIKY", "2", "3",
                                   "4",      "5",  "5_L",  "6",  "7_L", "7_R",  "8", "10"};
    ASSERT_EQ(std::size(presets), static_cast<std::size_t>(HandicapCount));
    for (int i = 0; i < HandicapCount; ++i) {
        const std::string preset = presets[i];
        const Reading read =
            Read(R"({"header":{},"initial":{"preset":")" + preset + R"("},"moves":[{}]})", JkfFile);
        ASSERT_FALSE(read.error) << preset << ": " << read.error->message;
        EXPECT_EQ(read.record->StartPosition(), HandicapPosition(static_cast<Handicap>(i)))
            << preset;
        // Written back, the start is named by the same preset.
        EXPECT_NE(Write(*read.record, JkfFile).find(R"("initial":{"preset":")" + preset + "\"}"),
                  std::string::npos)
            << preset;
    }
    EXPECT_EQ(Read(R"({"moves":[]})", JkfFile).record->StartPosition(), Position());

    // OTHER: White's king on 1二 and all the rest in White's hand, Black's pawn on 2四 and two
    // bishops in hand, Black to move; played on to a problem without mate.
    const Reading read = Read(DataFile("jkf/problem-other.jkf"), JkfFile);
    ASSERT_FALSE(read.error) << read.error->message;
    EXPECT_EQ(read.record->StartPosition(),
              SfenPosition("9/8k/9/7P1/9/9/9/9/9 b 2B2r4g4s4n4l17p 1"));
    EXPECT_EQ(read.record->Title(), "持駒の角二枚");
    EXPECT_EQ(NodeAt(*read.record, "0.0.0")->Result(), GameResult::NoMate);
    const std::string written = Write(*read.record, JkfFile);
    EXPECT_NE(written.find(R"("preset":"OTHER","data":{"color":0,"board":[[{},{"color":1,)"
                           R"("kind":"OU"},{},)"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find(R"("hands":[{"FU":0,"KY":0,"KE":0,"GI":0,"KI":0,"KA":2,"HI":0},)"),
              std::string::npos);
}

TEST(JkfRead, ForksNestedTwoDeepSpecialsCommentsAndTimes) {
    const Reading read = Read(DataFile("jkf/club-game.jkf"), JkfFile);
    ASSERT_FALSE(read.error) << read.error->message << " at " << read.error->line << ":"
                             << read.error->column;
    EXPECT_EQ(read.type, JkfFile);
    const GameRecord& record = *read.record;
    EXPECT_EQ(record.BlackPlayer(), "青木");
    EXPECT_EQ(record.WhitePlayer(), "白石");
    const std::vector<HeaderLine> header = {{"event", "町内将棋大会"},
                                            {"site", "公民館"},
                                            {"time-limit", "各15分"},
                                            {"観戦記", "第三面"}};
    EXPECT_EQ(record.HeaderLines(), header);
    EXPECT_EQ(record.Root().Comment(), "序盤は定跡どおり。");
    EXPECT_EQ(NodeAt(record, "0")->TimeMs(), 5'000);

    // The forks of the second move are its alternatives: the main move first, then each fork.
    ASSERT_EQ(NodeAt(record, "0")->ChildCount(), 3);
    EXPECT_EQ(NodeAt(record, "0.1")->Comment(), "居飛車なら\r\nこちら");
    EXPECT_EQ(NodeAt(record, "0.2")->move.piece, White | King);
    // Inside the first fork, the second move has an alternative of its own, which ends in a
    // result.
    ASSERT_EQ(NodeAt(record, "0.1")->ChildCount(), 2);
    EXPECT_EQ(NodeAt(record, "0.1.0.0")->move.to, Sq("8e"));
    EXPECT_EQ(NodeAt(record, "0.1.1")->move.piece, Black | Gold);
    EXPECT_EQ(NodeAt(record, "0.1.1.0")->Result(), GameResult::Interrupt);

    // The main line: a promotion that captures, a capture on the same square, a drop given
    // without its origin, and the resignation with its time and comment.
    const MoveNode* capture = NodeAt(record, "0.0.0.0");
    EXPECT_EQ(capture->move.captured, Black | PromotedFlag | Bishop);
    EXPECT_EQ(capture->TimeMs(), 3'603'000);
    EXPECT_TRUE(NodeAt(record, "0.0.0.0.0")->move.drop);
    const MoveNode* end = NodeAt(record, "0.0.0.0.0.0");
    EXPECT_EQ(end->Result(), GameResult::Resign);
    EXPECT_EQ(end->TimeMs(), 20'000);
    EXPECT_EQ(end->Comment(), "後手投了");
}

TEST(JkfRead, EverySpecial) {
    const struct {
        const char* special;
        std::optional<GameResult> result;
        const char* comment;
        const char* writtenAs;  // the special written for the result
    } cases[] = {
        // After Black's first move, White is to move. The names are CSA's, whose reader's test
        // has each of them.
        {"TORYO", GameResult::Resign, "", "TORYO"},
        {"+ILLEGAL_ACTION", GameResult::IllegalWin, "", "+ILLEGAL_ACTION"},
        {"-ILLEGAL_ACTION", GameResult::IllegalLoss, "", "ILLEGAL_MOVE"},
        {"MAX_MOVES", GameResult::MaxMoves, "", "MAX_MOVES"},
        {"ERROR", GameResult::Interrupt, "%ERROR", "CHUDAN"},
        {"MATTA", std::nullopt, "%MATTA", nullptr},
    };
    for (const auto& c : cases) {
        const Reading read = Read(
            "{\"moves\":[{}," + MoveElement("0:7776FU") + ",{\"special\":\"" + c.special + "\"}]}",
            JkfFile);
        ASSERT_FALSE(read.error) << c.special << ": " << read.error->message;
        const MoveNode* last = LastOfMainLine(*read.record);
        EXPECT_EQ(last->Result(), c.result) << c.special;
        EXPECT_EQ(last->Comment(), c.comment) << c.special;
        if (c.writtenAs) {
            EXPECT_NE(
                Write(*read.record, JkfFile).find(std::string("{\"special\":\"") + c.writtenAs),
                std::string::npos)
                << c.special;
        }
    }
}

TEST(JkfRead, FaultsSayWhatAndWhere) {
    const struct {
        std::string json;
        const char* stop;
    } cases[] = {
        {"{\"moves\":[{},\n" + MoveElement("0:7776KA") + "]}",
         "2:9: the piece on 77 is FU, not KA"},
        {"{\"moves\":[{},\n" + MoveElement("1:3334FU") + "]}",
         "2:9: color says White, but it is Black's move"},
        {"{\"moves\":[{}," + MoveElement("0:7776FU") + "," + MoveElement("1:3334FU") + ",\n" +
             MoveElement("0:8822KA", ",\"promote\":true,\"capture\":\"HI\"") + "]}",
         "2:9: capture says HI, but 22 holds KA"},
        {"{\"moves\":[{},\n" + MoveElement("0:0055KA") + "]}",
         "2:9: the move to 55 gives no origin (from): no piece can move to ５五"},
        {"{\"moves\":[{},\n" + MoveElement("0:7778FU") + "]}", "2:9: the move is not legal here"},
        {"{\"moves\":[{},\n" + MoveElement("0:5958OU", ",\"same\":true") + "]}",
         "2:9: same, but no move came before"},
        {"{\"moves\":[{},{\"special\":\"TORYO\"},\n" + MoveElement("0:7776FU") + "]}",
         "2:1: a move after TORYO"},
        {"{\"moves\":[{},\n{\"special\":\"CHUDAN\",\"time\":{\"now\":{\"h\":1e9,\"m\":1e9}}}]}",
         "2:1: the time of the result before the first move is 100 days or more"},
        {"{\"moves\":[{},\n{\"comments\":[\"?\"]}]}",
         "2:1: a move element holds neither a move nor a special"},
        {"{\"moves\":[\n" + MoveElement("0:7776FU") + "]}",
         "2:1: the first element of moves is the start: it holds comments only"},
        {"{\"initial\":{\"preset\":\"9\"}}", "1:22: unknown preset '9'"},
        {"{\"initial\":{\"preset\":\"OTHER\"}}",
         "1:22: the preset OTHER needs data: board, hands and color"},
        {"{\"initial\":{\"preset\":\"OTHER\",\"data\":{\"color\":0,\n\"board\":[[]],"
         "\"hands\":[{},{}]}}}",
         "2:10: each file of the board holds nine squares"},
        {"{\"header\":{\"先手\":\n7}}", "2:1: header 先手 is not text"},
        {"{\"moves\":[{},{\"move\":{\"piece\":\"XX\"}}]}",
         "1:31: 'piece' must be a piece code such as FU or RY"},
        {"{\"moves\":[{},\n{\"move\":{\"to\":{\"x\":0,\"y\":5}}}]}",
         "2:20: 'x' must be a number from 1 to 9"},
        {"{\"moves\":[{},\n]}", "2:1: not JSON: syntax error at ']'"},
        {"", "1:1: not JSON: the text ends before the JSON value does"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StopText(Read(c.json, JkfFile)), c.stop) << c.json;

    // What was read before the fault stays: here the first two moves and a fork.
    const Reading read = Read("{\"moves\":[{}," + MoveElement("0:7776FU") + "," +
                                  MoveElement("1:3334FU") + ",\n" + MoveElement("0:2726KA") + "]}",
                              JkfFile);
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->message, "the piece on 27 is FU, not KA");
    EXPECT_EQ(CountMoves(read.record->Root()), 2);
}

TEST(JkfWrite, TextOfARecordWithAFork) {
    GameRecord record;
    record.SetBlackPlayer("青木");
    record.SetHeaderLines({{"event", "\"練習\" 対局"}, {"my-label", "x"}});
    record.SetCurrentComment("start\r\nline two");
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    record.SetCurrentTime(65'500);  // a fraction of a second cannot be written
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "8c8d"));
    ASSERT_EQ(record.AddResult(GameResult::Resign), 1);
    record.GoForward(0);
    record.SetCurrentTime(3'723'000);

    EXPECT_EQ(Write(record, JkfFile),
              "{\n"
              R"("header":{"棋戦":"\"練習\" 対局","my-label":"x","先手":"青木"},)"
              "\n"
              R"("initial":{"preset":"HIRATE"},)"
              "\n"
              R"("moves":[)"
              "\n"
              R"({"comments":["start","line two"]},)"
              "\n"
              R"({"move":{"color":0,"from":{"x":7,"y":7},"to":{"x":7,"y":6},"piece":"FU"}},)"
              "\n"
              R"({"move":{"color":1,"from":{"x":3,"y":3},"to":{"x":3,"y":4},"piece":"FU"},)"
              R"("time":{"now":{"m":1,"s":5},"total":{"h":0,"m":1,"s":5}},"forks":[[)"
              R"({"move":{"color":1,"from":{"x":8,"y":3},"to":{"x":8,"y":4},"piece":"FU"}},)"
              "\n"
              R"({"special":"TORYO","time":{"now":{"h":1,"m":2,"s":3},)"
              R"("total":{"h":1,"m":2,"s":3}}}]]})"
              "\n"
              "]\n"
              "}\n");
}

TEST(JkfRoundTrip, SampleFilesAndRandomTreesReadBackAsTheSameRecord) {
    for (const char* name : {"club-game.jkf", "problem-other.jkf"}) {
        SCOPED_TRACE(name);
        ExpectRoundTrip(*ReadGood(DataFile(std::string("jkf/") + name), JkfFile), JkfFile);
    }
    // Random legal play with captures, drops, promotions, nested variations and comments.
    for (std::uint32_t seed : {2u, 5u, 9u}) {
        SCOPED_TRACE(seed);
        GameRecord record;
        BuildBushyTree(record, 3'000, seed);
        ExpectRoundTrip(record, JkfFile);
    }
}

TEST(JkfRead, MovesWithoutOrigin) {
    // JKF gives drops without "from"; records turned from the notation without origins leave
    // it out of board moves too, which are then made by the one piece that can, or the one the
    // letters of "relative" name.
    const std::string exchange = "{\"moves\":[{}," + MoveElement("0:7776FU") + "," +
                                 MoveElement("1:3334FU") + "," + MoveElement("0:8822KA") + "," +
                                 MoveElement("1:3122GI") + ",";
    const struct {
        std::string json;
        const char* move;  // or the error
    } cases[] = {
        {exchange + MoveElement("0:0055KA") + "]}", "B*5e"},
        {"{\"moves\":[{}," + MoveElement("0:0026FU") + "]}", "2g2f"},
        {exchange + MoveElement("0:0078KI") + "]}", "6i7h"},
        {exchange + MoveElement("0:0058KI", ",\"relative\":\"R\"") + "]}", "4i5h"},
        {exchange + MoveElement("0:0058KI", ",\"relative\":\"L\"") + "]}", "6i5h"},
        {exchange + MoveElement("0:0058KI") + "]}",
         "the move to 58 gives no origin (from): ambiguous move ５八金: 2 pieces can go there"},
    };
    for (const auto& c : cases) {
        const Reading read = Read(c.json, JkfFile);
        EXPECT_EQ(read.error ? read.error->message : Usi(LastOfMainLine(*read.record)->move),
                  c.move)
            << c.json;
    }

    // Written, a move that another piece of its kind could make says which one it is.
    const Reading read = Read(cases[3].json, JkfFile);
    EXPECT_NE(Write(*read.record, JkfFile).find(R"("piece":"KI","relative":"R"})"),
              std::string::npos);
}

TEST(JkfRoundTrip, DeeplyNestedForksAndDeepJson) {
    // At every level the main continuation is a leaf and the second one carries on, so each
    // level is a fork inside the fork before it: 100,000 levels deep.
    GameRecord record;
    BuildDeepVariations(record, 100'000);
    ExpectRoundTrip(record, JkfFile);

    // Half a million nested arrays under a member nobody knows are skipped without a call
    // stack; cut off, they are a JSON fault at the end.
    const std::string deep = std::string(500'000, '[') + std::string(500'000, ']');
    EXPECT_FALSE(Read("{\"x\":" + deep + ",\"moves\":[]}", JkfFile).error);
    const Reading cut = Read("{\"x\":" + std::string(500'000, '['), JkfFile);
    ASSERT_TRUE(cut.error);
    EXPECT_EQ(cut.error->column, 500'006);
}

TEST(JkfRoundTrip, KifThroughJkfGivesTheSameKif) {
    // JKF keeps everything a KIF file holds but bookmarks: the KIF written back lacks only the
    // bookmark lines ("&...").
    for (const char* name : {"game.kifu", "game.kif", "handicap.kif", "problem.kif"}) {
        SCOPED_TRACE(name);
        const Reading original = Read(DataFile(std::string("kif/") + name), KifFile);
        ASSERT_FALSE(original.error);
        std::string expected = Write(*original.record, original.type);
        for (std::size_t at; (at = expected.find("\r\n&")) != std::string::npos;)
            expected.erase(at + 2, expected.find("\r\n", at + 2) - at);

        const Reading viaJkf = Read(Write(*original.record, JkfFile), JkfFile);
        ASSERT_FALSE(viaJkf.error) << viaJkf.error->message;
        EXPECT_EQ(Write(*viaJkf.record, original.type), expected);
    }
}

TEST(JkfRead, AFileOverAMegabyteReadsAsASmallOneDoes) {
    // Past a megabyte the parser runs beside the reader; every key, string and fault must come
    // out as they do below it. Every element's key and comment have escapes, which the parser
    // gives apart from the text, so some of them straddle the batches between the two.
    const char* const shuffle[] = {"0:5958OU", "1:5152OU", "0:5859OU", "1:5251OU"};
    std::string moves = R"("moves":[{})";
    const int count = 20'000;
    for (int i = 0; i < count; ++i) {
        std::string element = MoveElement(shuffle[i % 4], "") + "\n";
        element.replace(2, 4, R"(mo\u0076e)");
        element.insert(element.size() - 2, R"(,"comments":["\"\u3042"])");
        moves += "," + element;
    }
    ASSERT_GT(moves.size(), 1u << 20);
    // The moves come before the start is known: they are read in a second pass.
    const Reading read = Read(R"({"header":{"\u68cb\u6226":"a\"b"},)" + moves + "]}", JkfFile);
    ASSERT_FALSE(read.error) << StopText(read);
    EXPECT_EQ(CountMoves(read.record->Root()), count);
    EXPECT_EQ(read.record->HeaderLines().at(0), (HeaderLine{"event", "a\"b"}));
    EXPECT_EQ(LastOfMainLine(*read.record)->Comment(), "\"あ");

    // The first fault stops the reading, however far the parser ran on.
    const std::string json = R"({"initial":{"preset":"HIRATE"},)" + moves;
    const std::string line = std::to_string(count + 1);
    const std::string bad = "," + MoveElement("0:7776KA");
    EXPECT_EQ(StopText(Read(json + bad + "]]]", JkfFile)),
              line + ":10: the piece on 77 is FU, not KA");
    EXPECT_EQ(StopText(Read(json + "]]", JkfFile)), line + ":2: not JSON: syntax error at ']'");
    const Reading cut = Read(json + bad, JkfFile);
    EXPECT_EQ(StopText(cut), line + ":10: the piece on 77 is FU, not KA");
    EXPECT_EQ(CountMoves(cut.record->Root()), count);
}
