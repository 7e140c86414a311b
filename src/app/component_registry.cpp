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
    config::register_key<Component, cmpnt::Prefetch>(f, "prefetch");

    // Images: TIFF readers and writers, segmentation, operators, contact
    // extraction (the image family's own catalogue, composed from type words).
    ipc::register_image_components(f);

    // Tracking and cell-tracking output.
    config::register_key<Component, truth::MetaDataStateInserter>(f, "meta_data_state_inserter");
    config::register_key<Component, ostrel::FilterDefiner>(f, "filter_definer");
    config::register_key<Component, ostrel::MultipleHypothesisTracker>(f, "multiple_hypothesis_tracker");
    config::register_key<Component, ostrel::TrackReportFrameToCompositeStateFrameConverter>(
        f, "track_report_frame_to_composite_state_frame_converter");
    config::register_key<Component, ostrel::UnconfirmedTrackSizeBufferFilter>(f,
                                                                           "unconfirmed_track_size_buffer_filter");
    config::register_key<Component, ostrel::TrackRelabeler>(f, "track_relabeler");
    config::register_key<Component, isbi::IsbiFrameWriter>(f, "isbi_frame_writer");
    config::register_key<Component, isbi::IsbiFrameWriter3d>(f, "isbi_frame_writer_3d");
    config::register_key<Component, isbi::TrailingCoastRemover>(f, "trailing_coast_remover");

    // Lineage decisions (divisions, gap closing) and further result writers.
    lineage::register_lineage_components(f);
    isbi::register_result_components(f);

    // Sources added after the catalogue above.
    config::register_key<Component, cmpnt::FrameReader>(f, "frame_reader");
    config::register_key<Component, smltr::ScenarioSource>(f, "scenario_source");
}

}  // namespace app
