// The resource table of a build that embeds no resource files yet.
#include "platform/resources.h"

namespace platform {
std::span<const EmbeddedResource> embedded_resources() { return {}; }
}  // namespace platform
