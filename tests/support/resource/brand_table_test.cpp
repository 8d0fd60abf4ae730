#include <gtest/gtest.h>

#include "extension/branding/brand_table.h"

namespace {

using VavazaZavidi::BrandTable;

TEST(BrandTable, SixRowsInOrderLongTokenFirst) {
    BrandTable table = {{Tev::String(u"stale"), Tev::String(u"row")}};
    VavazaZavidi::BuildBrandTable(nullptr, table);
    ASSERT_EQ(table.size(), 6u);  // cleared before filling
    const char16_t* expected[][2] = {
        {u"VARNISFORWINDOWS", u"Ostrel"},
        {u"VARNIS", u"Ostrel"},
        {u"CORVEX", u"Corvex"},
        {u"Tev", u"Quorvane"},
        {u"OEM", u"Quorvane"},
        {u"QUORVANE", u"Quorvane"},
    };
    for (std::size_t row = 0; row < 6; ++row) {
        EXPECT_EQ(table[row].find, expected[row][0]) << row;
        EXPECT_EQ(table[row].replacement, expected[row][1]) << row;
    }
}

TEST(BrandTable, BuiltOncePerProcess) {
    const BrandTable& first = VavazaZavidi::GetBrandTable(nullptr);
    const BrandTable& second = VavazaZavidi::GetBrandTable(reinterpret_cast<HMODULE>(0x1000));
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(first.size(), 6u);
}

}  // namespace
