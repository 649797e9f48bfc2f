// The document inside a workbench, for the tests and benchmarks of the layers
// below it, which drive the document directly.
#pragma once
#include "app/Workbench.h"

namespace vk {

struct WorkbenchTestAccess {
    static SkinDocument& document(Workbench& bench) { return bench.doc_; }
};

inline SkinDocument& docOf(Workbench& bench) { return WorkbenchTestAccess::document(bench); }
inline const SkinDocument& docOf(const Workbench& bench) { return bench.document(); }

} // namespace vk
