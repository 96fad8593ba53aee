#pragma once

#include <cstdint>

// Number of heap allocations made through operator new so far, on any thread, for showing that
// a code path allocates nothing. Linking AllocationCounter.cpp replaces the global operator new
// of the program to count them.
uint64_t allocationCount();
