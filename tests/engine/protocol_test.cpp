#include <gtest/gtest.h>

#include "engine/engineinfo.h"
#include "engine/enginemoves.h"
#include "engine/engineoption.h"
#include "format/sfen.h"
#include "format/usi.h"

namespace {

std::string Describe(const EngineInfo& info) {
    std::string text;
    const auto add = [&text](const char* name, auto value) {
        if (value) text += std::string(name) + std::to_string(*value) + ' ';
    };
    add("d", info.depth);
    add("sd", info.selectiveDepth);
    add("n", info.nodes);
    add("nps", info.nodesPerSecond);
    add("t", info.timeMs);
    add("h", info.hashFullPermille);
    text += "mpv" + std::to_string(info.multiPv);
    if (const auto& s = info.score) {
        text += s->kind == EngineScore::Kind::Mate ? (s->mates ? " mates" : " mated")
                                                   : " cp" + std::to_string(s->centipawns);
        if (s->plies) text += std::to_string(*s->plies);
        if (s->bound != EngineScore::Bound::Exact)
            text += s->bound == EngineScore::Bound::Lower ? " lower" : " upper";
    }
    for (const std::string& word : info.pvWords)
        text += ' ' + word;
    return info.text.empty() ? text : text + " '" + info.text + "'";
}

// Every field of an info line, each kind of score, the engines' own words skipped; and the
// lines that make no sense, which are refused whole.
TEST(EngineProtocol, ReadsInfoLines) {
    const struct {
        const char* words;
        const char* read;  // null: refused
    } cases[] = {
        {"depth 8 seldepth 11 multipv 2 score cp -161 nodes 9188 nps 367520 tbhits 0 time 25 "
         "hashfull 7 pv 7g7f 5a4b",
         "d8 sd11 n9188 nps367520 t25 h7 mpv2 cp-161 7g7f 5a4b"},
        {"depth 3 score mate 3 pv G*2c 1a2a S*2b", "d3 mpv1 mates3 G*2c 1a2a S*2b"},
        {"score mate -4 lowerbound", "mpv1 mated4 lower"},
        {"score mate +", "mpv1 mates"},
        {"score mate -", "mpv1 mated"},
        {"depth 0 score mate 0", "d0 mpv1 mated0"},
        {"score cp 30 upperbound currmove 7g7f currmovenumber 1 wdl 1 2 3 depth 9",
         "d9 mpv1 cp30 upper"},
        {"depth 2 string searching  hard pv 1a1b", "d2 mpv1 'searching  hard pv 1a1b'"},
        {"depth x", nullptr},
        {"score cp", nullptr},
        {"score lead 3", nullptr},
        {"multipv 0 score cp 1", nullptr},
        {"nodes -5", nullptr},
    };
    for (const auto& c : cases) {
        EngineInfo info;
        const bool read = ParseInfo(c.words, info);
        EXPECT_EQ(read, c.read != nullptr) << c.words;
        if (read && c.read) {
            EXPECT_EQ(Describe(info), c.read) << c.words;
        }
    }
    EngineBestMove best;
    EXPECT_TRUE(ParseBestMove("7g7f ponder 3c3d", best));
    EXPECT_EQ(best.word + "/" + best.ponderWord, "7g7f/3c3d");
    EXPECT_TRUE(ParseBestMove("resign", best));
    EXPECT_EQ(best.kind, EngineBestMove::Kind::Resign);
    EXPECT_FALSE(ParseBestMove("7g7f 3c3d", best));
}

// Every kind of option, names and defaults with blanks, and what each kind takes.
TEST(EngineProtocol, ReadsOptionsAndSetsOnlySuitableValues) {
    const auto spin = ParseOption("name Skill Level type spin default 20 min -20 max 20");
    ASSERT_TRUE(spin);
    EXPECT_EQ(spin->name, "Skill Level");
    EXPECT_EQ(SetOptionCommand(*spin, "-3"), "setoption name Skill Level value -3");
    EXPECT_EQ(OptionValueProblem(*spin, "21"), "takes a number from -20 to 20");
    const auto combo = ParseOption("name Style type combo default Solid var Solid var Wild Ride");
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->choices, (std::vector<std::string>{"Solid", "Wild Ride"}));
    EXPECT_EQ(OptionValueProblem(*combo, "Wild Ride"), "");
    EXPECT_NE(OptionValueProblem(*combo, "Wild"), "");
    const auto check = ParseOption("name USI_Ponder type check default false");
    ASSERT_TRUE(check);
    EXPECT_NE(OptionValueProblem(*check, "yes"), "");
    const auto path = ParseOption("name Book File type filename default <empty>");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->defaultValue, "");
    EXPECT_EQ(SetOptionCommand(*path, ""), "setoption name Book File value <empty>");
    const auto button = ParseOption("name Clear Hash type button");
    ASSERT_TRUE(button);
    EXPECT_EQ(SetOptionCommand(*button, ""), "setoption name Clear Hash");
    const auto text = ParseOption("name Debug Log type string default log one.txt");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->defaultValue, "log one.txt");
    const std::vector<EngineOption> options{*spin, *combo};
    EXPECT_EQ(FindOption(options, "SKILL level"), &options[0]);

    for (const char* nonsense :
         {"name Hash type spin default 99 min 1 max 16", "name Hash type spin default 1",
          "name Speed type dial", "type check default true", "name X type check colour red"})
        EXPECT_FALSE(ParseOption(nonsense)) << nonsense;
}

// A line of play is legal as far as its first move that breaks a rule or leaves the mover's
// king in check; the moves carry what they capture.
TEST(EngineProtocol, ChecksTheMovesAnEngineNames) {
    const Position start;
    CheckedLine line = CheckEngineLine(start, {"7g7f", "3c3d", "8h2b+", "3a2b", "5a5e"});
    EXPECT_EQ(line.moves.size(), 4u);
    EXPECT_EQ(line.illegalWord, "5a5e");
    ASSERT_GE(line.moves.size(), 3u);
    EXPECT_EQ(line.moves[2].captured, White | Bishop);
    // White's rook on 5e pins Black's gold on 5h to the king on 5i.
    const Position pinned = ReadSfen("4k4/9/9/9/4r4/9/9/4G4/4K4 b - 1").position;
    EXPECT_FALSE(LegalEngineMove(pinned, "5h4g"));
    EXPECT_TRUE(LegalEngineMove(pinned, "5h5g"));
    EXPECT_FALSE(LegalEngineMove(start, "P*5e"));
    EXPECT_FALSE(LegalEngineMove(start, "7g7f+"));
    EXPECT_FALSE(LegalEngineMove(start, "resign"));
}

}  // namespace
