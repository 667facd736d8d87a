#include "format/text/bufferpages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <system_error>

namespace {

// Below this, the thread costs more than it saves.
constexpr std::size_t MinimumSize = 16 << 20;

}  // namespace

FarHalfReady::FarHalfReady(char* buffer, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
    if (size < MinimumSize) return;
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto middle = reinterpret_cast<std::uintptr_t>(buffer + size / 2);
    const std::uintptr_t first = (middle + page - 1) / page * page;
    const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(buffer + size) / page * page;
    if (last <= first) return;
    // Failing (an older system, no thread to be had) only leaves the pages to be mapped as they
    // are filled.
    try {
        helper_ = std::thread([first, last] {
            (void)::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
        });
    } catch (const std::system_error&) {
    }
#else
    (void)buffer;
    (void)size;
#endif
}

FarHalfReady::~FarHalfReady() {
    if (helper_.joinable()) helper_.join();
}
