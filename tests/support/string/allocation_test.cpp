// The performance promises of Tev::String, checked by counting heap allocations.
#include <gtest/gtest.h>

#include "support/string/tev_string.h"
#include "tests/helpers/allocation_counter.h"

namespace {

using Tev::String;

TEST(TevStringAllocations, CopiesAndAssignmentsAllocateNothingAndCopyNoText) {
    const String original(u"a text that is long enough to notice a copy");
    String target(u"old");
    String empty;
    const AllocationCount count;
    String copy(original);
    target = original;
    const String& alias = target;
    target = alias;
    String moved(std::move(copy));
    empty = moved;
    String defaulted;
    EXPECT_EQ(count.Allocations(), 0u);
    EXPECT_EQ(target.Text(), original.Text());
    EXPECT_EQ(moved.Text(), original.Text());
    EXPECT_EQ(empty.Text(), original.Text());
}

TEST(TevStringAllocations, KindNineHostStringIsAdoptedWithoutCopying) {
    String hostString(u"a host string that must not be copied");
    ITevString* object = hostString.Interface();
    object->AddRef();  // the reference a host call delivers
    String received;
    const AllocationCount count;
    received.Attach(object);
    EXPECT_EQ(count.Allocations(), 0u);
    EXPECT_EQ(received.Text(), hostString.Text());
}

TEST(TevStringAllocations, AppendToEmptyMakesOneRepresentation) {
    String text;
    const AllocationCount count;
    text.Append(u"x");
    EXPECT_EQ(count.Allocations(), 1u);
    text.Append(u"yz");  // room enough: in place
    EXPECT_EQ(count.Allocations(), 1u);
}

TEST(TevStringAllocations, NarrowTextIsConvertedOnceUntilAChange) {
    String text(u"narrow");
    const AllocationCount count;
    text.Narrow();
    text.Narrow();
    EXPECT_EQ(count.Allocations(), 1u);
    String().Narrow();  // the empty text needs no conversion
    EXPECT_EQ(count.Allocations(), 1u);
}

}  // namespace
