#pragma once

#include <cstddef>
#include <thread>

// Making fresh pages of memory ready costs the system more than filling them, so for a large
// buffer about to be filled from its start, a second thread makes the far half of its pages
// ready while the caller fills the near half. Nothing is written: the pages are only mapped,
// and where the system cannot do that ahead, they are mapped as they are filled, as they would
// be anyway. The thread ends before the object does.
class FarHalfReady {
  public:
    // `size`: the bytes from `buffer` on that the caller means to fill, within its allocation.
    FarHalfReady(char* buffer, std::size_t size);
    FarHalfReady(const FarHalfReady&) = delete;
    FarHalfReady& operator=(const FarHalfReady&) = delete;
    ~FarHalfReady();

  private:
    std::thread helper_;
};
