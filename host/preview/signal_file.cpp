#include "host/preview/signal_file.h"

#include <filesystem>

#include "host/preview/csv_signals.h"
#include "host/preview/edf_signals.h"
#include "host/preview/signal_file_error.h"
#include "host/preview/sound_signals.h"

namespace Ostrel::Preview {

Signals ReadSignalFile(const std::string& path, const std::vector<InputScale>& inputs) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (extension == ".csv")
        return ReadCsvSignals(path, inputs);
    if (extension == ".wav" || extension == ".flac")
        return ReadSoundSignals(path, inputs);
    if (extension == ".edf" || extension == ".bdf")
        return ReadEdfSignals(path, inputs);
    throw SignalFileError(path, 0,
                          "the extension \"" + extension +
                              "\" is not a known signal file; use .csv, .wav, .flac, .edf or .bdf");
}

}  // namespace Ostrel::Preview
