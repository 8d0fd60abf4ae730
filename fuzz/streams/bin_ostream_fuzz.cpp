// Drives the writer over a memory stream with operations chosen by the input (primitives,
// blocks, strings, seeks inside and outside the buffer, flushes, position queries, rewinds)
// and keeps a plain model of the bytes the stream must hold: what is written lands at the
// write position, overwrites what lies there and extends the stream, and a gap left by
// seeking past the end reads as zeros. At the end the stream must hold exactly the model.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "platform/stream/memory_stream.h"
#include "streams/little_endian.h"
#include "streams/storage_bin_ostream_lite.h"

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return used_ == size_; }
    std::uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }
    std::uint16_t Word() {
        const std::uint8_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

struct Model {
    std::vector<BYTE> bytes{0xAA, 0xAA, 0x14, 0x55};
    std::size_t position = 4;

    void Put(const void* data, std::size_t count) {
        if (count == 0)
            return;  // nothing is written, not even a gap
        const auto* from = static_cast<const BYTE*>(data);
        if (bytes.size() < position + count)
            bytes.resize(position + count);
        std::copy(from, from + count, bytes.begin() + static_cast<std::ptrdiff_t>(position));
        position += count;
    }
    template <class Unsigned>
    void PutValue(Unsigned value) {
        unsigned char encoded[sizeof value];
        Tev::StoreLittleEndian(value, encoded);
        Put(encoded, sizeof encoded);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    Model model;
    ComPtr<MemoryStream> memory = MemoryStream::Create();
    {
        StorageBinOStreamLite out(memory.Get());
        for (int steps = 0; !input.Empty() && steps < 4096; ++steps) {
            switch (input.Byte() % 10) {
                case 0: {
                    const std::uint8_t value = input.Byte();
                    CHECK(out.WriteByte(value) == S_OK);
                    model.PutValue(value);
                    break;
                }
                case 1: {
                    const std::uint16_t value = input.Word();
                    CHECK(out.WriteWord(value) == S_OK);
                    model.PutValue(value);
                    break;
                }
                case 2: {
                    const std::uint32_t value = input.Word() * 65599u;
                    CHECK(out.WriteDword(value) == S_OK);
                    model.PutValue(value);
                    break;
                }
                case 3: {
                    const DWORD low = input.Word(), high = input.Word();
                    CHECK(out.WriteInt64Halves(low, high) == S_OK);
                    model.PutValue(std::uint64_t{high} << 32 | low);
                    break;
                }
                case 4: {
                    // Blocks up to 2 KiB, filled with one value, so that buffers are crossed.
                    const std::size_t count = input.Word() % 2048;
                    const std::string block(count, static_cast<char>(input.Byte()));
                    CHECK(out.WriteBytes(block.data(), static_cast<ULONG>(block.size())) == S_OK);
                    model.Put(block.data(), block.size());
                    break;
                }
                case 5: {
                    std::u16string units(input.Byte() % 32, u'\0');
                    for (char16_t& unit : units)
                        unit = input.Word();
                    const Tev::String text{std::u16string_view(units)};
                    CHECK(out.WriteText(text) == S_OK);
                    model.PutValue(std::uint32_t{0x80000001});
                    model.PutValue(static_cast<std::uint32_t>(text.Length() + 1));
                    model.PutValue(0u - static_cast<std::uint32_t>(text.Length() + 1));
                    for (std::size_t i = 0; i <= text.Length(); ++i) {
                        model.PutValue(static_cast<std::uint16_t>(text.Text()[i]));
                    }
                    break;
                }
                case 6:
                case 7: {
                    // Mostly inside what was written, sometimes a little past the end.
                    const std::size_t target = input.Word() % (model.bytes.size() + 16);
                    CHECK(out.Seek(static_cast<ULONG>(target)) == S_OK);
                    model.position = target;
                    break;
                }
                case 8: {
                    ULONG position = 0;
                    CHECK(out.GetPosition(&position) == S_OK && position == model.position);
                    if (input.Byte() % 2 == 0)
                        CHECK(out.Flush() == S_OK);
                    break;
                }
                case 9:
                    if (input.Byte() % 16 == 0) {
                        CHECK(out.Rewind() == S_OK);
                        model.bytes.clear();
                        model.position = 0;
                    }
                    break;
            }
        }
        CHECK(out.Status() == S_OK);
    }
    CHECK(memory->Bytes() == model.bytes);
    return 0;
}
