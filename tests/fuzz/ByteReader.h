// Reads a fuzz input front to back as the operands of a program. Past the end every read is 0,
// so a program ends quietly wherever its input does.
#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>

namespace brennick::fuzz {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return offset_ >= size_; }
    std::uint8_t Byte() { return Empty() ? std::uint8_t{0} : data_[offset_++]; }
    std::size_t Below(std::size_t count) { return Byte() % count; }

    std::uint32_t Bits32() {
        std::uint32_t bits = 0;
        for (int shift = 0; shift < 32; shift += 8) bits |= std::uint32_t{Byte()} << shift;
        return bits;
    }

    // Any 32-bit value; half the selector range names a value where sums, signs or words break.
    std::int32_t Int32() {
        const std::uint8_t pick = Byte();
        if (pick >= 0x80) return static_cast<std::int32_t>(Bits32());
        return kEdges[pick % kEdges.size()];
    }

    // A pointer-sized message parameter whose upper half is usually clear, as on 32-bit Windows.
    std::uintptr_t Word() {
        std::uint64_t word = static_cast<std::uint32_t>(Int32());
        if ((Byte() & 3) == 3) word |= std::uint64_t{static_cast<std::uint32_t>(Int32())} << 32;
        return static_cast<std::uintptr_t>(word);
    }

private:
    static constexpr std::array<std::int32_t, 20> kEdges{
        0, 1, -1, 2, 120, -120, 240, -240, 60, 0x7FFF, -0x8000, 0xFFFF, 0x10000, 0x00780000,
        INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1, 100, -100,
    };

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

}  // namespace brennick::fuzz
