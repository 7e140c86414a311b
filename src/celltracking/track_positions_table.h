#pragma once
#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "celltracking/track_lineage.h"

namespace isbi {

// The table "tracks.csv" written beside res_track.txt: a header line, then
// one row per (label, frame) that res_track.txt spans:
// frame,label,parent,x,y (z in 3-D), followed by area,mean_intensity when
// some track's contact carried segment measures (empty where one did not).
class TrackPositionsTable {
public:
    struct Row {
        std::int32_t frame = 0;
        std::int32_t label = 0;
        std::int32_t parent = 0;
        nmrc::Vector<3> position;
        std::optional<SegmentMeasures> measures;
    };

    explicit TrackPositionsTable(int dimension) : dimension_(dimension) {}

    void add(const Row& row);
    void write(std::ostream& out) const;

private:
    int dimension_;
    bool has_measures_ = false;
    std::vector<Row> rows_;
};

}  // namespace isbi
