#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

// Objects of one type handed out from large blocks instead of one heap allocation each. A freed
// object goes on a free list and is handed out again; Clear gives back every block at once, so
// dropping a million objects is a few frees. Clear runs no destructors: T must not need one.
template <class T>
class BlockPool {
    static_assert(std::is_trivially_destructible_v<T>);

  public:
    BlockPool() = default;
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;

    // A value-initialised object.
    T* New() {
        Slot* slot = freeList_;
        if (slot)
            freeList_ = slot->nextFree;
        else
            slot = FreshSlot();
        return ::new (static_cast<void*>(&slot->object)) T();
    }

    // Takes back an object that New handed out and that nothing uses any more.
    void Delete(T* object) {
        Slot* slot = reinterpret_cast<Slot*>(object);
        slot->nextFree = freeList_;
        freeList_ = slot;
    }

    void Clear() {
        blocks_.clear();
        freeList_ = nullptr;
        used_ = 0;
        capacity_ = 0;
    }

  private:
    // A slot holds an object while it is handed out and a free-list link while it is not.
    union Slot {
        Slot* nextFree;
        T object;
        Slot() {}  // leaves the memory as it is: New constructs the object
    };

    // Blocks grow from a few objects, for the many small records, to a megabyte or so, for the
    // few large ones.
    static constexpr std::size_t FirstBlockLength = 32;
    static constexpr std::size_t LargestBlockLength = (std::size_t{1} << 20) / sizeof(Slot);

    static std::size_t BlockLength(std::size_t index) {
        std::size_t length = FirstBlockLength;
        for (std::size_t i = 0; i < index && length < LargestBlockLength; ++i)
            length *= 2;
        return length < LargestBlockLength ? length : LargestBlockLength;
    }

    Slot* FreshSlot() {
        if (used_ == capacity_) {
            capacity_ = BlockLength(blocks_.size());
            blocks_.push_back(std::make_unique_for_overwrite<Slot[]>(capacity_));
            used_ = 0;
        }
        return &blocks_.back()[used_++];
    }

    std::vector<std::unique_ptr<Slot[]>> blocks_;
    Slot* freeList_ = nullptr;
    std::size_t used_ = 0;      // slots handed out from the last block
    std::size_t capacity_ = 0;  // slots of the last block
};
