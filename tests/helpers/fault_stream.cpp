#include "tests/helpers/fault_stream.h"

#include <algorithm>

ComPtr<FaultStream> FaultStream::Create() {
    return Create(std::vector<BYTE>{});
}

ComPtr<FaultStream> FaultStream::Create(const std::vector<BYTE>& bytes) {
    ComPtr<MemoryStream> memory = MemoryStream::Create(bytes);
    ComPtr<FaultStream> stream = Over(memory.Get());
    stream->memory_ = memory;
    return stream;
}

ComPtr<FaultStream> FaultStream::Over(IStream* inner) {
    ComPtr<FaultStream> stream(new FaultStream);
    stream->inner_ = ComPtr<IStream>(inner);
    return stream;
}

void FaultStream::FailRead(unsigned nth, HRESULT error) {
    readFaults_.push_back({nth, nth, error, false, 0});
}
void FaultStream::FailReadsFrom(unsigned nth, HRESULT error) {
    readFaults_.push_back({nth, kForever, error, false, 0});
}
void FaultStream::ShortenRead(unsigned nth, ULONG bytes) {
    readFaults_.push_back({nth, nth, S_OK, true, bytes});
}
void FaultStream::FailWrite(unsigned nth, HRESULT error) {
    writeFaults_.push_back({nth, nth, error, false, 0});
}
void FaultStream::FailWritesFrom(unsigned nth, HRESULT error) {
    writeFaults_.push_back({nth, kForever, error, false, 0});
}
void FaultStream::ShortenWrite(unsigned nth, ULONG bytes, HRESULT result) {
    writeFaults_.push_back({nth, nth, result, true, bytes});
}
void FaultStream::FailSeek(unsigned nth, HRESULT error) {
    seekFaults_.push_back({nth, nth, error, false, 0});
}
void FaultStream::FailSeeksFrom(unsigned nth, HRESULT error) {
    seekFaults_.push_back({nth, kForever, error, false, 0});
}
void FaultStream::FailSetSize(HRESULT error) {
    failSetSize_ = true;
    setSizeError_ = error;
}
void FaultStream::FailStat(HRESULT error) {
    failStat_ = true;
    statError_ = error;
}
void FaultStream::ReportMode(DWORD mode) {
    reportMode_ = true;
    reportedMode_ = mode;
}

const FaultStream::Fault* FaultStream::Find(const std::vector<Fault>& faults, unsigned call) {
    const auto found = std::find_if(faults.begin(), faults.end(), [call](const Fault& fault) {
        return call >= fault.first && call <= fault.last;
    });
    return found == faults.end() ? nullptr : &*found;
}

template <class PassOn>
HRESULT FaultStream::Transfer(const std::vector<Fault>& faults, unsigned call, ULONG count,
                              ULONG* moved, std::uint64_t& total, PassOn passOn) {
    if (moved != nullptr)
        *moved = 0;
    const Fault* fault = Find(faults, call);
    if (fault != nullptr && !fault->shortens)
        return fault->error;
    ULONG done = 0;
    const HRESULT result = passOn(fault != nullptr ? std::min(count, fault->limit) : count, &done);
    total += done;
    if (moved != nullptr)
        *moved = done;
    return FAILED(result) ? result : (fault != nullptr ? fault->error : result);
}

HRESULT FaultStream::Read(void* data, ULONG count, ULONG* read) {
    return Transfer(readFaults_, ++calls_.reads, count, read, calls_.bytesRead,
                    [&](ULONG n, ULONG* got) { return inner_->Read(data, n, got); });
}

HRESULT FaultStream::Write(const void* data, ULONG count, ULONG* written) {
    return Transfer(writeFaults_, ++calls_.writes, count, written, calls_.bytesWritten,
                    [&](ULONG n, ULONG* put) { return inner_->Write(data, n, put); });
}

HRESULT FaultStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
    const unsigned call = ++calls_.seeks;
    if (const Fault* fault = Find(seekFaults_, call))
        return fault->error;
    return inner_->Seek(move, origin, position);
}

HRESULT FaultStream::SetSize(ULARGE_INTEGER size) {
    ++calls_.setSizes;
    if (failSetSize_)
        return setSizeError_;
    return inner_->SetSize(size);
}

HRESULT FaultStream::Stat(STATSTG* stat, DWORD flags) {
    ++calls_.stats;
    if (failStat_)
        return statError_;
    const HRESULT result = inner_->Stat(stat, flags);
    if (SUCCEEDED(result) && reportMode_)
        stat->grfMode = reportedMode_;
    return result;
}
