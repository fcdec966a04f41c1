// The three game sizes, compiled once here.

#include "forms/gameobject/Game.h"

template class Game<2>;
template class Game<3>;
template class Game<4>;
