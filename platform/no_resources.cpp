// The resource table of a program that embeds no resources: the artwork
// program, which makes them.
#include "platform/resources.h"

namespace platform {
std::span<const EmbeddedResource> embedded_resources() { return {}; }
}  // namespace platform
