// Widening ASCII text to UTF-16 unit for unit, the fast path of every
// string field of a response. Inline so the per-piece call costs nothing;
// the blocks are copied through local arrays, which tells the compiler the
// two sides do not overlap, so each becomes a few vector instructions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace soap {

// Widens `Size` bytes into as many units; whether they were all ASCII.
template <std::size_t Size>
[[gnu::always_inline]] inline bool WidenAsciiBlock(const char* in, char16_t* out) {
  unsigned char bytes[Size];
  std::memcpy(bytes, in, Size);
  char16_t units[Size];
  for (std::size_t i = 0; i < Size; ++i) units[i] = bytes[i];
  std::memcpy(out, units, sizeof units);
  std::uint64_t high = 0;
  for (std::size_t i = 0; i < Size; i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes + i, Size - i < 8 ? Size - i : 8);
    high |= word & 0x8080808080808080ull;
  }
  return high == 0;
}

// Widens `text` into `out`; false when a byte is not ASCII (what was
// written is then of no use). The last block of each size overlaps the one
// before it rather than falling back to single bytes.
[[gnu::always_inline]] inline bool WidenAscii(std::string_view text, char16_t* out) {
  const char* in = text.data();
  const std::size_t size = text.size();
  if (size >= 16) {
    bool ascii = WidenAsciiBlock<16>(in + size - 16, out + size - 16);
    for (std::size_t i = 0; i + 16 < size; i += 16)
      ascii = WidenAsciiBlock<16>(in + i, out + i) && ascii;
    return ascii;
  }
  if (size >= 8)
    return WidenAsciiBlock<8>(in, out) & WidenAsciiBlock<8>(in + size - 8, out + size - 8);
  if (size >= 4)
    return WidenAsciiBlock<4>(in, out) & WidenAsciiBlock<4>(in + size - 4, out + size - 4);
  bool ascii = true;
  for (std::size_t i = 0; i < size; ++i) {
    ascii = ascii && static_cast<unsigned char>(in[i]) < 0x80;
    out[i] = static_cast<unsigned char>(in[i]);
  }
  return ascii;
}

}  // namespace soap
