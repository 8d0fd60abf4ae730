// The Ostrel document file: written and read back byte for byte, and refused with a reason
// when it is damaged.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "host/session/document_file.h"

namespace {

using session::DocumentFileError;
using session::ExtensionStream;

constexpr CLSID kTarvel = MakeGuid("{17437D32-56E9-4027-B3C8-FC0FC43EC033}");
constexpr CLSID kOther = MakeGuid("{00000001-0002-0003-0405-060708090A0B}");

std::string Written(const std::vector<ExtensionStream>& streams) {
    std::ostringstream out;
    session::WriteDocumentFile(out, streams);
    return out.str();
}

std::vector<ExtensionStream> Read(const std::string& bytes) {
    std::istringstream in(bytes);
    return session::ReadDocumentFile(in);
}

TEST(DocumentFile, IsAHeaderLineAndCountedStreams) {
    const std::vector<ExtensionStream> streams = {
        {kTarvel, {0xAA, 0xAA, 0x14, 0x55, '\n', 0x00}},
        {kOther, {}},
    };
    const std::string bytes = Written(streams);
    EXPECT_EQ(bytes, std::string("OSTRELDOC 1\n{17437D32-56E9-4027-B3C8-FC0FC43EC033} 6\n"
                                 "\xAA\xAA\x14\x55\n\0",
                                 59) +
                         "{00000001-0002-0003-0405-060708090A0B} 0\n");
    const auto read = Read(bytes);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].classId, kTarvel);
    EXPECT_EQ(read[0].bytes, streams[0].bytes);
    EXPECT_EQ(read[1].classId, kOther);
    EXPECT_TRUE(read[1].bytes.empty());
    EXPECT_TRUE(Read("OSTRELDOC 1\n").empty());
}

TEST(DocumentFile, RefusesWhatIsNotOne) {
    const std::string line = "{17437D32-56E9-4027-B3C8-FC0FC43EC033} ";
    for (const std::string& damaged : {
             std::string(""),
             std::string("OSTRELDOC 2\n"),
             std::string("OSTRELDOC 1"),                 // no line feed
             std::string("OSTRELDOC 1\n") + line + "3",  // stream line cut short
             std::string("OSTRELDOC 1\n") + line + "3\nab",
             std::string("OSTRELDOC 1\n") + line + "x\nabc",
             std::string("OSTRELDOC 1\n") + line + "-3\nabc",
             std::string("OSTRELDOC 1\n") + line + "3 \nabc",
             std::string("OSTRELDOC 1\n") + line + "99999999999999999999\n",
             std::string("OSTRELDOC 1\n") + line + "999999999\nabc",  // beyond any stream
             std::string("OSTRELDOC 1\n17437D32-56E9-4027-B3C8-FC0FC43EC033 0\n"),
             std::string("OSTRELDOC 1\n{17437D32-56E9-4027-B3C8-FC0FC43EC03} 0\n"),
         }) {
        EXPECT_THROW(Read(damaged), DocumentFileError) << damaged;
    }
}

TEST(DocumentFile, BlankLinesAfterTheLastStreamAreAccepted) {
    const std::string document = "OSTRELDOC 1\n{17437D32-56E9-4027-B3C8-FC0FC43EC033} 3\nabc";
    for (const char* tail : {"\n", "\n\n\n", "\r\n", "\r\n\r\n\n"}) {
        const auto read = Read(document + tail);
        ASSERT_EQ(read.size(), 1u) << tail;
        EXPECT_EQ(read[0].bytes, (std::vector<BYTE>{'a', 'b', 'c'}));
    }
    EXPECT_TRUE(Read("OSTRELDOC 1\n\n").empty());
}

TEST(DocumentFile, RefusalsSayWhichStreamAndWhy) {
    const std::string tarvel = "{17437D32-56E9-4027-B3C8-FC0FC43EC033}";
    const struct {
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"OSTRELDOC 1\n" + tarvel + " 10\nabc", "stream 1: 10 bytes announced, 3 found"},
        {"OSTRELDOC 1\n" + tarvel + " 1\na" + tarvel + " 1\nb",
         "stream 2: a second stream for " + tarvel + "; a document holds one stream per extension"},
        {"OSTRELDOC 1\n" + tarvel + " 1\na\n" + tarvel + " 1\nb",
         "stream 2: expected \"{CLSID} <byte count>\", found a blank line"},
        {"OSTRELDOC 1\n" + tarvel + "\nabc",
         "stream 1: expected \"{CLSID} <byte count>\", found \"" + tarvel + "\""},
        {"OSTRELDOC 1\n" + tarvel + " \n", "stream 1: \"\" is not a byte count"},
        {"OSTRELDOC 1\n" + tarvel + " 1\na" + tarvel + " 1",
         "stream 2: the line \"{CLSID} <byte count>\" is cut short"},
        // Binary bytes where a stream line belongs are not taken for a line cut short.
        {"OSTRELDOC 1\n" + std::string(4000, '\x01'),
         "stream 1: expected \"{CLSID} <byte count>\", found a line of more than 128 "
         "characters"},
    };
    for (const auto& c : cases) {
        try {
            Read(c.bytes);
            ADD_FAILURE() << "read: " << c.bytes;
        } catch (const DocumentFileError& error) {
            EXPECT_EQ(std::string(error.what()), c.reason);
        }
    }
}

// The host's part is a stream of the host's own class; a file without one is what an older
// host wrote, and a later host's keys are passed over.
TEST(DocumentFile, TheHostsPartHoldsTheDeviceTheDocumentWasMadeOn) {
    constexpr CLSID kHost = session::kHostPartClassId;
    const auto bytes = [](const std::string& text) {
        return std::vector<BYTE>(text.begin(), text.end());
    };
    const std::string where = "the host's part ({7913F195-6EAD-4C4F-82B1-D93D05DF4E3E}): ";
    const struct {
        std::vector<ExtensionStream> streams;
        std::optional<std::string> device;  // what reads
        std::string refusal;                // or why it does not
    } cases[] = {
        {{{kTarvel, {'a'}}}, std::nullopt, ""},
        {{{kHost, bytes("device: inputs=1, range=5 mV\n")}, {kTarvel, {'a'}}},
         "inputs=1, range=5 mV",
         ""},
        {{{kHost, bytes("later: x\ndevice: \n")}}, "", ""},
        {{{kHost, bytes("later: x\n")}}, std::nullopt, ""},
        {{{kHost, bytes("")}}, std::nullopt, ""},
        {{{kHost, bytes("device: inputs=1")}},
         std::nullopt,
         where + "the last line does not end in a line feed"},
        {{{kHost, bytes("device: a\ndevice: b\n")}},
         std::nullopt,
         where + "line 2: a second device"},
        {{{kHost, bytes("\n")}},
         std::nullopt,
         where + "line 1: expected \"KEY: VALUE\", found \"\""},
        {{{kHost, bytes("device=inputs=1\n")}},
         std::nullopt,
         where + "line 1: expected \"KEY: VALUE\", found \"device=inputs=1\""},
        {{{kHost, {'d', ':', ' ', 0, '\n'}}},
         std::nullopt,
         where + "a NUL byte where text belongs"},
    };
    for (const auto& c : cases) {
        const std::string file = Written(c.streams);
        try {
            const session::DocumentContents contents = session::ContentsOf(Read(file));
            EXPECT_EQ(c.refusal, "") << file;
            EXPECT_EQ(contents.Host.Device, c.device) << file;
            EXPECT_EQ(contents.Streams.size(), c.streams.size() - (c.streams[0].classId == kHost));
            // Written back, a part that holds a device comes first and reads the same.
            const auto again = session::StreamsOf(contents);
            EXPECT_EQ(!again.empty() && again.front().classId == kHost, c.device.has_value());
            EXPECT_EQ(session::ContentsOf(again).Host, contents.Host);
        } catch (const DocumentFileError& error) {
            EXPECT_EQ(error.what(), c.refusal) << file;
        }
    }
}

TEST(DocumentFile, AFileThatCannotBeWrittenIsNamedWithTheReason) {
    const std::vector<ExtensionStream> streams = {{kTarvel, {'a', 'b'}}};
    for (const char* path : {"/nonexistent/doc.ostrel", "/dev/full"}) {
        try {
            session::SaveDocumentFile(path, {{}, streams});
            ADD_FAILURE() << path;
        } catch (const DocumentFileError& error) {
            EXPECT_EQ(
                std::string(error.what()).rfind(std::string("cannot write ") + path + ": ", 0), 0u)
                << error.what();
        }
    }
}

TEST(DocumentFile, AFileThatCannotBeReadIsNamedWithTheReason) {
    for (const char* path : {"/nonexistent/doc.ostrel", "/dev/zero"}) {
        try {
            session::LoadDocumentFile(path);
            ADD_FAILURE() << path;
        } catch (const DocumentFileError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(std::string("cannot read ") + path + ": ", 0),
                      0u)
                << error.what();
        }
    }
}

TEST(DocumentFile, ReasonNamesTheStreamAndTheShortfall) {
    try {
        Read("OSTRELDOC 1\n{17437D32-56E9-4027-B3C8-FC0FC43EC033} 10\nabc");
        FAIL();
    } catch (const DocumentFileError& error) {
        EXPECT_STREQ(error.what(), "stream 1: 10 bytes announced, 3 found");
    }
}

}  // namespace
