#include <gtest/gtest.h>

#include "engine/engineinfo.h"
#include "engine/enginemoves.h"
#include "engine/engineoption.h"
#include "format/usi/sfen.h"

namespace {

std::string Describe(const EngineInfo& info) {
    std::string text;
    const std::pair<const char*, std::optional<long long>> fields[] = {
        {"d", info.depth},  {"sd", info.selectiveDepth},
        {"n", info.nodes},  {"nps", info.nodesPerSecond},
        {"t", info.timeMs}, {"h", info.hashFullPermille}};
    for (const auto& [name, value] : fields)
        if (value) text += name + std::to_string(*value) + ' ';
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
    EXPECT_TRUE(ParseBestMove("resign", best) && best.kind == EngineBestMove::Kind::Resign);
    EXPECT_FALSE(ParseBestMove("7g7f 3c3d", best));
}

// Every kind of option, names and values with blanks, the commands that set them, and the
// values each refuses.
TEST(EngineProtocol, ReadsOptionsAndSetsOnlySuitableValues) {
    const struct {
        const char* line;
        const char* value;
        const char* command;  // null: the value is refused
    } cases[] = {
        {"name Skill Level type spin default 20 min -20 max 20", "-3", "Skill Level value -3"},
        {"name Skill Level type spin default 20 min -20 max 20", "21", nullptr},
        {"name Style type combo default Solid var Solid var Wild Ride", "Wild Ride",
         "Style value Wild Ride"},
        {"name Style type combo default Solid var Solid var Wild Ride", "Wild", nullptr},
        {"name USI_Ponder type check default false", "yes", nullptr},
        {"name Book File type filename default <empty>", "", "Book File value <empty>"},
        {"name Log type string default log one.txt", "a b", "Log value a b"},
        {"name Clear Hash type button", "", "Clear Hash"},
    };
    for (const auto& c : cases) {
        const std::optional<EngineOption> option = ParseOption(c.line);
        ASSERT_TRUE(option) << c.line;
        const bool suits = OptionValueProblem(*option, c.value).empty();
        EXPECT_EQ(suits ? SetOptionCommand(*option, c.value) : "refused",
                  c.command ? std::string("setoption name ") + c.command : "refused");
    }
    const std::vector<EngineOption> options{*ParseOption(cases[0].line)};
    EXPECT_EQ(FindOption(options, "SKILL level"), &options[0]);
    for (const char* nonsense :
         {"name Hash type spin default 99 min 1 max 16", "name Hash type spin default 1",
          "name Speed type dial", "type check default true", "name X type check colour red"})
        EXPECT_FALSE(ParseOption(nonsense)) << nonsense;
}

// A line of play is legal as far as its first move that breaks a rule or leaves the mover's
// king in check (the captures it makes are checked where the line is written out).
TEST(EngineProtocol, ChecksTheMovesAnEngineNames) {
    const CheckedLine line = CheckEngineLine(Position(), {"7g7f", "3c3d", "P*5e", "8h2b"});
    EXPECT_EQ(line.moves.size(), 2u);
    EXPECT_EQ(line.illegalWord, "P*5e");
    // White's rook on 5e pins Black's gold on 5h to the king on 5i.
    const Position pinned = ReadSfen("4k4/9/9/9/4r4/9/9/4G4/4K4 b - 1").position;
    EXPECT_FALSE(LegalEngineMove(pinned, "5h4g"));
    EXPECT_TRUE(LegalEngineMove(pinned, "5h5g"));
    EXPECT_FALSE(LegalEngineMove(Position(), "7g7f+"));
}

}  // namespace
