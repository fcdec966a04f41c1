#include "engine/CTSingletonPatternFactory.h"

#include "engine/patterns/CTBoxLineReductionPattern.h"
#include "engine/patterns/CTFishSubsetPattern.h"
#include "engine/patterns/CTHiddenSinglePattern.h"
#include "engine/patterns/CTHiddenSubsetPattern.h"
#include "engine/patterns/CTIllegalCandidatePattern.h"
#include "engine/patterns/CTIllegalValuePattern.h"
#include "engine/patterns/CTNakedSinglePattern.h"
#include "engine/patterns/CTNakedSubsetPattern.h"
#include "engine/patterns/CTPointingPairPattern.h"
#include "engine/patterns/CTRemotePairPattern.h"

template <unsigned N>
std::unique_ptr<CTPattern<N>> CTSingletonPatternFactory<N>::Create(std::uint32_t id) {
  switch (id) {
    case PatternId::kIllegalValue: return std::make_unique<CTIllegalValuePattern<N>>();
    case PatternId::kIllegalCandidate: return std::make_unique<CTIllegalCandidatePattern<N>>();
    case PatternId::kNakedSingle: return std::make_unique<CTNakedSinglePattern<N>>();
    case PatternId::kHiddenSingle: return std::make_unique<CTHiddenSinglePattern<N>>();
    case PatternId::kBoxLineReduction: return std::make_unique<CTBoxLineReductionPattern<N>>();
    case PatternId::kPointingPair: return std::make_unique<CTPointingPairPattern<N>>();
    case PatternId::kNakedPair: return std::make_unique<CTNakedPairPattern<N>>();
    case PatternId::kNakedTriple: return std::make_unique<CTNakedTriplePattern<N>>();
    case PatternId::kNakedQuad: return std::make_unique<CTNakedQuadPattern<N>>();
    case PatternId::kHiddenPair: return std::make_unique<CTHiddenPairPattern<N>>();
    case PatternId::kHiddenTriple: return std::make_unique<CTHiddenTriplePattern<N>>();
    case PatternId::kHiddenQuad: return std::make_unique<CTHiddenQuadPattern<N>>();
    case PatternId::kRemotePair: return std::make_unique<CTRemotePairPattern<N>>();
    case PatternId::kXWing: return std::make_unique<CTXWingPattern<N>>();
    case PatternId::kSwordfish: return std::make_unique<CTSwordfishPattern<N>>();
    case PatternId::kJellyfish: return std::make_unique<CTJellyfishPattern<N>>();
    default: throw "There is no such pattern!!";
  }
}

template class CTSingletonPatternFactory<2>;
template class CTSingletonPatternFactory<3>;
template class CTSingletonPatternFactory<4>;
