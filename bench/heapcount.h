#pragma once

#include <cstdint>

// The heap the program holds through operator new right now: the usable size of every live
// block plus the allocator's own word in front of it. The benchmark program replaces the global
// operator new and delete to keep this count, so the bytes a record's tree takes can be
// measured as the difference before and after building it.
std::int64_t LiveHeapBytes();
