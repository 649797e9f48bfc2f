// An upward include the layer check must refuse.
#include "app/Workbench.h"
