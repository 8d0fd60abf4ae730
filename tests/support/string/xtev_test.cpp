#include <gtest/gtest.h>

#include "support/string/xmsg.h"
#include "support/string/xtev.h"

namespace {

TEST(XTev, CarriesCodeAndMessageAndIsAStandardException) {
    try {
        throw XTev(kXTevGeneral, Tev::String(u"Failed to close theme data. \u00E9"));
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "Failed to close theme data. \xC3\xA9");
        const auto* xtev = dynamic_cast<const XTev*>(&error);
        ASSERT_NE(xtev, nullptr);
        EXPECT_EQ(xtev->Code(), 0xA0048210u);
        EXPECT_EQ(xtev->Message(), u"Failed to close theme data. \u00E9");
    }
}

TEST(XTev, MessageIsSharedNotCopied) {
    const Tev::String message(u"Malformed stream");
    const XTev error(kXTevMalformedStream, message);
    EXPECT_EQ(error.Message().Text(), message.Text());
    EXPECT_EQ(error.Code(), 0xA0048203u);
    const XTev copy(error);
    EXPECT_STREQ(copy.what(), "Malformed stream");
}

}  // namespace
