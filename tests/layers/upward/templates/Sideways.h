// A sideways include between sibling layers, which the layer check must refuse.
#include "format/SkinFiles.h"
