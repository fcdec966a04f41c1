#pragma once
// Technique ids: they index the solver's techniques and step list, the levels,
// the rating and the hint record. kNone marks "no technique".

#include <cstdint>

namespace PatternId {
inline constexpr std::uint32_t kIllegalValue = 0;
inline constexpr std::uint32_t kIllegalCandidate = 1;
inline constexpr std::uint32_t kNakedSingle = 2;
inline constexpr std::uint32_t kHiddenSingle = 3;
inline constexpr std::uint32_t kBoxLineReduction = 4;
inline constexpr std::uint32_t kPointingPair = 5;
inline constexpr std::uint32_t kNakedPair = 6;
inline constexpr std::uint32_t kNakedTriple = 7;
inline constexpr std::uint32_t kNakedQuad = 8;
inline constexpr std::uint32_t kHiddenPair = 9;
inline constexpr std::uint32_t kHiddenTriple = 10;
inline constexpr std::uint32_t kHiddenQuad = 11;
inline constexpr std::uint32_t kRemotePair = 12;
inline constexpr std::uint32_t kXWing = 13;
inline constexpr std::uint32_t kSwordfish = 14;
inline constexpr std::uint32_t kJellyfish = 15;
inline constexpr std::uint32_t kCount = 16;
inline constexpr std::uint32_t kNone = 16;
}  // namespace PatternId
