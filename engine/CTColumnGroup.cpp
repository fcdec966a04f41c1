#include "engine/CTColumnGroup.h"

template class CTColumnGroup<2>;
template class CTColumnGroup<3>;
template class CTColumnGroup<4>;
