#include "celltracking/track_positions_table.h"

#include "celltracking/track_access.h"

namespace isbi {

void TrackPositionsTable::add(const Row& row) {
    has_measures_ = has_measures_ || row.measures.has_value();
    rows_.push_back(row);
}

void TrackPositionsTable::write(std::ostream& out) const {
    static const char* const axes[] = {"x", "y", "z"};
    out << "frame,label,parent";
    for (int k = 0; k < dimension_; ++k) out << ',' << axes[k];
    if (has_measures_) out << ",area,mean_intensity";
    out << '\n';
    for (const Row& row : rows_) {
        out << row.frame << ',' << row.label << ',' << row.parent;
        for (int k = 0; k < dimension_; ++k) out << ',' << format_number(row.position[k]);
        if (has_measures_) {
            out << ',';
            if (row.measures)
                out << format_number(row.measures->area) << ',' << format_number(row.measures->mean_intensity);
            else
                out << ',';
        }
        out << '\n';
    }
}

}  // namespace isbi
