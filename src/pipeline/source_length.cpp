#include "pipeline/source_length.h"

namespace cmpnt {

namespace {
std::optional<std::size_t>& length() {
    static std::optional<std::size_t> frames;
    return frames;
}
}  // namespace

void announce_source_length(std::size_t frames) { length() = frames; }
std::optional<std::size_t> announced_source_length() { return length(); }
void forget_source_length() { length().reset(); }

}  // namespace cmpnt
