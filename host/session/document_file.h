// The Ostrel document file: the line "OSTRELDOC 1", then for each stream a line
// "{CLSID} <byte count>" followed by exactly that many bytes of the stream. Lines end with a
// single line feed; the CLSID is written in upper case, with braces. The first stream may be
// the host's own part (document_host_part.h), the others are the extensions'.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <vector>

#include "host/files/file_state.h"
#include "host/session/document_file_error.h"
#include "host/session/document_host_part.h"
#include "host/session/host_document.h"

namespace session {

inline constexpr char kDocumentFileHeader[] = "OSTRELDOC 1";
// A stream larger than this is taken for damage, not read.
inline constexpr std::size_t kMaxExtensionStreamBytes = std::size_t{64} << 20;

void WriteDocumentFile(std::ostream& out, const std::vector<ExtensionStream>& streams);
// Throws DocumentFileError for a file that does not follow the format (a wrong first line, a
// stream line that is not "{CLSID} <count>", a count beyond kMaxExtensionStreamBytes, fewer
// bytes than the count says, a second stream for one class). Blank lines after the last
// stream are accepted.
std::vector<ExtensionStream> ReadDocumentFile(std::istream& in);

// Writes the document file so that an old file at `path` is replaced only once the new one is
// complete on disk (files::OutputFile); DocumentFileError with the reason otherwise. With
// `opened` (what the file was when the document was opened from it, or that there was none)
// the file must still be that: when another program has saved it, made it or removed it
// since, it is left as it is, the document is saved beside it instead (PATH.mine, or
// PATH.mine.2 ... when that is taken) and DocumentChangedError names both.
void SaveDocumentFile(const std::filesystem::path& path, const DocumentContents& contents,
                      const files::FileState* opened = nullptr);
// Reads a document file (at most files::kMaxReadFileBytes, a regular file); DocumentFileError
// naming the file and the reason when it cannot be read or does not follow the format (its
// host part included). With `state`, what the file was as it was read.
DocumentContents LoadDocumentFile(const std::filesystem::path& path,
                                  files::FileState* state = nullptr);

}  // namespace session
