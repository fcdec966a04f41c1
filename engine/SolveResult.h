#pragma once
// Result codes of CSudokuSolver::SolveLogical and CSudokuSolver::Solve.

#include <cstdint>

namespace SolveResult {
inline constexpr std::uint32_t kSolved = 0;           // no empty cell left
inline constexpr std::uint32_t kStuck = 1;            // logic: nothing applies; search: undecided
inline constexpr std::uint32_t kNoSolution = 3;       // search: every branch contradicted
inline constexpr std::uint32_t kTooManyBranches = 4;  // search: gave up after 250 branch points
inline constexpr std::uint32_t kContradiction = 6;    // logic: a digit twice, or a cell without candidates
inline constexpr std::uint32_t kCancelled = 7;        // search: the progress callback asked to stop
inline constexpr std::uint32_t kRunning = 8;          // search: internal, never returned
}  // namespace SolveResult
