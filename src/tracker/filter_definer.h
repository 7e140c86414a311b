#pragma once
#include <map>
#include <string>

#include "config/schema.h"
#include "pipeline/component.h"
#include "tracker/filter_set.h"

namespace ostrel {

// Stands ahead of the tracker: turns each CompositeStateFrame of contacts
// into a TrackReportFrame whose reports carry the filters of the set named
// by the frame's SensorTypeState. Component key "filter_definer".
//
// Configuration: "terminator" and "zombie_coaster" (each one filter, the
// defaults), and "filters" with one element per sensor type, named by it,
// holding "initializer", "updater", "coaster", "continuation_updater" and
// optionally "terminator" and "zombie_coaster". A later element of the same
// name overwrites every slot of an earlier one.
class FilterDefiner : public cmpnt::MonoChildComponent {
public:
    struct Parameters {
        FilterPtr terminator;      // of every set that has none of its own
        FilterPtr zombie_coaster;  // likewise
        // By sensor type; a null terminator or zombie_coaster takes the
        // default above.
        std::map<std::string, FilterSet> filters;
    };
    static const config::Schema<Parameters>& schema();
    // The filters of one sensor type's element.
    static const config::Schema<FilterSet>& filter_set_schema();

    explicit FilterDefiner(const Parameters& parameters);
    explicit FilterDefiner(const xml::Querier& querier) : FilterDefiner(schema().bind(querier)) {}

    void push_frame(cmpnt::FramePtr frame) override;

    // The set for a sensor type; "no filter set for sensor type " + name when
    // there is none.
    const FilterSet& filter_set(const std::string& sensor_type) const;
    const std::map<std::string, FilterSet>& filter_sets() const { return filter_sets_; }

private:
    std::map<std::string, FilterSet> filter_sets_;
};

}  // namespace ostrel
