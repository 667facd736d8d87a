#pragma once

#include <random>
#include <string>
#include <vector>

#include "bench/recordgen.h"
#include "document/zelkandoc.h"

// Random walks and edits through the document, as a user might make them.

// Walks a few random steps through the tree.
inline void Wander(CZelkanDoc& doc, std::mt19937& random) {
    for (int walk = random() % 4; walk > 0; --walk) {
        const int children = doc.Record().Current().ChildCount();
        if (random() % 3 == 0 || children == 0) {
            doc.GoBackward();
        } else {
            doc.SelectVariation(static_cast<int>(random() % children));
            doc.GoForward();
        }
    }
}

// One random edit where the user stands, which may be refused.
inline void Edit(CZelkanDoc& doc, std::mt19937& random, int step) {
    const std::string text = "note " + std::to_string(step);
    Move move;
    switch (random() % 9) {
        case 0:
        case 1:
            if (RandomLegalMove(doc.Record().GetPosition(), random, move)) doc.AddMove(move);
            return;
        case 2: {
            std::vector<Move> line;
            Position position = doc.Record().GetPosition();
            while (line.size() < 3 && RandomLegalMove(position, random, move)) {
                line.push_back(move);
                Play(position, move);
            }
            doc.AddVariation(line);
            return;
        }
        case 3:
            doc.SelectVariation(doc.Record().Current().ChildCount() > 1 ? 1 : 0);
            doc.DeleteVariation();
            return;
        case 4:
            doc.DeleteMovesAfter();
            return;
        case 5:
        case 6:
            // From a variation, where there is one.
            if (doc.GoBackward()) {
                doc.SelectVariation(
                    static_cast<int>(random() % doc.Record().Current().ChildCount()));
                doc.GoForward();
            }
            if (random() % 3 == 0)
                doc.PromoteVariation();
            else if (random() % 2)
                doc.MoveVariationUp() || doc.MoveVariationDown();
            else
                doc.MoveVariationDown() || doc.MoveVariationUp();
            return;
        case 7: {
            // Typed in two goes, then the field is left: one step.
            const auto set = random() % 2 ? &CZelkanDoc::SetGameTitle : &CZelkanDoc::SetComment;
            (doc.*set)(text.substr(0, 3));
            (doc.*set)(text);
            doc.EndTextEdit();
            return;
        }
        default:
            doc.AppendToComment(text);
    }
}
