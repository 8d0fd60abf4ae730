// The new files being written beside their targets, known to the process so that they go when
// it is ended by a signal: SIGHUP, SIGINT, SIGTERM and SIGPIPE remove every one of them and
// then end the process as the signal would have. SIGXFSZ (a file grew beyond the limit of
// `ulimit -f`) is ignored, so that the write fails with "File too large" and is handled as
// any failed write, instead of ending the process with the file left behind. A signal the
// process was started with ignoring, or that has a handler of its own, is left alone.
#pragma once

#include <string>

namespace files {

// Installs the handlers described above, once per process.
void RemoveTemporariesOnSignals();

// A temporary file's place in the process's list while it lives: it is registered when made,
// and forgotten when its file has been renamed into place or removed.
class TemporaryRegistration {
public:
    explicit TemporaryRegistration(const std::string& path);
    ~TemporaryRegistration();
    TemporaryRegistration(const TemporaryRegistration&) = delete;
    TemporaryRegistration& operator=(const TemporaryRegistration&) = delete;

private:
    int slot_;  // -1 when the list was full; the file is then not removed on a signal
};

}  // namespace files
