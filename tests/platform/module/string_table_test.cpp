#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/module/resource.h"
#include "platform/module/string_table.h"

namespace {

TEST(StringTable, SixteenStringsABlockNumberedFromOne) {
    const StringTableEntry entries[] = {{211, u"Analog Output %1"}, {209, u"Tarvel"}, {240, u"x"}};
    const auto blocks = BuildStringTableBlocks(entries);
    ASSERT_EQ(blocks.size(), 2u);
    ASSERT_TRUE(blocks.count(14));  // 208..223
    ASSERT_TRUE(blocks.count(16));  // 240..255

    const std::vector<char16_t>& block = blocks.at(14);
    // Entries 0 to 15 in turn: 208 and 210 empty, 209 "Tarvel", 211 its text, then 12 empties.
    std::vector<char16_t> expected = {0, 6, u'T', u'a', u'r', u'v', u'e', u'l', 0, 16};
    for (char16_t c : std::u16string_view(u"Analog Output %1"))
        expected.push_back(c);
    expected.insert(expected.end(), 12, 0);
    EXPECT_EQ(block, expected);

    EXPECT_EQ(blocks.at(16).size(), 16u + 1);  // "x" first, fifteen empties
}

TEST(StringTable, RefusesIdsThatCannotBeStored) {
    const StringTableEntry tooHigh[] = {{65536, u"x"}};
    EXPECT_THROW(BuildStringTableBlocks(tooHigh), std::invalid_argument);
    const StringTableEntry repeated[] = {{5, u"x"}, {5, u"y"}};
    EXPECT_THROW(BuildStringTableBlocks(repeated), std::invalid_argument);
    const StringTableEntry missing[] = {{5, nullptr}};
    EXPECT_THROW(BuildStringTableBlocks(missing), std::invalid_argument);
    const StringTableEntry highest[] = {{65535, u"last"}};
    EXPECT_EQ(BuildStringTableBlocks(highest).begin()->first, 4096);
}

}  // namespace
