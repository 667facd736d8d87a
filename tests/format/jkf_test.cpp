#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "bench/recordgen.h"
#include "format/jkf.h"
#include "format/kif.h"
#include "format/loaderror.h"
#include "format/recordcompare.h"
#include "format/recordformat.h"
#include "format/recordio.h"
#include "model/handicap.h"
#include "model/positiontesting.h"

namespace {

std::string DataFile(const std::string& name) {
    std::ifstream in(std::string(MARLOCK_TEST_DATA_DIR) + "/jkf/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    EXPECT_TRUE(in.good()) << name;
    return bytes.str();
}

struct JkfRead {
    std::unique_ptr<GameRecord> record = std::make_unique<GameRecord>();
    TextEncoding encoding = TextEncoding::EucJp;
    std::optional<ESNLoadError> error;
};

JkfRead Read(std::string_view bytes) {
    JkfRead read;
    try {
        ReadJkf(*read.record, bytes, read.encoding);
    } catch (const ESNLoadError& error) {
        read.error = error;
    }
    return read;
}

std::string Write(const GameRecord& record) {
    std::string bytes, refusal;
    EXPECT_TRUE(WriteJkf(record, bytes, refusal));
    EXPECT_EQ(refusal, "");
    return bytes;
}

const MoveNode* Child(const MoveNode* node, std::initializer_list<int> path) {
    for (int index : path)
        node = node ? node->Continuation(index) : nullptr;
    return node;
}

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
    const struct {
        const char* preset;
        Handicap handicap;
    } presets[] = {
        {"HIRATE", Handicap::Even},
        {"KY", Handicap::Lance},
        {"KY_R", Handicap::RightLance},
        {"KA", Handicap::Bishop},
        {"HI", Handicap::Rook},
        {"HIKY", Handicap::RookAndLance},
        {"2", Handicap::TwoPieces},
        {"3", Handicap::ThreePieces},
        {"4", Handicap::FourPieces},
        {"5", Handicap::FivePieces},
        {"5_L", Handicap::LeftFivePieces},
        {"6", Handicap::SixPieces},
        {"7_L", Handicap::LeftSevenPieces},
        {"7_R", Handicap::RightSevenPieces},
        {"8", Handicap::EightPieces},
        {"10", Handicap::TenPieces},
    };
    for (const auto& p : presets) {
        const JkfRead read = Read(std::string(R"({"header":{},"initial":{"preset":")") + p.preset +
                                  R"("},"moves":[{}]})");
        ASSERT_FALSE(read.error) << p.preset << ": " << read.error->message;
        EXPECT_EQ(read.record->StartPosition(), HandicapPosition(p.handicap)) << p.preset;
        // Written back, the start is named by the same preset.
        EXPECT_NE(
            Write(*read.record).find(std::string(R"("initial":{"preset":")") + p.preset + "\"}"),
            std::string::npos)
            << p.preset;
    }
    EXPECT_EQ(Read(R"({"moves":[]})").record->StartPosition(), Position());

    // OTHER: White's king on 1二 and all the rest in White's hand, Black's pawn on 2四 and two
    // bishops in hand, Black to move; played on to a problem without mate.
    const JkfRead read = Read(DataFile("problem-other.jkf"));
    ASSERT_FALSE(read.error) << read.error->message;
    Position start = Board({{"1b", White | King}, {"2d", Black | Pawn}});
    start.HandCount(Black, Bishop) = 2;
    for (const auto& [kind, count] :
         {std::pair{Rook, 2}, {Gold, 4}, {Silver, 4}, {Knight, 4}, {Lance, 4}, {Pawn, 17}})
        start.HandCount(White, kind) = count;
    EXPECT_EQ(read.record->StartPosition(), start);
    EXPECT_EQ(read.record->title, "持駒の角二枚");
    EXPECT_EQ(Child(&read.record->Root(), {0, 0, 0})->Result(), GameResult::NoMate);
    const std::string written = Write(*read.record);
    EXPECT_NE(written.find(R"("preset":"OTHER","data":{"color":0,"board":[[{},{"color":1,)"
                           R"("kind":"OU"},{},)"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find(R"("hands":[{"FU":0,"KY":0,"KE":0,"GI":0,"KI":0,"KA":2,"HI":0},)"),
              std::string::npos);
}

TEST(JkfRead, ForksNestedTwoDeepSpecialsCommentsAndTimes) {
    const JkfRead read = Read(DataFile("club-game.jkf"));
    ASSERT_FALSE(read.error) << read.error->message << " at " << read.error->line << ":"
                             << read.error->column;
    EXPECT_EQ(read.encoding, TextEncoding::Utf8);
    const GameRecord& record = *read.record;
    EXPECT_EQ(record.black, "青木");
    EXPECT_EQ(record.white, "白石");
    const std::vector<HeaderLine> header = {{"event", "町内将棋大会"},
                                            {"site", "公民館"},
                                            {"time-limit", "各15分"},
                                            {"観戦記", "第三面"}};
    EXPECT_EQ(record.headerLines, header);
    const MoveNode* root = &record.Root();
    EXPECT_EQ(root->Comment(), "序盤は定跡どおり。");
    EXPECT_EQ(Child(root, {0})->TimeMs(), 5'000);

    // The forks of the second move are its alternatives: the main move first, then each fork.
    const MoveNode* branch = Child(root, {0});
    ASSERT_EQ(branch->childCount, 3);
    EXPECT_EQ(Child(branch, {1})->Comment(), "居飛車なら\r\nこちら");
    EXPECT_EQ(Child(branch, {2})->move.piece, White | King);
    // Inside the first fork, the second move has an alternative of its own, which ends in a
    // result.
    const MoveNode* inner = Child(branch, {1});
    ASSERT_EQ(inner->childCount, 2);
    EXPECT_EQ(Child(inner, {0, 0})->move.to, Sq("8e"));
    EXPECT_EQ(Child(inner, {1})->move.piece, Black | Gold);
    EXPECT_EQ(Child(inner, {1, 0})->Result(), GameResult::Interrupt);

    // The main line: a promotion that captures, a capture on the same square, a drop given
    // without its origin, and the resignation with its time and comment.
    const MoveNode* capture = Child(root, {0, 0, 0, 0});
    EXPECT_EQ(capture->move.captured, Black | PromotedFlag | Bishop);
    EXPECT_EQ(capture->TimeMs(), 3'603'000);
    EXPECT_TRUE(Child(capture, {0})->move.drop);
    const MoveNode* end = Child(capture, {0, 0});
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
        // After Black's first move, White is to move.
        {"TORYO", GameResult::Resign, "", "TORYO"},
        {"CHUDAN", GameResult::Interrupt, "", "CHUDAN"},
        {"SENNICHITE", GameResult::Repetition, "", "SENNICHITE"},
        {"TIME_UP", GameResult::Timeout, "", "TIME_UP"},
        {"ILLEGAL_MOVE", GameResult::IllegalLoss, "", "ILLEGAL_MOVE"},
        {"+ILLEGAL_ACTION", GameResult::IllegalWin, "", "+ILLEGAL_ACTION"},
        {"-ILLEGAL_ACTION", GameResult::IllegalLoss, "", "ILLEGAL_MOVE"},
        {"JISHOGI", GameResult::Impasse, "", "JISHOGI"},
        {"KACHI", GameResult::Declaration, "", "KACHI"},
        {"HIKIWAKE", GameResult::Draw, "", "HIKIWAKE"},
        {"TSUMI", GameResult::Mate, "", "TSUMI"},
        {"FUZUMI", GameResult::NoMate, "", "FUZUMI"},
        {"MAX_MOVES", GameResult::MaxMoves, "", "MAX_MOVES"},
        {"ERROR", GameResult::Interrupt, "%ERROR", "CHUDAN"},
        {"MATTA", std::nullopt, "%MATTA", nullptr},
    };
    for (const auto& c : cases) {
        const JkfRead read = Read("{\"moves\":[{}," + MoveElement("0:7776FU") + ",{\"special\":\"" +
                                  c.special + "\"}]}");
        ASSERT_FALSE(read.error) << c.special << ": " << read.error->message;
        const MoveNode* move = Child(&read.record->Root(), {0});
        const MoveNode* last = move->childCount ? Child(move, {0}) : move;
        EXPECT_EQ(last->Result(), c.result) << c.special;
        EXPECT_EQ(last->Comment(), c.comment) << c.special;
        if (c.writtenAs) {
            EXPECT_NE(Write(*read.record).find(std::string("{\"special\":\"") + c.writtenAs),
                      std::string::npos)
                << c.special;
        }
    }
}

TEST(JkfRead, FaultsSayWhatAndWhere) {
    const struct {
        std::string json;
        const char* message;
        int line;
        int column;
    } cases[] = {
        {"{\"moves\":[{},\n" + MoveElement("0:7776KA") + "]}", "the piece on 77 is FU, not KA", 2,
         9},
        {"{\"moves\":[{},\n" + MoveElement("1:3334FU") + "]}",
         "color says White, but it is Black's move", 2, 9},
        {"{\"moves\":[{}," + MoveElement("0:7776FU") + "," + MoveElement("1:3334FU") + ",\n" +
             MoveElement("0:8822KA", ",\"promote\":true,\"capture\":\"HI\"") + "]}",
         "capture says HI, but 22 holds KA", 2, 9},
        {"{\"moves\":[{},\n" + MoveElement("0:0055KA") + "]}",
         "the move to 55 gives no origin (from): no piece can move to ５五", 2, 9},
        {"{\"moves\":[{},\n" + MoveElement("0:7778FU") + "]}", "the move is not legal here", 2, 9},
        {"{\"moves\":[{},\n" + MoveElement("0:5958OU", ",\"same\":true") + "]}",
         "same, but no move came before", 2, 9},
        {"{\"moves\":[{},{\"special\":\"TORYO\"},\n" + MoveElement("0:7776FU") + "]}",
         "a move after TORYO", 2, 1},
        {"{\"moves\":[{},\n{\"comments\":[\"?\"]}]}",
         "a move element holds neither a move nor a special", 2, 1},
        {"{\"moves\":[\n" + MoveElement("0:7776FU") + "]}",
         "the first element of moves is the start: it holds comments only", 2, 1},
        {"{\"initial\":{\"preset\":\"9\"}}", "unknown preset '9'", 1, 22},
        {"{\"initial\":{\"preset\":\"OTHER\"}}",
         "the preset OTHER needs data: board, hands and color", 1, 22},
        {"{\"initial\":{\"preset\":\"OTHER\",\"data\":{\"color\":0,\n\"board\":[[]],"
         "\"hands\":[{},{}]}}}",
         "each file of the board holds nine squares", 2, 10},
        {"{\"header\":{\"先手\":\n7}}", "header 先手 is not text", 2, 1},
        {"{\"moves\":[{},{\"move\":{\"piece\":\"XX\"}}]}",
         "'piece' must be a piece code such as FU or RY", 1, 31},
        {"{\"moves\":[{},\n{\"move\":{\"to\":{\"x\":0,\"y\":5}}}]}",
         "'x' must be a number from 1 to 9", 2, 20},
        {"{\"moves\":[{},\n]}",
         "not JSON: syntax error while parsing value - unexpected ']'; "
         "expected '[', '{', or a literal",
         2, 1},
        {"[1]", "a JKF file is one JSON object", 1, 1},
        {"",
         "not JSON: syntax error while parsing value - unexpected end of input; expected '[', "
         "'{', or a literal",
         1, 1},
    };
    for (const auto& c : cases) {
        const JkfRead read = Read(c.json);
        ASSERT_TRUE(read.error) << c.json;
        EXPECT_EQ(read.error->message, c.message) << c.json;
        EXPECT_EQ(read.error->line, c.line) << c.json;
        EXPECT_EQ(read.error->column, c.column) << c.json;
    }

    // What was read before the fault stays: here the first two moves and a fork.
    const JkfRead read = Read("{\"moves\":[{}," + MoveElement("0:7776FU") + "," +
                              MoveElement("1:3334FU") + ",\n" + MoveElement("0:2726KA") + "]}");
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->message, "the piece on 27 is FU, not KA");
    EXPECT_EQ(CountMoves(read.record->Root()), 2);
}

TEST(JkfWrite, TextOfARecordWithAFork) {
    GameRecord record;
    record.black = "青木";
    record.headerLines = {{"event", "\"練習\" 対局"}, {"my-label", "x"}};
    record.SetCurrentComment("start\r\nline two");
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    record.SetCurrentTime(65'500);  // a fraction of a second cannot be written
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "8c8d"));
    ASSERT_EQ(record.AddResult(GameResult::Resign), 1);
    record.GoForward(0);
    record.SetCurrentTime(3'723'000);

    EXPECT_EQ(Write(record),
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

TEST(JkfRoundTrip, SampleFilesReadBackAsTheSameRecord) {
    for (const char* name : {"club-game.jkf", "problem-other.jkf"}) {
        const JkfRead original = Read(DataFile(name));
        ASSERT_FALSE(original.error) << name << ": " << original.error->message;
        const std::string written = Write(*original.record);
        const JkfRead again = Read(written);
        ASSERT_FALSE(again.error) << name << ": " << again.error->message << "\n" << written;
        std::string why;
        EXPECT_TRUE(SameRecord(*original.record, *again.record, &why)) << name << ": " << why;
        EXPECT_EQ(Write(*again.record), written) << name;
    }
}

TEST(JkfRoundTrip, RandomTreesReadBackAsTheSameRecord) {
    // Random legal play with captures, drops, promotions, nested variations and comments.
    for (std::uint32_t seed : {2u, 5u, 9u}) {
        GameRecord record;
        BuildBushyTree(record, 3'000, seed);
        const std::string written = Write(record);
        const JkfRead again = Read(written);
        ASSERT_FALSE(again.error) << seed << ": " << again.error->message;
        std::string why;
        EXPECT_TRUE(SameRecord(record, *again.record, &why)) << seed << ": " << why;
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
        const char* origin;  // of the last move, "" for a drop
        const char* message;
    } cases[] = {
        {exchange + MoveElement("0:0055KA") + "]}", "", nullptr},
        {"{\"moves\":[{}," + MoveElement("0:0026FU") + "]}", "27", nullptr},
        {exchange + MoveElement("0:0078KI") + "]}", "69", nullptr},
        {exchange + MoveElement("0:0058KI", ",\"relative\":\"R\"") + "]}", "49", nullptr},
        {exchange + MoveElement("0:0058KI", ",\"relative\":\"L\"") + "]}", "69", nullptr},
        {exchange + MoveElement("0:0058KI") + "]}", "",
         "the move to 58 gives no origin (from): ambiguous move ５八金: 2 pieces can go there"},
    };
    for (const auto& c : cases) {
        const JkfRead read = Read(c.json);
        if (c.message) {
            ASSERT_TRUE(read.error) << c.json;
            EXPECT_EQ(read.error->message, c.message);
            continue;
        }
        ASSERT_FALSE(read.error) << c.json << ": " << read.error->message;
        const MoveNode* last = &read.record->Root();
        while (last->Continuation(0))
            last = last->Continuation(0);
        const Move& move = last->move;
        const std::string origin = move.drop ? ""
                                             : std::string{static_cast<char>('1' + move.from.file),
                                                           static_cast<char>('1' + move.from.rank)};
        EXPECT_EQ(origin, c.origin) << c.json;
    }

    // Written, a move that another piece of its kind could make says which one it is.
    const JkfRead read = Read(cases[3].json);
    EXPECT_NE(Write(*read.record).find(R"("piece":"KI","relative":"R"})"), std::string::npos);
}

TEST(JkfRoundTrip, DeeplyNestedForksAndDeepJson) {
    // At every level the main continuation is a leaf and the second one carries on, so each
    // level is a fork inside the fork before it: 100,000 levels deep.
    GameRecord record;
    const char* carryOn[] = {"2h3h", "8b7b", "3h2h", "7b8b"};
    const char* leaf[] = {"2h1h", "8b9b", "3h4h", "7b6b"};
    for (int level = 0; level < 100'000; ++level) {
        ASSERT_TRUE(PlayLine(record, leaf[level % 4]));
        record.GoBack();
        ASSERT_TRUE(PlayLine(record, carryOn[level % 4]));
    }
    const std::string written = Write(record);
    const JkfRead again = Read(written);
    ASSERT_FALSE(again.error) << again.error->message;
    std::string why;
    EXPECT_TRUE(SameRecord(record, *again.record, &why)) << why;

    // Half a million nested arrays under a member nobody knows are skipped without a call
    // stack; cut off, they are a JSON fault at the end.
    const std::string deep = std::string(500'000, '[') + std::string(500'000, ']');
    EXPECT_FALSE(Read("{\"x\":" + deep + ",\"moves\":[]}").error);
    const JkfRead cut = Read("{\"x\":" + std::string(500'000, '['));
    ASSERT_TRUE(cut.error);
    EXPECT_EQ(cut.error->column, 500'006);
}

TEST(JkfRead, TellsJkfFromOtherRecordFiles) {
    EXPECT_TRUE(LooksLikeJkf("\xEF\xBB\xBF {\n  \"header\": {}"));
    EXPECT_TRUE(LooksLikeJkf("{\"moves\":[]}"));
    EXPECT_FALSE(LooksLikeJkf("{\"title\": 1}"));
    EXPECT_FALSE(LooksLikeJkf("[TITLE x]\r\n"));
    EXPECT_FALSE(LooksLikeJkf(""));
}

TEST(JkfFormat, LossesAndEntryPoints) {
    GameRecord record;
    record.headerLines = {{"event", "kept"},
                          {"先手", "own line under a player's label"},
                          {"handicap", "平手"},
                          {"handicap", "その他"}};
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    record.SetCurrentTime(1'500);
    record.SetCurrentBookmark("here");
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "8c8d"));  // variations are kept
    record.SetCurrentTime(2'000);

    RecordLosses expected;
    expected.moveTimes = 1;
    expected.bookmarks = 1;
    expected.headerLines = 2;
    const FileType jkf{RecordFormat::Jkf, TextEncoding::Utf8, 0};
    EXPECT_EQ(ListLosses(WriteLosses(record, jkf)), ListLosses(expected));
    EXPECT_EQ(FileTypeForName("jkf"), jkf);

    std::string bytes, refusal;
    ASSERT_TRUE(WriteRecord(record, jkf, bytes, refusal));
    EXPECT_EQ(DetectFileType("game.jkf", bytes), jkf);
    EXPECT_EQ(DetectFileType("game.txt", bytes), jkf);
    GameRecord again;
    const ReadOutcome outcome = ReadRecord(again, bytes, jkf);
    ASSERT_FALSE(outcome.error) << outcome.error->message;
    EXPECT_EQ(CountMoves(again.Root()), 3);
}

TEST(JkfRoundTrip, KifThroughJkfGivesTheSameKif) {
    // JKF keeps everything a KIF file holds but bookmarks: the KIF written back lacks only the
    // bookmark lines ("&...").
    for (const char* name : {"game.kifu", "game.kif", "handicap.kif", "problem.kif"}) {
        SCOPED_TRACE(name);
        std::ifstream in(std::string(MARLOCK_TEST_DATA_DIR) + "/kif/" + name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        GameRecord original;
        const TextEncoding encoding = ReadKif(original, bytes.str());
        std::string expected, refusal;
        ASSERT_TRUE(WriteKif(original, encoding, expected, refusal)) << refusal;
        for (std::size_t at; (at = expected.find("\r\n&")) != std::string::npos;)
            expected.erase(at + 2, expected.find("\r\n", at + 2) - at);

        const JkfRead viaJkf = Read(Write(original));
        ASSERT_FALSE(viaJkf.error) << viaJkf.error->message;
        std::string kif;
        ASSERT_TRUE(WriteKif(*viaJkf.record, encoding, kif, refusal)) << refusal;
        EXPECT_EQ(kif, expected);
    }
}
