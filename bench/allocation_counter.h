// Counts heap allocations in the benchmark program: natively every
// operator new, malloc, calloc and realloc of the process; in the Windows
// build the program's own operator new plus the module DLL's malloc, calloc
// and realloc, which the platform recorders count through its imports.
#pragma once

#include <cstdint>

namespace bench {

std::uint64_t allocations();

}  // namespace bench
