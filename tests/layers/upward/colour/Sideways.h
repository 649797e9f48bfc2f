// A sideways include between sibling layers, which the layer check must refuse.
#include "skin/MakeSkin.h"
