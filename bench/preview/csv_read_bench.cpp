// Reads a CSV signal file of about 100 MB (time and four inputs, 2.4 million samples) block by
// block into device units, as the preview does (on every core), beside `wc -l` counting the
// lines of the same file as the floor: what reading the bytes and finding the line ends costs,
// before any number is parsed. The file is made once in a temporary folder and stays in the page
// cache for both. Both are timed as wall time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "host/preview/formats/csv_format.h"
#include "tests/helpers/temp_folder.h"

namespace {

using namespace preview;

constexpr std::size_t kTargetBytes = 100u << 20;
const std::vector<InputScale> kInputs(4, InputScale{10.0, "V"});

struct BenchFile {
    TempFolder Folder;
    std::string Path = Folder.PathOf("signals.csv");
    std::uintmax_t Bytes = 0;
    std::int64_t Lines = 0;

    BenchFile() {
        std::ofstream file(Path, std::ios::binary);
        std::string text = "time (s),Input 1 (V),Input 2 (V),Input 3 (V),Input 4 (V)\n";
        std::mt19937 random(1);
        std::normal_distribution<double> noise(0.0, 1.5);
        char buffer[32];
        Lines = 1;
        for (std::int64_t sample = 0; Bytes < kTargetBytes; ++sample) {
            const auto time = std::to_chars(buffer, buffer + sizeof buffer, sample * 1e-5,
                                            std::chars_format::fixed, 5);
            text.append(buffer, time.ptr);
            for (int input = 0; input < 4; ++input) {
                text += ',';
                const auto value = std::to_chars(buffer, buffer + sizeof buffer, noise(random),
                                                 std::chars_format::general, 7);
                text.append(buffer, value.ptr);
            }
            text += '\n';
            ++Lines;
            if (text.size() > (1u << 20)) {
                file << text;
                Bytes += text.size();
                text.clear();
            }
        }
        file << text;
        Bytes += text.size();
    }
};

const BenchFile& File() {
    static const BenchFile file;
    return file;
}

void BM_ReadCsvSignals(benchmark::State& state) {
    const BenchFile& file = File();
    for (auto _ : state) {
        const auto reader = OpenCsvSignals(file.Path, kInputs);
        const device::BlockNeeds needs{std::vector<bool>(4, true), std::vector<bool>(4, false)};
        device::SampleBlock block;
        std::int64_t samples = 0;
        for (reader->Next(block, needs); block.Count > 0; reader->Next(block, needs))
            samples += block.Count;
        if (samples != file.Lines - 1)
            state.SkipWithError("wrong sample count");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Bytes));
    state.counters["MB"] = static_cast<double>(file.Bytes) / 1e6;
}

double ChildrenCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// The floor: `wc -l` on the same file, started as a process each round. Its time is the CPU time
// of the child processes, as the reader's is its own CPU time, so that other load on the machine
// weighs on neither.
void BM_WcLines(benchmark::State& state) {
    const BenchFile& file = File();
    const std::string command = "wc -l < " + file.Path;
    for (auto _ : state) {
        const double before = ChildrenCpuSeconds();
        std::FILE* pipe = ::popen(command.c_str(), "r");
        long long lines = 0;
        if (pipe == nullptr || std::fscanf(pipe, "%lld", &lines) != 1)
            state.SkipWithError("wc -l did not run");
        if (pipe != nullptr)
            ::pclose(pipe);
        if (lines != file.Lines)
            state.SkipWithError("wc -l counted other lines");
        state.SetIterationTime(ChildrenCpuSeconds() - before);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Bytes));
}

}  // namespace

BENCHMARK(BM_ReadCsvSignals)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_WcLines)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseManualTime();

BENCHMARK_MAIN();
