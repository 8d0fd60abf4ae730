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
// Makes the allocation numbered `number` (as Total() counts them) fail as an exhausted heap
// does: the throwing forms raise std::bad_alloc, the nothrow forms give null. Only that one
// fails; 0 fails none.
void FailAllocationNumber(std::uint64_t number);
// Whether the allocation last set to fail has been attempted and failed.
bool FailureHappened();
}  // namespace allocation_counter

// Allocations made since this object was created.
class AllocationCount {
public:
    AllocationCount() : start_(allocation_counter::Total()) {}
    std::uint64_t Allocations() const { return allocation_counter::Total() - start_; }

private:
    std::uint64_t start_;
};

// While it lives, the `nth` allocation after its creation (1: the next one) fails.
//   for (std::uint64_t n = 1;; ++n) {
//       AllocationFailure failure(n);
//       ... the operation ...
//       if (!failure.Happened()) break;  // it needed fewer than n allocations
//   }
class AllocationFailure {
public:
    explicit AllocationFailure(std::uint64_t nth) {
        allocation_counter::FailAllocationNumber(allocation_counter::Total() + nth);
    }
    ~AllocationFailure() { allocation_counter::FailAllocationNumber(0); }
    AllocationFailure(const AllocationFailure&) = delete;
    AllocationFailure& operator=(const AllocationFailure&) = delete;

    bool Happened() const { return allocation_counter::FailureHappened(); }
};
