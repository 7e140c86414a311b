#pragma once
#include <string>
#include <vector>

#include "app/cells/cell_plan.h"
#include "app/cells/xml_element.h"

namespace cells {

// The cell-tracking configuration, built in parts so that a better part
// (a segmentation chain, a division model) replaces one function:
//   source -> segmentation -> contacts -> filters and tracker -> clean-up -> result.
std::vector<Element> source_stages(const CellTrackingPlan& plan);
std::vector<Element> segmentation_stages(const CellTrackingPlan& plan, const TrackingNumbers& numbers);
std::vector<Element> tracking_stages(const CellTrackingPlan& plan, const TrackingNumbers& numbers);
std::vector<Element> cleanup_stages(const CellTrackingPlan& plan, const TrackingNumbers& numbers);
std::vector<Element> result_stages(const CellTrackingPlan& plan, const TrackingNumbers& numbers);

// The filter set "cells" of the filter definer: a random-walk position
// model, gating, life scoring and 2-of-3 confirmation.
Element cell_filter_definer(const CellTrackingPlan& plan, const TrackingNumbers& numbers);

// The whole chain as a configuration file (validates the plan first).
std::string cell_tracking_configuration(const CellTrackingPlan& plan);

}  // namespace cells
