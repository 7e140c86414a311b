#pragma once
#include <cstdint>
#include <map>
#include <string>

namespace ctc {

// Labels of the cell-tracking-challenge form: 16-bit mask values, read wider
// so that an out-of-range label in a text file can be reported.
using Label = std::uint32_t;

// One line "L B E P" of res_track.txt or man_track.txt: a track's label, its
// first and last frame and the label it divided from (0 for none).
struct TrackRecord {
    Label label = 0;
    int begin = 0;
    int end = 0;
    Label parent = 0;
};

// The tracks of a lineage file by label.
using TrackTable = std::map<Label, TrackRecord>;

// Reads a lineage file. Blank lines are skipped; any other line must hold
// four non-negative integers. Throws util::Exception naming the file's name
// (`shown_name`) and the line when a line is malformed, a label is 0 or
// listed twice, or a track ends before it begins.
TrackTable read_track_table(const std::string& path, const std::string& shown_name);

}  // namespace ctc
