// FaultStream: a stream for tests. It passes every call to an inner stream (a fresh
// MemoryStream unless another is given), counts the calls, and injects the faults it is told
// to: a read or write that fails or comes back short, a failing Stat or SetSize, failing
// seeks, or a different mode reported by Stat.
//
//   ComPtr<FaultStream> stream = FaultStream::Create();
//   stream->FailWrite(2);                 // the second Write fails and writes nothing
//   stream->ShortenRead(1, 3);            // the first Read delivers at most 3 bytes
//   stream->FailSeeksFrom(1);             // every seek fails
//   ... use stream.Get() as an IStream* ...
//   EXPECT_EQ(stream->Calls().writes, 2u);
//   std::vector<BYTE> bytes = stream->Memory()->Bytes();
//
// Calls are numbered from 1 in the order they reach the stream, per kind (reads, writes,
// seeks), whether or not they fail. The first fault that matches a call applies.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/stream/memory_stream.h"
#include "platform/stream/stream_object.h"

class FaultStream final : public StreamObject {
public:
    struct CallCounts {
        unsigned reads = 0;
        unsigned writes = 0;
        unsigned seeks = 0;
        unsigned setSizes = 0;
        unsigned stats = 0;
        std::uint64_t bytesRead = 0;
        std::uint64_t bytesWritten = 0;
    };

    // Over a new, empty, readable and writable memory stream.
    static ComPtr<FaultStream> Create();
    // Over a new memory stream holding `bytes`, at position 0.
    static ComPtr<FaultStream> Create(const std::vector<BYTE>& bytes);
    // Over `inner`, which it keeps a reference to.
    static ComPtr<FaultStream> Over(IStream* inner);

    // The nth read (or every read from the nth on) fails with `error` and transfers nothing.
    void FailRead(unsigned nth, HRESULT error = STG_E_READFAULT);
    void FailReadsFrom(unsigned nth, HRESULT error = STG_E_READFAULT);
    // The nth read transfers at most `bytes` bytes and succeeds.
    void ShortenRead(unsigned nth, ULONG bytes);

    // The nth write (or every write from the nth on) fails with `error`, writing nothing.
    void FailWrite(unsigned nth, HRESULT error = STG_E_WRITEFAULT);
    void FailWritesFrom(unsigned nth, HRESULT error = STG_E_WRITEFAULT);
    // The nth write passes at most `bytes` bytes on, reports that count and returns `result`.
    void ShortenWrite(unsigned nth, ULONG bytes, HRESULT result = S_OK);

    // The nth seek (or every seek from the nth on) fails and does not move.
    void FailSeek(unsigned nth, HRESULT error = STG_E_INVALIDFUNCTION);
    void FailSeeksFrom(unsigned nth, HRESULT error = STG_E_INVALIDFUNCTION);

    // Every SetSize fails with `error` and changes nothing.
    void FailSetSize(HRESULT error = STG_E_MEDIUMFULL);
    // Every Stat fails with `error`.
    void FailStat(HRESULT error = STG_E_ACCESSDENIED);
    // Stat reports `mode` instead of the inner stream's mode.
    void ReportMode(DWORD mode);

    const CallCounts& Calls() const { return calls_; }
    void ResetCalls() { calls_ = CallCounts{}; }
    IStream* Inner() const { return inner_.Get(); }
    // The inner memory stream when the stream was made by Create; null otherwise.
    MemoryStream* Memory() const { return memory_.Get(); }

    HRESULT Read(void* data, ULONG count, ULONG* read) override;
    HRESULT Write(const void* data, ULONG count, ULONG* written) override;
    HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    HRESULT SetSize(ULARGE_INTEGER size) override;
    HRESULT Stat(STATSTG* stat, DWORD flags) override;

private:
    static constexpr unsigned kForever = std::numeric_limits<unsigned>::max();

    // Calls numbered first..last fail with `error`, or, when `limit` is set, are cut to
    // `limit` bytes and answer `error` (S_OK for a merely short transfer).
    struct Fault {
        unsigned first;
        unsigned last;
        HRESULT error;
        bool shortens;
        ULONG limit;
    };

    FaultStream() = default;
    ~FaultStream() override = default;

    static const Fault* Find(const std::vector<Fault>& faults, unsigned call);
    // A read or write, call number `call` of its kind: refused when `faults` fail it, else
    // passed on as `passOn(count, &moved)` with `count` cut to a shortening fault's limit;
    // `total` adds the bytes moved.
    template <class PassOn>
    static HRESULT Transfer(const std::vector<Fault>& faults, unsigned call, ULONG count,
                            ULONG* moved, std::uint64_t& total, PassOn passOn);

    ComPtr<IStream> inner_;
    ComPtr<MemoryStream> memory_;
    std::vector<Fault> readFaults_;
    std::vector<Fault> writeFaults_;
    std::vector<Fault> seekFaults_;
    bool failSetSize_ = false;
    HRESULT setSizeError_ = S_OK;
    bool failStat_ = false;
    HRESULT statError_ = S_OK;
    bool reportMode_ = false;
    DWORD reportedMode_ = 0;
    CallCounts calls_;
};
