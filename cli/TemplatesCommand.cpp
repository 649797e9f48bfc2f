// `templates`: writes the embedded template set back out.
#include "cli/Commands.h"

namespace vk::cli {

int runTemplates(const std::vector<std::string>&) { throw UsageError{"templates: not available yet"}; }

} // namespace vk::cli
