#include "host/session/document_file.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <string>

#include "host/files/file_state.h"
#include "host/files/output_file.h"
#include "host/files/read_file.h"

namespace session {

namespace {

// No line of the format is longer.
constexpr std::size_t kLongestLine = 128;

// Reads one line without its line feed; false when the file ends inside it or it is longer
// than kLongestLine (then `line` holds its first kLongestLine + 1 characters).
bool ReadLine(std::istream& in, std::string& line) {
    line.clear();
    char c;
    while (in.get(c)) {
        if (c == '\n')
            return true;
        line.push_back(c);
        if (line.size() > kLongestLine)
            return false;
    }
    return false;
}

// The stream line's class and byte count.
struct StreamLine {
    CLSID classId;
    std::size_t count;
};

StreamLine ParseStreamLine(const std::string& line, std::size_t index) {
    const std::string where = "stream " + std::to_string(index + 1) + ": ";
    const auto blank = line.find(' ');
    if (blank == std::string::npos) {
        throw DocumentFileError(where + "expected \"{CLSID} <byte count>\", found \"" + line +
                                "\"");
    }
    const auto classId = ParseGuid(std::string_view(line).substr(0, blank));
    if (!classId || line[0] != '{') {
        throw DocumentFileError(where + "\"" + line.substr(0, blank) + "\" is not a {CLSID}");
    }
    const char* first = line.data() + blank + 1;
    const char* last = line.data() + line.size();
    std::size_t count = 0;
    const auto [end, error] = std::from_chars(first, last, count);
    if (error != std::errc() || end != last) {  // an empty count is no number either
        throw DocumentFileError(where + "\"" + std::string(first, last) + "\" is not a byte count");
    }
    if (count > kMaxExtensionStreamBytes) {
        throw DocumentFileError(where + "a byte count of " + std::to_string(count) +
                                " is more than any stream holds");
    }
    return {*classId, count};
}

// Reads `count` bytes in pieces, so that memory grows with the bytes that are really there,
// not with what a damaged line announces. Returns how many were read.
std::size_t ReadBytes(std::istream& in, std::size_t count, std::vector<BYTE>& bytes) {
    constexpr std::size_t kPiece = 64 * 1024;
    while (bytes.size() < count) {
        const std::size_t at = bytes.size();
        bytes.resize(at + std::min(kPiece, count - at));
        in.read(reinterpret_cast<char*>(bytes.data() + at),
                static_cast<std::streamsize>(bytes.size() - at));
        bytes.resize(at + static_cast<std::size_t>(in.gcount()));
        if (!in)
            break;
    }
    return bytes.size();
}

// Whether only blank lines (line feeds, carriage returns) are left; consumes them.
bool OnlyBlankLinesLeft(std::istream& in) {
    while (in.peek() == '\n' || in.peek() == '\r')
        in.get();
    return in.peek() == std::char_traits<char>::eof();
}

}  // namespace

void WriteDocumentFile(std::ostream& out, const std::vector<ExtensionStream>& streams) {
    out << kDocumentFileHeader << '\n';
    for (const ExtensionStream& stream : streams) {
        out << GuidToString(stream.classId) << ' ' << stream.bytes.size() << '\n';
        out.write(reinterpret_cast<const char*>(stream.bytes.data()),
                  static_cast<std::streamsize>(stream.bytes.size()));
    }
}

std::vector<ExtensionStream> ReadDocumentFile(std::istream& in) {
    std::string line;
    if (!ReadLine(in, line) || line != kDocumentFileHeader) {
        throw DocumentFileError("not an Ostrel document: the first line is not \"" +
                                std::string(kDocumentFileHeader) + "\"");
    }
    std::vector<ExtensionStream> streams;
    while (in.peek() != std::char_traits<char>::eof()) {
        const std::string where = "stream " + std::to_string(streams.size() + 1) + ": ";
        // Blank lines after the last stream are what an editor leaves; they hold nothing.
        if (in.peek() == '\n' || in.peek() == '\r') {
            if (OnlyBlankLinesLeft(in))
                break;
            throw DocumentFileError(where +
                                    "expected \"{CLSID} <byte count>\", found a blank line");
        }
        if (!ReadLine(in, line)) {
            throw DocumentFileError(
                where + (line.size() > kLongestLine
                             ? "expected \"{CLSID} <byte count>\", found a line of more than " +
                                   std::to_string(kLongestLine) + " characters"
                             : std::string("the line \"{CLSID} <byte count>\" is cut short")));
        }
        const StreamLine announced = ParseStreamLine(line, streams.size());
        // One stream per extension: a second would be loaded over the first.
        for (const ExtensionStream& earlier : streams) {
            if (earlier.classId == announced.classId) {
                throw DocumentFileError(where + "a second stream for " +
                                        GuidToString(announced.classId) +
                                        "; a document holds one stream per extension");
            }
        }
        ExtensionStream stream{announced.classId, {}};
        const std::size_t found = ReadBytes(in, announced.count, stream.bytes);
        if (found != announced.count) {
            throw DocumentFileError("stream " + std::to_string(streams.size() + 1) + ": " +
                                    std::to_string(announced.count) + " bytes announced, " +
                                    std::to_string(found) + " found");
        }
        streams.push_back(std::move(stream));
    }
    return streams;
}

namespace {

// The first of PATH.mine, PATH.mine.2 ... that names no file.
std::filesystem::path FreeNameBeside(const std::filesystem::path& path) {
    std::filesystem::path beside = path.string() + ".mine";
    std::error_code ignored;
    for (int n = 2; std::filesystem::symlink_status(beside, ignored).type() !=
                    std::filesystem::file_type::not_found;
         ++n)
        beside = path.string() + ".mine." + std::to_string(n);
    return beside;
}

}  // namespace

void SaveDocumentFile(const std::filesystem::path& path, const DocumentContents& contents,
                      const files::FileState* opened) {
    std::ostringstream out;
    WriteDocumentFile(out, StreamsOf(contents));
    try {
        files::OutputFile file(path);
        file.Write(out.view());
        // Checked as late as can be: just before the new file takes the old one's place.
        const files::FileState now = opened != nullptr ? files::StateOf(path) : files::FileState{};
        if (opened != nullptr && now != *opened) {
            const std::filesystem::path beside = FreeNameBeside(path);
            files::ReplaceFile(beside, out.view());
            const char* what = !now.Exists ? "removed" : opened->Exists ? "changed" : "made";
            throw DocumentChangedError(path.string() + " was " + what +
                                       " by another program since it was opened, so it was "
                                       "left as it is; this document was saved beside it, in " +
                                       beside.string());
        }
        file.Commit();
    } catch (const files::FileError& error) {
        throw DocumentFileError(error.what());
    }
}

DocumentContents LoadDocumentFile(const std::filesystem::path& path, files::FileState* state) {
    std::string bytes;
    try {
        bytes = files::ReadWholeFile(path, files::kMaxReadFileBytes, state);
    } catch (const files::FileError& error) {
        throw DocumentFileError(error.what());
    }
    std::istringstream in(std::move(bytes));
    try {
        return ContentsOf(ReadDocumentFile(in));
    } catch (const DocumentFileError& error) {
        throw DocumentFileError(path.string() + ": " + error.what());
    }
}

}  // namespace session
