#pragma once

// Marks a function that is compiled once per instruction set named, the best one chosen when
// the program loads (GCC on x86-64). Builds configured with CORVIFIR_MULTIVERSION off leave it
// out: the load-time choosers run before a sanitizer's runtime is ready and crash it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) &&                             \
    !defined(CORVIFIR_NO_MULTIVERSION)
#define CORVIFIR_TARGET_CLONES(...) __attribute__((target_clones(__VA_ARGS__)))
#else
#define CORVIFIR_TARGET_CLONES(...)
#endif
