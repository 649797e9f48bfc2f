// The window going around the workbench, which the layer check must refuse.
#include "colour/ColourTools.h"
