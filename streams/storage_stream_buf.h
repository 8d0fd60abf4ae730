// StorageStreamBuf: a narrow stream buffer over an IStream, with one 1024-byte buffer that is
// the get area while reading and the put area while writing. The IStream is called once per
// buffer fill or flush, never per byte.
//
// Positions are the IStream's. The buffer remembers the IStream position of its first byte
// (the base) and, while writing, the high-water mark of the bytes put into it, so that
// moving back inside the buffer and writing again keeps what was written beyond.
//
// After a write to the IStream fails or falls short, the buffer drops the bytes it held and
// refuses further output (overflow gives EOF, sync -1): writing them again at a position
// that has moved on would leave a torn copy in the stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ios>
#include <optional>
#include <streambuf>

#include "platform/stream/stream.h"

class StorageStreamBuf : public std::streambuf {
public:
    static constexpr std::size_t kBufferSize = 1024;
    enum class Access { kRead, kWrite, kReadWrite };

    StorageStreamBuf() = default;
    StorageStreamBuf(const StorageStreamBuf&) = delete;
    StorageStreamBuf& operator=(const StorageStreamBuf&) = delete;
    // Flushes pending output and releases the IStream.
    ~StorageStreamBuf() override;

    // Opens the buffer on `stream` (closing any stream it had). Stat (without the name) must
    // succeed; its mode's low two bits give the access (0 read, 1 write, 2 both; 3 refuses
    // the stream), and the stream's current position becomes the base. Holds one reference
    // to the stream while open. False when the stream cannot be opened.
    bool Open(IStream* stream);
    // Flushes pending output and releases the stream.
    void Close();
    bool IsOpen() const { return open_; }
    Access GetAccess() const { return access_; }

    // Empties the stream: drops whatever the buffer holds, moves the IStream to 0 and sets
    // its size to 0. False when that fails.
    bool Clear();

protected:
    int_type overflow(int_type c) override;
    int_type underflow() override;
    pos_type seekoff(off_type offset, std::ios_base::seekdir origin,
                     std::ios_base::openmode which) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override;
    int sync() override;

    // The seek of the derived buffers. A query of the current position is answered from the
    // buffer; a target inside the bytes buffered on the side `area` (std::ios_base::in: the
    // get area, std::ios_base::out: the put area) only moves that side's pointer; any other
    // seek is the base's, through the IStream.
    pos_type SeekBuffered(std::ios_base::openmode area, off_type offset,
                          std::ios_base::seekdir origin, std::ios_base::openmode which);

private:
    static pos_type FailedPosition() { return pos_type(off_type(-1)); }
    // The position of the next byte to read or write.
    std::int64_t LogicalPosition() const;
    // The position a seek from the start or from the current position aims at; none for a
    // seek from the end (the buffer does not know the size) or one before the start.
    std::optional<std::int64_t> TargetOf(off_type offset, std::ios_base::seekdir origin) const;
    // Moves the put pointer to `target` when it lies within the bytes put into the buffer
    // (up to the high-water mark, which is brought up to date first).
    bool SeekInsidePutArea(std::int64_t target);
    // Moves the get pointer to `target` when it lies within the bytes read into the buffer.
    bool SeekInsideGetArea(std::int64_t target);
    // Writes the pending output and gives back unread input, so that the IStream's position
    // is the logical position and the buffer is empty.
    bool SyncBuffer();
    bool WritePending();
    bool ReturnUnread();

    IStream* stream_ = nullptr;
    bool open_ = false;
    Access access_ = Access::kRead;
    std::int64_t base_ = 0;  // the IStream position of buffer_[0]
    std::size_t highWater_ = 0;
    bool writeFailed_ = false;
    char buffer_[kBufferSize];
};
