#pragma once
#include <optional>
#include <string>

namespace cmpnt {

// The number of threads a run may use: the configured value when there is
// one, else the OSTREL_THREADS environment variable, else every core.
// A value that is not a whole number of at least 1 fails with a message
// naming where it came from and the value.
int thread_budget(const std::optional<std::string>& configured = std::nullopt);

}  // namespace cmpnt
