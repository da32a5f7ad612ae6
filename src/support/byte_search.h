// Finding the first of a few byte values in a text, sixteen bytes at a time where the processor
// allows. The readers of a switch's replies look at every byte received; a set search
// (find_first_of) costs a library call per byte, and a plain loop a comparison per byte and value.
#pragma once

#include <bit>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The first position at or after from whose byte is one of Values; npos when there is none.
template <unsigned char... Values>
std::size_t FindFirstByteOf(std::string_view text, std::size_t from) {
#if defined(__SSE2__)
  // Bit i of the mask stands for the byte at from + i.
  for (; from + 16 <= text.size(); from += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from));
    const __m128i found = (_mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(Values))) | ...);
    const int mask = _mm_movemask_epi8(found);
    if (mask != 0) {
      return from + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(mask)));
    }
  }
#endif
  for (; from < text.size(); ++from) {
    const auto c = static_cast<unsigned char>(text[from]);
    if (((c == Values) || ...)) {
      return from;
    }
  }
  return std::string_view::npos;
}
