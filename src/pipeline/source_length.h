#pragma once
#include <cstddef>
#include <optional>

namespace cmpnt {

// How many frames the run's source will produce, when the source knows it
// (a TIFF reader knows its file list once it is built). The run loop reads
// it to show an estimated time of arrival. Process-wide: one run at a time.
void announce_source_length(std::size_t frames);
std::optional<std::size_t> announced_source_length();
// Called before a run builds its pipeline, so that no earlier run's length
// is taken for this one's.
void forget_source_length();

}  // namespace cmpnt
