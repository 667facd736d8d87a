#pragma once

#include <vector>

#include "engine/engineinfo.h"

// The best lines of a search as its info lines come in: for each line number (multipv), the
// latest info with a score, one with an exact score outliving the bounds that follow it, since
// a bound is only a step of the search on the way to the next exact score.
class SearchLines {
  public:
    void Clear() { lines_.clear(); }
    void Add(const EngineInfo& info);
    // The lines by number, the best first; a number the engine has not reported is missing.
    std::vector<EngineInfo> Lines() const;

  private:
    std::vector<EngineInfo> lines_;  // index multipv - 1; empty entries have no score
};
