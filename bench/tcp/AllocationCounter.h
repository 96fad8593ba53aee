#pragma once

// Heap allocations made so far by the whole process, counted by a replacement global
// operator new (AllocationCounter.cpp), for showing that a code path allocates nothing.
long long heapAllocationCount();
