// Counts heap allocations, to check promises such as "a copy allocates nothing" by counting
// rather than timing. Link allocation_counter.cpp into a test executable of its own (it
// replaces the global operator new and delete of the whole program):
//   tarvel_add_test(x SOURCES x_test.cpp LIBS tarvel_allocation_counter ...)
//
//   AllocationCount count;
//   String copy(original);
//   EXPECT_EQ(count.Allocations(), 0);
#pragma once

#include <cstdint>

namespace allocation_counter {
// Allocations made through operator new since the program started.
std::uint64_t Total();
}  // namespace allocation_counter

// Allocations made since this object was created.
class AllocationCount {
public:
    AllocationCount() : start_(allocation_counter::Total()) {}
    std::uint64_t Allocations() const { return allocation_counter::Total() - start_; }

private:
    std::uint64_t start_;
};
