// Finding bytes in a text sixteen bytes at a time where the processor allows: the first of a few
// values, the first that is not a blank, the starts of words. The readers of a switch's replies
// look at every byte received, and the parsers at every line of listings of thousands; a set
// search (find_first_of) costs a library call per byte, and a plain loop a comparison per byte
// and value.
#pragma once

#include <bit>
#include <cstddef>
#include <string_view>

#include "support/blank.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace byte_search_detail {

inline __m128i SixteenBytes(std::string_view text, std::size_t from) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from));
}

// Bit i stands for bytes[i]: set when it is a blank, a byte of at most 32 compared without sign.
inline unsigned BlankMask(__m128i bytes) {
  const __m128i highestBlank = _mm_set1_epi8(32);
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(bytes, highestBlank), bytes)));
}

}  // namespace byte_search_detail
#endif

// The first position at or after from whose byte is one of Values; npos when there is none.
template <unsigned char... Values>
std::size_t FindFirstByteOf(std::string_view text, std::size_t from) {
#if defined(__SSE2__)
  // Bit i of the mask stands for the byte at from + i.
  for (; from + 16 <= text.size(); from += 16) {
    const __m128i bytes = byte_search_detail::SixteenBytes(text, from);
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

// The first position at or after from whose byte is not a blank (IsBlank); npos when there is
// none. Listing columns are padded with runs of blanks that a parser steps over on every line.
inline std::size_t FindFirstNonBlank(std::string_view text, std::size_t from) {
#if defined(__SSE2__)
  for (; from + 16 <= text.size(); from += 16) {
    const unsigned blanks =
        byte_search_detail::BlankMask(byte_search_detail::SixteenBytes(text, from));
    if (blanks != 0xFFFFU) {
      return from + static_cast<std::size_t>(std::countr_one(blanks));
    }
  }
#endif
  for (; from < text.size(); ++from) {
    if (!IsBlank(text[from])) {
      return from;
    }
  }
  return std::string_view::npos;
}

// Calls visit(position) for each word of text that begins with one of Firsts, at its first byte,
// in the order the words stand; a word is a run of bytes that are not blanks (IsBlank). Listing
// parsers look for a few words in thousands of lines: a line is then walked sixteen bytes at a
// time, and only the words that may be one of them are visited.
template <unsigned char... Firsts, typename Visit>
void ForEachWordStartingWith(std::string_view text, Visit&& visit) {
  std::size_t from = 0;
  bool blankBefore = true;
#if defined(__SSE2__)
  for (; from + 16 <= text.size(); from += 16) {
    const __m128i bytes = byte_search_detail::SixteenBytes(text, from);
    const unsigned blanks = byte_search_detail::BlankMask(bytes);
    const auto firsts = static_cast<unsigned>(
        _mm_movemask_epi8((_mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(Firsts))) | ...)));
    unsigned starts = firsts & ((blanks << 1) | (blankBefore ? 1U : 0U));
    blankBefore = (blanks & 0x8000U) != 0;
    for (; starts != 0; starts &= starts - 1) {
      visit(from + static_cast<std::size_t>(std::countr_zero(starts)));
    }
  }
#endif
  for (; from < text.size(); ++from) {
    const auto c = static_cast<unsigned char>(text[from]);
    if (blankBefore && ((c == Firsts) || ...)) {
      visit(from);
    }
    blankBefore = IsBlank(text[from]);
  }
}
