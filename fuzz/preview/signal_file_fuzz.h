// Shared by the harnesses of the binary signal readers: the input goes to a file (the readers'
// libraries open files by name) and is read through the entry point; what reads must keep the
// promises of the signals, what does not must fail with the reader's error naming the file.
#pragma once

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz/fuzz_check.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_formats.h"

inline void ReadSignalFileFuzz(const std::uint8_t* data, std::size_t size, const char* extension) {
    using namespace preview;
    static const std::vector<InputScale> kInputs = {{10.0, "V"}, {2.5, "mV"}, {1.0, "uV"}};
    static const std::string path =
        "/tmp/tarvel-fuzz-" + std::to_string(::getpid()) + "." + extension;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    CHECK(file != nullptr);
    CHECK(std::fwrite(data, 1, size, file) == size);
    std::fclose(file);
    try {
        const device::Signals signals = ReadSignalFile(path, kInputs);
        CHECK(!signals.Channels.empty() && signals.Channels.size() <= kInputs.size());
        CHECK(std::isfinite(signals.SampleRate) && signals.SampleRate > 0.0);
        CHECK(signals.SampleCount() >= 2);
        for (std::size_t channel = 0; channel < signals.Channels.size(); ++channel) {
            CHECK(signals.Channels[channel].Values.size() == signals.SampleCount());
            CHECK(signals.Channels[channel].Unit == kInputs[channel].Unit);
            for (const double value : signals.Channels[channel].Values)
                CHECK(std::isfinite(value));
        }
    } catch (const SignalFileError& error) {
        CHECK(error.File() == path);
        CHECK(std::string(error.what()).starts_with(path + ": "));
    }
    std::remove(path.c_str());
}
