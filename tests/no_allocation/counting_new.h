// Counts the allocations the whole process makes through operator new while counting is on. The
// global operator new and delete are replaced for this, so only the executable that links
// counting_new.cpp counts.
#pragma once

#include <cstddef>

namespace volley::testing {

void StartCountingAllocations();
// Returns whether counting was on.
bool StopCountingAllocations();
// Allocations made while counting was on, since the program started.
long CountedAllocations();
// The size asked for by the first allocation counted, 0 while there is none.
size_t FirstCountedSize();

}  // namespace volley::testing
