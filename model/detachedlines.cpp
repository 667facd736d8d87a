#include "model/detachedlines.h"

#include <utility>

#include "model/gamerecord.h"

DetachedLines::DetachedLines(DetachedLines&& other) noexcept
    : record_(std::exchange(other.record_, nullptr)),
      from_(std::exchange(other.from_, nullptr)),
      first_(std::exchange(other.first_, nullptr)),
      last_(std::exchange(other.last_, nullptr)),
      count_(std::exchange(other.count_, 0)),
      generation_(other.generation_) {}

DetachedLines& DetachedLines::operator=(DetachedLines&& other) noexcept {
    if (this != &other) {
        Release();
        record_ = std::exchange(other.record_, nullptr);
        from_ = std::exchange(other.from_, nullptr);
        first_ = std::exchange(other.first_, nullptr);
        last_ = std::exchange(other.last_, nullptr);
        count_ = std::exchange(other.count_, 0);
        generation_ = other.generation_;
    }
    return *this;
}

DetachedLines::~DetachedLines() {
    Release();
}

void DetachedLines::Release() {
    if (record_ != nullptr && first_ != nullptr) record_->FreeDetached(*this);
    record_ = nullptr;
    from_ = nullptr;
    first_ = last_ = nullptr;
    count_ = 0;
}
