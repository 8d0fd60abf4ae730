#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "config/text_reader.h"

namespace VavazaZavidi {
namespace {

std::string Rest(std::istream& in) {
    std::string rest;
    std::getline(in, rest, '\0');
    return rest;
}

std::string KeyError(const std::string& text, const char* key) {
    std::istringstream in(text);
    try {
        SwallowKey(in, key);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

TEST(SwallowKey, ConsumesKeyEqualsAndTheWhiteSpaceAround) {
    std::istringstream in(" \r\n\tOutput \t=\v\f 12\n");
    SwallowKey(in, "Output");
    EXPECT_EQ(Rest(in), "12\n");
}

TEST(SwallowKey, RefusesAnythingButTheExactKeyAndASeparateEquals) {
    const std::string message = "Vavaza Zavidi: Parse error in swallow key.";
    EXPECT_EQ(KeyError("Version=1", "Version"), message);
    EXPECT_EQ(KeyError("Version =1", "Version"), message);
    EXPECT_EQ(KeyError("version = 1", "Version"), message);
    EXPECT_EQ(KeyError("Versions = 1", "Version"), message);
    EXPECT_EQ(KeyError("Versio = 1", "Version"), message);
    EXPECT_EQ(KeyError("Version == 1", "Version"), message);
    EXPECT_EQ(KeyError("Version", "Version"), message);
    EXPECT_EQ(KeyError("", "Version"), message);
    EXPECT_EQ(KeyError("Version = 1", "Version"), "");
}

TEST(SwallowKey, AFailedStreamReadsNoWord) {
    std::istringstream in("x Input = 3");
    int number = 0;
    in >> number;
    ASSERT_TRUE(in.fail());
    EXPECT_THROW(SwallowKey(in, "Input"), std::runtime_error);
}

TEST(SwallowLabel, ConsumesTheMarkerAndTheWhiteSpaceAfter) {
    std::istringstream in("  BeginOnlineEvent \r\n Version");
    SwallowLabel(in, "BeginOnlineEvent");
    EXPECT_EQ(Rest(in), "Version");

    std::istringstream wrong("BeginOnlineEventRule");
    try {
        SwallowLabel(wrong, "BeginOnlineEvent");
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Vavaza Zavidi: Parse error in swallow label.");
    }
    std::istringstream empty("");
    EXPECT_THROW(SwallowLabel(empty, "EndOnlineEvent"), std::runtime_error);
}

}  // namespace
}  // namespace VavazaZavidi
