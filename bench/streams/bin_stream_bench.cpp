// Writes and reads 1 MiB of mixed primitives and strings through the binary streams over a
// memory stream, beside a plain memcpy of the same bytes as the floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/stream/memory_stream.h"
#include "streams/storage_bin_istream_lite.h"
#include "streams/storage_bin_ostream_lite.h"

namespace {

constexpr std::size_t kTargetBytes = std::size_t{1} << 20;

const Tev::String& TextFor(std::size_t record) {
    static const Tev::String texts[] = {
        Tev::String(u"Output 1"),
        Tev::String(u"Input 3 goes above 2.5 V"),
        Tev::String(u"pulse width=0.001;delay=0;count=1;wait=0.5"),
        Tev::String(),
        Tev::String(u"Gr\u00FC\u00DFe"),
    };
    return texts[record % std::size(texts)];
}

// One record: a byte, a word, a long, a 64-bit value and a string.
void WriteRecord(StorageBinOStreamLite& out, std::size_t record) {
    out.WriteByte(static_cast<BYTE>(record));
    out.WriteWord(static_cast<WORD>(record));
    out.WriteLong(static_cast<LONG>(record * 3));
    out.WriteInt64(static_cast<LONGLONG>(record) << 20);
    out.WriteText(TextFor(record));
}

std::size_t RecordSize(std::size_t record) {
    return 15 + 12 + 2 * (TextFor(record).Length() + 1);
}

// How many records make up about 1 MiB.
std::size_t RecordCount() {
    std::size_t bytes = 4;
    std::size_t records = 0;
    while (bytes + RecordSize(records) <= kTargetBytes)
        bytes += RecordSize(records++);
    return records;
}

std::vector<BYTE> Encoded() {
    ComPtr<MemoryStream> memory = MemoryStream::Create();
    {
        StorageBinOStreamLite out(memory.Get());
        for (std::size_t i = 0, n = RecordCount(); i < n; ++i)
            WriteRecord(out, i);
    }
    return memory->Bytes();
}

// Into one memory stream emptied before each round: the streams' own cost.
void BM_WriteMixed(benchmark::State& state) {
    const std::size_t records = RecordCount();
    ComPtr<MemoryStream> memory = MemoryStream::Create();
    for (auto _ : state) {
        memory->SetSize(MakeULargeInteger(0));
        memory->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr);
        StorageBinOStreamLite out(memory.Get());
        for (std::size_t i = 0; i < records; ++i)
            WriteRecord(out, i);
        if (out.Flush() != S_OK)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * memory->Size()));
}

// Into a new memory stream each round, as a document is saved: adds the stream's growth.
void BM_WriteMixedIntoNewStream(benchmark::State& state) {
    const std::size_t records = RecordCount();
    std::size_t bytes = 0;
    for (auto _ : state) {
        ComPtr<MemoryStream> memory = MemoryStream::Create();
        {
            StorageBinOStreamLite out(memory.Get());
            for (std::size_t i = 0; i < records; ++i)
                WriteRecord(out, i);
            if (out.Flush() != S_OK)
                state.SkipWithError("write failed");
        }
        bytes = memory->Size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_ReadMixed(benchmark::State& state) {
    const std::vector<BYTE> encoded = Encoded();
    const std::size_t records = RecordCount();
    ComPtr<MemoryStream> memory = MemoryStream::Create(encoded);
    for (auto _ : state) {
        memory->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr);
        StorageBinIStreamLite in(memory.Get());
        for (std::size_t i = 0; i < records; ++i) {
            benchmark::DoNotOptimize(in.ReadByte());
            WORD word = 0;
            in.ReadWord(&word);
            benchmark::DoNotOptimize(in.ReadLongValue());
            LONGLONG quad = 0;
            in.ReadInt64(&quad);
            Tev::String text = in.ReadText();
            benchmark::DoNotOptimize(text.Text());
        }
        if (in.Status() != S_OK)
            state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * encoded.size()));
}

void BM_MemcpyFloor(benchmark::State& state) {
    const std::vector<BYTE> encoded = Encoded();
    std::vector<BYTE> copy(encoded.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), encoded.data(), encoded.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * encoded.size()));
}

BENCHMARK(BM_WriteMixed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteMixedIntoNewStream)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadMixed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
