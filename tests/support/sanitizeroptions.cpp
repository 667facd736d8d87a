// Options the sanitizers read at start-up, compiled into every test program so that they hold
// however the program is started, by CTest or by hand.

extern "C" {

// An allocation too large for memory fails as it does without the sanitizer, with a null from
// malloc, so that the tests see what users see.
const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

// Allocations the system libraries keep for the life of the process are not leaks of ours.
const char* __lsan_default_options() {
    return "suppressions=" MARLOCK_LSAN_SUPPRESSIONS;
}
}
