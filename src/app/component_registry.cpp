// The catalogue of component keys, in registration order.
#include "app/registration.h"
#include "config/declare.h"
#include "celltracking/isbi_frame_writer.h"
#include "celltracking/meta_data_state_inserter.h"
#include "celltracking/result_component_registry.h"
#include "celltracking/track_relabeler.h"
#include "celltracking/trailing_coast_remover.h"
#include "celltracking/unconfirmed_track_size_buffer_filter.h"
#include "imaging/image_component_registry.h"
#include "lineage/lineage_registry.h"
#include "pipeline/component_chain.h"
#include "pipeline/frame_counter.h"
#include "pipeline/frame_reader.h"
#include "pipeline/frame_writer.h"
#include "pipeline/pass_through.h"
#include "pipeline/prefetch.h"
#include "pipeline/splitter.h"
#include "simulation/scenario_source.h"
#include "tracker/filter_definer.h"
#include "tracker/multiple_hypothesis_tracker.h"
#include "tracker/track_report_frame_to_composite_state_frame_converter.h"

namespace app {

void register_components() {
    using cmpnt::Component;
    using util::create;
    auto& f = cmpnt::factory();

    // Generic stages (config::register_key also declares a key's parameters,
    // for --describe, when its class has a schema).
    config::register_key<Component, cmpnt::ComponentChain>(f, "component_chain");
    config::register_key<Component, cmpnt::FrameCounter>(f, "frame_counter");
    config::register_key<Component, cmpnt::Splitter>(f, "splitter");
    config::register_key<Component, cmpnt::PassThrough>(f, "pass_through");
    config::register_key<Component, cmpnt::Terminator>(f, "terminator");
    config::register_key<Component, cmpnt::FrameWriter>(f, "frame_writer");
    util::register_key(f, "prefetch", &create<Component, cmpnt::Prefetch>);

    // Images: TIFF readers and writers, segmentation, operators, contact
    // extraction (the image family's own catalogue, composed from type words).
    ipc::register_image_components(f);

    // Tracking and cell-tracking output.
    util::register_key(f, "meta_data_state_inserter", &create<Component, truth::MetaDataStateInserter>);
    util::register_key(f, "filter_definer", &create<Component, ostrel::FilterDefiner>);
    util::register_key(f, "multiple_hypothesis_tracker", &create<Component, ostrel::MultipleHypothesisTracker>);
    util::register_key(f, "track_report_frame_to_composite_state_frame_converter",
                       &create<Component, ostrel::TrackReportFrameToCompositeStateFrameConverter>);
    util::register_key(f, "unconfirmed_track_size_buffer_filter",
                       &create<Component, ostrel::UnconfirmedTrackSizeBufferFilter>);
    util::register_key(f, "track_relabeler", &create<Component, ostrel::TrackRelabeler>);
    util::register_key(f, "isbi_frame_writer", &create<Component, isbi::IsbiFrameWriter>);
    util::register_key(f, "isbi_frame_writer_3d", &create<Component, isbi::IsbiFrameWriter3d>);
    util::register_key(f, "trailing_coast_remover", &create<Component, isbi::TrailingCoastRemover>);

    // Lineage decisions (divisions, gap closing) and further result writers.
    lineage::register_lineage_components(f);
    isbi::register_result_components(f);

    // Sources added after the catalogue above.
    util::register_key(f, "frame_reader", &create<Component, cmpnt::FrameReader>);
    util::register_key(f, "scenario_source", &create<Component, smltr::ScenarioSource>);
}

}  // namespace app
