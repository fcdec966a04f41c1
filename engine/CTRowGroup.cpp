#include "engine/CTRowGroup.h"

template class CTRowGroup<2>;
template class CTRowGroup<3>;
template class CTRowGroup<4>;
