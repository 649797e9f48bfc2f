// The command line going around the workbench, which the layer check must refuse.
#include "output/SkinWriter.h"
