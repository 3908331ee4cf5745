#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavrel {

// Scanning a text 64 bytes at a time, for the two scans that look at every byte of a note input
// file: the line splitter and the word split of the layout. A mask with bit i set where byte i
// is one of the bytes looked for lets a loop run once per byte found instead of once per byte,
// without a library call per find, which costs more than the search itself on short lines.
inline constexpr std::size_t kMaskChunk = 64;

// Bit i set where byte i of the 64 at `p` is `a`, `b` or `c`.
inline std::uint64_t ChunkMask(const char* p, char a, char b, char c) {
    std::uint64_t mask = 0;
#if defined(__SSE2__)
    for (std::size_t i = 0; i < kMaskChunk; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i found = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(a)),
                                           _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(b)),
                                                        _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
        mask |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(found))} << i;
    }
#else
    for (std::size_t i = 0; i < kMaskChunk; ++i) {
        mask |= std::uint64_t{p[i] == a || p[i] == b || p[i] == c} << i;
    }
#endif
    return mask;
}

// The same for the chunk of the text starting at `at` (at most its size); past the end of the
// text, the bytes count as `padding`.
inline std::uint64_t TextChunkMask(std::string_view text, std::size_t at, char padding, char a,
                                   char b, char c) {
    if (text.size() - at >= kMaskChunk) {
        return ChunkMask(text.data() + at, a, b, c);
    }
    char chunk[kMaskChunk];
    std::memset(chunk, padding, kMaskChunk);
    if (at < text.size()) {
        std::memcpy(chunk, text.data() + at, text.size() - at);
    }
    return ChunkMask(chunk, a, b, c);
}

// Bit i set where byte i of the chunk at `at` is the last byte of a line end: a CR not followed
// by an LF, or an LF (alone or after a CR), so that a CR LF pair is one line end.
inline std::uint64_t LineEndMask(std::string_view text, std::size_t at) {
    const std::uint64_t returns = TextChunkMask(text, at, ' ', '\r', '\r', '\r');
    const std::uint64_t feeds = TextChunkMask(text, at, ' ', '\n', '\n', '\n');
    const std::size_t next = at + kMaskChunk;
    const std::uint64_t feedAfter =
        (feeds >> 1) |
        (std::uint64_t{next < text.size() && text[next] == '\n'} << (kMaskChunk - 1));
    return feeds | (returns & ~feedAfter);
}

}  // namespace tavrel
