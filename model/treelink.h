#pragma once

// A link down the record's tree: a node's continuation list, a cell's node and the next cell.
// It owns nothing (the record allocates every node and cell), and it passes constness on, so
// walking down from a const node reaches only const continuations.
template <class T>
class TreeLink {
  public:
    constexpr TreeLink() = default;
    constexpr TreeLink(T* target) : target_(target) {}

    T* get() { return target_; }
    const T* get() const { return target_; }
    T* operator->() { return target_; }
    const T* operator->() const { return target_; }
    T& operator*() { return *target_; }
    const T& operator*() const { return *target_; }
    explicit operator bool() const { return target_ != nullptr; }

  private:
    T* target_ = nullptr;
};
