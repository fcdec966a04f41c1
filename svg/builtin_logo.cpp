#include "svg/builtin_logo.h"

namespace agg::svg {

const char* builtin_logo_svg()
{
    return "<svg><g><polygon id='bounding_rect' fill='none' points='-74.0516,-17.7543 627.696,-17.7543 627.696,632.53 -74.0516,632.53 '/>"
           "</g></svg>";
}

} // namespace agg::svg
