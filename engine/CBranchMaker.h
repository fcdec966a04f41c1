#pragma once
// The search strategy plugged into the solver's and the generator's loops.
// Those loops only save a branch point (MakeBranch) and ask for the next
// alternative (NextBranch); what an alternative is belongs to the maker.
// Init creates the stack, Clear drops it; both loops bracket their work with
// the two. Without a stack MakeBranch and NextBranch answer false.

#include <cstdint>

#include "engine/CTTable.h"

template <unsigned N>
class CBranchMaker {
 public:
  CBranchMaker() = default;
  virtual ~CBranchMaker() = default;
  CBranchMaker(const CBranchMaker&) = delete;
  CBranchMaker& operator=(const CBranchMaker&) = delete;

  virtual void Init() = 0;
  virtual void Clear() = 0;
  virtual bool MakeBranch(CTTable<N>& table) = 0;
  virtual bool NextBranch(CTTable<N>& table) = 0;

  // Branch points made (depth search) or levels pushed (removal) since Init.
  std::uint32_t GetBranchCount() const { return m_branchCount; }
  // Set once a branch point could not be saved because the stack was full;
  // never cleared, so a search that ran out after a loss is undecided.
  bool IsBranchLost() const { return m_lostBranch; }
  // Levels on the removal stack (pushed minus exhausted).
  std::uint32_t GetLevelCount() const { return m_levelCount; }

 protected:
  std::uint32_t m_branchCount = 0;
  bool m_lostBranch = false;
  std::uint32_t m_levelCount = 0;
};
