#include "engine/searchlines.h"

void SearchLines::Add(const EngineInfo& info) {
    if (!info.score) return;
    const std::size_t index = static_cast<std::size_t>(info.multiPv - 1);
    // An engine may number its lines up to its option's maximum; keep no more than that.
    if (index >= 1000) return;
    if (lines_.size() <= index) lines_.resize(index + 1);
    const std::optional<EngineScore>& held = lines_[index].score;
    const bool heldExact = held && held->bound == EngineScore::Bound::Exact;
    if (heldExact && info.score->bound != EngineScore::Bound::Exact) return;
    lines_[index] = info;
}

std::vector<EngineInfo> SearchLines::Lines() const {
    std::vector<EngineInfo> lines;
    for (const EngineInfo& info : lines_)
        if (info.score) lines.push_back(info);
    return lines;
}
