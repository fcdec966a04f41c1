#pragma once
// The puzzle engine, in one include.
//
// How the pieces fit:
// - CTTable<N> is the board: S*S cells (CTCell<N>) bound to a value array
//   (255 = empty, digits 0..S-1) and a candidate-mask array (bit d = digit d).
//   Bulk work uses the arrays; the techniques go through cells and groups.
// - CTRowGroup / CTColumnGroup / CTBoxGroup are views of one row, column or
//   box of a table: position i -> cell, table index, box/row/column. They also
//   carry the two intersection reductions (ReduceBoxByLine on lines,
//   ReduceLineByBox on boxes) that techniques 4 and 5 call.
// - CTPattern<N> is a technique: Apply(group, hint*) examines one group (the
//   whole-board ones get row 0 and use its table) and says whether it changed
//   the board. Ids are in PatternId.h; usage counts feed the rating.
// - CHintInfo records one finding (technique id + cause/effect items) when a
//   caller asks for a hint instead of a silent step.
// - CBranchMaker<N> is the search strategy under the solver and generator:
//   BranchMakerDepth tries digits of the fewest-candidate cell depth first,
//   CBranchMakerRemoveMode removes digits at random level by level. Both keep
//   their branch points on a kmxCTSteck allocated once per Init.
// - CSolutionCounter<N> tells whether a board has none, one or several
//   solutions, by a bounded search of its own: for puzzles that come from
//   outside the generator, which the game plays only with one solution, and
//   for the check and Solve of a grid whose solution is not known.
// Everything size-dependent is a template over N and is built for 2, 3 and 4
// only (explicit instantiation in the .cpp files). Programming errors are
// thrown as plain character strings.

#include "engine/BranchMakerDepth.h"
#include "engine/CBranchMaker.h"
#include "engine/CBranchMakerRemoveMode.h"
#include "engine/CHintInfo.h"
#include "engine/CSolutionCounter.h"
#include "engine/CTBits.h"
#include "engine/CTBoxGroup.h"
#include "engine/CTCell.h"
#include "engine/CTColumnGroup.h"
#include "engine/CTGroup.h"
#include "engine/CTLineGroup.h"
#include "engine/CTPattern.h"
#include "engine/CTRowGroup.h"
#include "engine/CTTable.h"
#include "engine/GroupKind.h"
#include "engine/PatternId.h"
#include "engine/kmxCTSteck.h"
#include "engine/patterns/CTBoxLineReductionPattern.h"
#include "engine/patterns/CTHiddenSinglePattern.h"
#include "engine/patterns/CTIllegalCandidatePattern.h"
#include "engine/patterns/CTIllegalValuePattern.h"
#include "engine/patterns/CTNakedSinglePattern.h"
#include "engine/patterns/CTPointingPairPattern.h"
