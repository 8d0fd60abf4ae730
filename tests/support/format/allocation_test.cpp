// The stream buffers' hand-over promise, checked by counting heap allocations.
#include <gtest/gtest.h>

#include "support/format/format_stream.h"
#include "tests/helpers/allocation_counter.h"

namespace {

using Tev::String;

TEST(StringStreamAllocations, StrHandsOverTheBufferWithoutCopying) {
    Tev::OStringStream out;
    out << L"some text written into the stream";
    const AllocationCount count;
    const String first = out.str();
    const String second = out.str();
    EXPECT_EQ(count.Allocations(), 0u);
    EXPECT_EQ(first.Text(), second.Text());
}

TEST(StringStreamAllocations, FormatterResultIsHandedOverWithoutCopying) {
    Tev::OFormatStringStream out(String(u"Analog Output %1"));
    out << 1;
    const AllocationCount count;
    const String result = out.str();
    EXPECT_EQ(count.Allocations(), 0u);
    EXPECT_EQ(result, u"Analog Output 1");
}

TEST(StringStreamAllocations, FormatIsSharedNotCopied) {
    const String format(u"Level (%1) with a format long enough to notice a copy");
    const AllocationCount formatter;
    Tev::OFormatStringStream out(format);
    const auto formatterAllocations = formatter.Allocations();
    const AllocationCount plain;
    Tev::OStringStream reference;
    // The formatter costs what its inner stream costs, and nothing for the format.
    EXPECT_EQ(formatterAllocations, plain.Allocations());
}

}  // namespace
