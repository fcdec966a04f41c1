#pragma once
// The five levels: each only chooses the techniques a puzzle may need (by id,
// in the order they are tried) and the rating a puzzle should reach. Pointing
// pairs come before box-line reductions, and hidden pairs before naked quads.

#include <cstdint>
#include <iterator>
#include <memory>

#include "engine/CSudokuGenerator.h"

namespace GeneratorLevel {
inline constexpr std::uint32_t kBeginnerSteps[] = {2, 3};
inline constexpr std::uint32_t kIntermediateSteps[] = {2, 3, 5, 4};
inline constexpr std::uint32_t kAdvancedSteps[] = {2, 3, 5, 4, 6, 7};
inline constexpr std::uint32_t kMasterSteps[] = {2, 3, 5, 4, 6, 7, 9, 8, 10, 11};
inline constexpr std::uint32_t kSorcererSteps[] = {2, 3, 5, 4, 6, 7, 9, 8, 10, 11, 12, 13, 14, 15};

// The target rating of a level for box size N.
template <unsigned N>
constexpr std::uint32_t Target(std::uint32_t forN2, std::uint32_t forN3, std::uint32_t forN4) {
  return N == 2 ? forN2 : N == 3 ? forN3 : forN4;
}
}  // namespace GeneratorLevel

template <unsigned N>
class CSudokuGeneratorBeginner : public CSudokuGenerator<N> {
 public:
  CSudokuGeneratorBeginner() {
    this->SetPatterns(GeneratorLevel::kBeginnerSteps, std::size(GeneratorLevel::kBeginnerSteps));
    this->SetTargetRating(GeneratorLevel::Target<N>(8, 80, 200));
  }
};

template <unsigned N>
class CSudokuGeneratorIntermediate : public CSudokuGenerator<N> {
 public:
  CSudokuGeneratorIntermediate() {
    this->SetPatterns(GeneratorLevel::kIntermediateSteps, std::size(GeneratorLevel::kIntermediateSteps));
    this->SetTargetRating(GeneratorLevel::Target<N>(9, 180, 400));
  }
};

template <unsigned N>
class CSudokuGeneratorAdvanced : public CSudokuGenerator<N> {
 public:
  CSudokuGeneratorAdvanced() {
    this->SetPatterns(GeneratorLevel::kAdvancedSteps, std::size(GeneratorLevel::kAdvancedSteps));
    this->SetTargetRating(GeneratorLevel::Target<N>(10, 250, 500));
  }
};

template <unsigned N>
class CSudokuGeneratorMaster : public CSudokuGenerator<N> {
 public:
  CSudokuGeneratorMaster() {
    this->SetPatterns(GeneratorLevel::kMasterSteps, std::size(GeneratorLevel::kMasterSteps));
    this->SetTargetRating(GeneratorLevel::Target<N>(11, 400, 800));
  }
};

template <unsigned N>
class CSudokuGeneratorSorcerer : public CSudokuGenerator<N> {
 public:
  CSudokuGeneratorSorcerer() {
    this->SetPatterns(GeneratorLevel::kSorcererSteps, std::size(GeneratorLevel::kSorcererSteps));
    this->SetTargetRating(GeneratorLevel::Target<N>(12, 650, 1400));
  }
};

// The generator of a level, 1 (Beginner) to 5 (Sorcerer). Level 0 means "no
// generated puzzle", but such a game still holds a Beginner generator as its
// solver. Other numbers name no level and give nothing.
template <unsigned N>
std::unique_ptr<CSudokuGenerator<N>> MakeLevelGenerator(std::uint32_t level) {
  switch (level) {
    case 0:
    case 1: return std::make_unique<CSudokuGeneratorBeginner<N>>();
    case 2: return std::make_unique<CSudokuGeneratorIntermediate<N>>();
    case 3: return std::make_unique<CSudokuGeneratorAdvanced<N>>();
    case 4: return std::make_unique<CSudokuGeneratorMaster<N>>();
    case 5: return std::make_unique<CSudokuGeneratorSorcerer<N>>();
    default: return nullptr;
  }
}
