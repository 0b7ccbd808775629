// What every fuzzer of the module shares: a fresh panel host per input, with
// the module's sound switch back on as if it had just been loaded.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "host/core/host.h"
#include "module/sound/sound.h"

namespace fuzz {

struct FreshHost {
    korvel::host::Host host;
    FreshHost() { sound_enabled = 1; }
};

// A broken promise of the module, reported like a sanitizer finding so that
// libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

}  // namespace fuzz
