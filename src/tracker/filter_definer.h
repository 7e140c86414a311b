#pragma once
#include <map>
#include <string>

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
// optionally "terminator" and "zombie_coaster".
class FilterDefiner : public cmpnt::MonoChildComponent {
public:
    explicit FilterDefiner(const xml::Querier& querier);

    void push_frame(cmpnt::FramePtr frame) override;

    // The set for a sensor type; "no filter set for sensor type " + name when
    // there is none.
    const FilterSet& filter_set(const std::string& sensor_type) const;
    const std::map<std::string, FilterSet>& filter_sets() const { return filter_sets_; }

private:
    FilterPtr default_terminator_;
    FilterPtr default_zombie_coaster_;
    std::map<std::string, FilterSet> filter_sets_;
};

}  // namespace ostrel
