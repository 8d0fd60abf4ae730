// What goes wrong with a document file: it cannot be read or written, does not follow the
// format, or changed underneath the document that was opened from it.
#pragma once

#include <stdexcept>

namespace session {

// A document file that cannot be read or written: the reason says where and why.
class DocumentFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A save refused because the file is no longer the one the document was opened from.
class DocumentChangedError : public DocumentFileError {
public:
    using DocumentFileError::DocumentFileError;
};

}  // namespace session
