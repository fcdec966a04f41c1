#include "svg/number_conversion.h"

#include <cstdlib>

namespace agg::svg {

string_to_double_function string_to_double = &std::atof;

}  // namespace agg::svg
