#pragma once
#include <cstdint>
#include <map>
#include <ostream>

#include "celltracking/track_lineage.h"

namespace isbi {

// Draws a lineage (label -> begin, end, parent) as one SVG picture: time runs
// down, each label is a vertical bar from its first to its last frame in its
// overlay colour, with its number at the top, and every child hangs from its
// parent's last frame, so that a division is a fork. Trees stand side by
// side in the order of their first labels; a parent sits above the middle of
// its children. A time axis on the left marks the frames.
void write_lineage_svg(std::ostream& out, const std::map<std::int32_t, TrackLineage::Segment>& tracks);

}  // namespace isbi
