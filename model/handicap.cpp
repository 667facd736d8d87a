#include "model/handicap.h"

#include <vector>

namespace {

// White's back-rank and second-rank squares, by file index (file 1 is index 0).
constexpr Square Rank1(int fileDigit) {
    return Square(0, fileDigit - 1);
}
constexpr Square Rank2(int fileDigit) {
    return Square(1, fileDigit - 1);
}

const Square LeftLance = Rank1(1);
const Square RightLance = Rank1(9);
const Square LeftKnight = Rank1(2);
const Square RightKnight = Rank1(8);
const Square LeftSilver = Rank1(3);
const Square RightSilver = Rank1(7);
const Square LeftGold = Rank1(4);
const Square RightGold = Rank1(6);
const Square WhiteBishop = Rank2(2);
const Square WhiteRook = Rank2(8);

std::vector<Square> RemovedSquares(Handicap handicap) {
    switch (handicap) {
        case Handicap::Even:
            return {};
        case Handicap::Lance:
            return {LeftLance};
        case Handicap::RightLance:
            return {RightLance};
        case Handicap::Bishop:
            return {WhiteBishop};
        case Handicap::Rook:
            return {WhiteRook};
        case Handicap::RookAndLance:
            return {WhiteRook, LeftLance};
        case Handicap::TwoPieces:
            return {WhiteRook, WhiteBishop};
        case Handicap::ThreePieces:
            return {WhiteRook, WhiteBishop, LeftLance};
        case Handicap::FourPieces:
            return {WhiteRook, WhiteBishop, LeftLance, RightLance};
        case Handicap::FivePieces:
            return {WhiteRook, WhiteBishop, LeftLance, RightLance, RightKnight};
        case Handicap::LeftFivePieces:
            return {WhiteRook, WhiteBishop, LeftLance, RightLance, LeftKnight};
        case Handicap::SixPieces:
            return {WhiteRook, WhiteBishop, LeftLance, RightLance, LeftKnight, RightKnight};
        case Handicap::LeftSevenPieces:
            return {WhiteRook,  WhiteBishop, LeftLance, RightLance,
                    LeftKnight, RightKnight, LeftSilver};
        case Handicap::RightSevenPieces:
            return {WhiteRook,  WhiteBishop, LeftLance,  RightLance,
                    LeftKnight, RightKnight, RightSilver};
        case Handicap::EightPieces:
            return {WhiteRook,  WhiteBishop, LeftLance,  RightLance,
                    LeftKnight, RightKnight, LeftSilver, RightSilver};
        case Handicap::TenPieces:
            return {WhiteRook,   WhiteBishop, LeftLance,   RightLance, LeftKnight,
                    RightKnight, LeftSilver,  RightSilver, LeftGold,   RightGold};
    }
    return {};
}

}  // namespace

Position HandicapPosition(Handicap handicap) {
    Position pos;
    for (const Square sq : RemovedSquares(handicap))
        pos.Cell(sq) = 0;
    if (handicap != Handicap::Even) pos.sideToMove = White;
    return pos;
}

std::optional<Handicap> MatchHandicap(const Position& pos) {
    for (int i = 0; i < HandicapCount; ++i) {
        const auto handicap = static_cast<Handicap>(i);
        if (HandicapPosition(handicap) == pos) return handicap;
    }
    return std::nullopt;
}
