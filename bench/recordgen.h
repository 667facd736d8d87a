#pragma once

#include <cstdint>
#include <random>

#include "model/gamerecord.h"

// Records made by random legal play with a fixed seed, so every run measures the same input.
// Play leans toward captures, drops and promotions so that every kind of move text occurs.

// A single line of `moves` moves from the start (fewer only if a side runs out of moves).
void BuildMainLine(GameRecord& record, int moves, std::uint32_t seed);

// About `nodes` moves with variations branching from every level, variations inside
// variations, and a comment on roughly one node in eight.
void BuildBushyTree(GameRecord& record, int nodes, std::uint32_t seed);

// `levels` variations each opened inside the previous one: every node on the way has a short
// main line and one variation that carries on, so the record file nests `levels` deep.
void BuildNestedVariations(GameRecord& record, int levels, std::uint32_t seed);

// Gives every move of the tree a time of 1 to 600 seconds, the same ones every run.
void TimeEveryMove(GameRecord& record);

// A legal move for the side to move, or false when none was found.
bool RandomLegalMove(const Position& position, std::mt19937& rng, Move& move);
