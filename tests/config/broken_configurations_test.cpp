#include <gtest/gtest.h>

#include <string>

#include "app/registration.h"
#include "config/catalogue.h"
#include "filters/filter_registry.h"
#include "geometry/footprint.h"
#include "pipeline/component.h"
#include "geometry/footprint_registry.h"
#include "geometry/uniform_footprint.h"
#include "simulation/simulator.h"
#include "simulation/simulator_registry.h"
#include "tracker/filter.h"
#include "xml/strictness.h"

namespace {

// Fills the factories the corpus needs, once per test program.
void register_families() { app::register_all(); }

enum class Family { component, filter, simulator, footprint_1d, footprint_2d, footprint_3d, uniform_1d };

void build(Family family, const std::string& element) {
    const xml::Querier q = xml::Querier::parse("\n" + element);
    switch (family) {
    case Family::component: cmpnt::factory().create(q); break;
    case Family::filter: ostrel::filter_factory().create(q); break;
    case Family::simulator: smltr::factory().create(q); break;
    case Family::footprint_1d: ftprnt::make_footprint<1>(q); break;
    case Family::footprint_2d: ftprnt::make_footprint<2>(q); break;
    case Family::footprint_3d: ftprnt::make_footprint<3>(q); break;
    case Family::uniform_1d: ftprnt::make_uniform_footprint<1>(q); break;
    }
}

// A broken configuration and what its error must name: the key and the
// element at fault (and, where the mistake is an unknown element, the strict
// mode that turns the warning into an error).
struct Broken {
    Family family;
    const char* element;
    const char* key;
    const char* at_fault;
    bool strict = false;
};

const Broken corpus[] = {
    // Generic stages.
    {Family::component, "<frame_counter><modulo>0</modulo><max_line_length>80</max_line_length></frame_counter>",
     "frame_counter", "modulo"},
    {Family::component, "<frame_counter><modulo>ten</modulo><max_line_length>80</max_line_length></frame_counter>",
     "frame_counter", "modulo"},
    {Family::component, "<frame_counter><modulo>1</modulo></frame_counter>", "frame_counter", "max_line_length"},
    {Family::component,
     "<frame_counter><modulus>1</modulus><max_line_length>80</max_line_length></frame_counter>", "frame_counter",
     "modulus", true},
    {Family::component,
     "<frame_writer><directory>out</directory><create>false</create><time_width>0</time_width>"
     "<time_factor>inf</time_factor><count_width>3</count_width></frame_writer>",
     "frame_writer", "time_factor"},
    {Family::component,
     "<frame_writer><directory>out</directory><create>false</create><time_width>0</time_width>"
     "<time_factor>1</time_factor><count_width>-1</count_width></frame_writer>",
     "frame_writer", "count_width"},
    // Tracking stages, cell-tracking output and sources.
    {Family::component, "<prefetch><capacity>0</capacity></prefetch>", "prefetch", "capacity"},
    {Family::component, "<prefetch><threads>2000</threads></prefetch>", "prefetch", "threads"},
    {Family::component, "<meta_data_state_inserter/>", "meta_data_state_inserter", "state"},
    {Family::component,
     "<filter_definer><terminator><no_op/></terminator><zombie_coaster><no_op/></zombie_coaster><filters><radar>"
     "<initializer><no_op/></initializer><coaster><no_op/></coaster><continuation_updater><no_op/>"
     "</continuation_updater></radar></filters></filter_definer>",
     "filter_definer", "radar/updater"},
    {Family::component,
     "<filter_definer><terminator><no_op/></terminator><zombie_coaster><no_op/></zombie_coaster><filters><radar>"
     "<initializer><no_op/></initializer><updater><no_op/></updater><coaster><no_op/></coaster>"
     "<continuation_updater><no_op/></continuation_updater><terminater><no_op/></terminater></radar></filters>"
     "</filter_definer>",
     "filter_definer", "terminater", true},
    {Family::component,
     "<multiple_hypothesis_tracker><assignment_algorithm>optimal</assignment_algorithm><nscan>two</nscan>"
     "</multiple_hypothesis_tracker>",
     "multiple_hypothesis_tracker", "nscan"},
    {Family::component,
     "<multiple_hypothesis_tracker><assignment_algorithm>optimal</assignment_algorithm><nscan>2</nscan>"
     "<gate_index>yes</gate_index></multiple_hypothesis_tracker>",
     "multiple_hypothesis_tracker", "gate_index"},
    {Family::component,
     "<multiple_hypothesis_tracker><assignment_algorithm>optimal</assignment_algorithm><nscan>2</nscan>"
     "<maximum_hypotheses_per_track>0</maximum_hypotheses_per_track></multiple_hypothesis_tracker>",
     "multiple_hypothesis_tracker", "maximum_hypotheses_per_track"},
    {Family::component,
     "<multiple_hypothesis_tracker><assignment_algorithm>optimal</assignment_algorithm><nscan>2</nscan>"
     "<hypothesis_ratio>1</hypothesis_ratio></multiple_hypothesis_tracker>",
     "multiple_hypothesis_tracker", "hypothesis_ratio"},
    {Family::component,
     "<multiple_hypothesis_tracker><assignment_algorithm>optimal</assignment_algorithm><n_scan>2</n_scan>"
     "<nscan>2</nscan></multiple_hypothesis_tracker>",
     "multiple_hypothesis_tracker", "n_scan", true},
    {Family::component,
     "<track_report_frame_to_composite_state_frame_converter><mode>1</mode>"
     "</track_report_frame_to_composite_state_frame_converter>",
     "track_report_frame_to_composite_state_frame_converter", "mode", true},
    {Family::component,
     "<unconfirmed_track_size_buffer_filter><buffer_size>0</buffer_size></unconfirmed_track_size_buffer_filter>",
     "unconfirmed_track_size_buffer_filter", "buffer_size"},
    {Family::component, "<trailing_coast_remover><buffer_size>-1</buffer_size></trailing_coast_remover>",
     "trailing_coast_remover", "buffer_size"},
    {Family::component, "<track_relabeler><first_id>one</first_id></track_relabeler>", "track_relabeler",
     "first_id"},
    {Family::component,
     "<isbi_frame_writer><directory>out</directory><create>true</create><distance_gate>-1</distance_gate>"
     "</isbi_frame_writer>",
     "isbi_frame_writer", "distance_gate"},
    {Family::component,
     "<isbi_frame_writer_3d><directory>out</directory><create>true</create><distance_gate>0</distance_gate>"
     "<mask_digits>11</mask_digits></isbi_frame_writer_3d>",
     "isbi_frame_writer_3d", "mask_digits"},
    {Family::component, "<overlay_png_writer><directory></directory><create>true</create></overlay_png_writer>",
     "overlay_png_writer", "directory"},
    {Family::component, "<lineage_svg_writer><files>out.svg</files><file>out.svg</file></lineage_svg_writer>",
     "lineage_svg_writer", "files", true},
    {Family::component, "<frame_reader><directory></directory></frame_reader>", "frame_reader", "directory"},
    {Family::component, "<scenario_source><steps>0</steps></scenario_source>", "scenario_source", "steps"},
    // Footprints and samplers.
    {Family::footprint_1d, "<interval><min>3</min><max>2</max></interval>", "interval", "max"},
    {Family::footprint_2d, "<circle><center>0 0</center><radius>-1</radius></circle>", "circle", "radius"},
    {Family::footprint_2d, "<circle><center>0 x</center><radius>1</radius></circle>", "circle", "center"},
    {Family::footprint_2d, "<rectified_rectangle><p0>1 1</p0><p2>1 3</p2></rectified_rectangle>",
     "rectified_rectangle", "p0"},
    {Family::footprint_3d, "<sphere><center>0 inf 0</center><radius>1</radius></sphere>", "sphere", "center"},
    {Family::footprint_3d,
     "<parallelepiped><p>0 0 0</p><v0>1 0 0</v0><v1>0 1 0</v1><v2>1 1 0</v2></parallelepiped>", "parallelepiped",
     "v2"},
    {Family::footprint_3d,
     "<spherical_shell><center>0 0 0</center><inner_radius>3</inner_radius><outer_radius>2</outer_radius>"
     "</spherical_shell>",
     "spherical_shell", "outer_radius"},
    {Family::uniform_1d, "<interval><min>0</min><max>inf</max></interval>", "interval", "max"},
    // Filters.
    {Family::filter,
     "<birth_initializer><death_rate>0</death_rate><birth_rate>1</birth_rate><nominal_dt>1</nominal_dt>"
     "</birth_initializer>",
     "birth_initializer", "death_rate"},
    {Family::filter,
     "<birth_initializer><deathrate>1</deathrate><death_rate>1</death_rate><birth_rate>1</birth_rate>"
     "<nominal_dt>1</nominal_dt></birth_initializer>",
     "birth_initializer", "deathrate", true},
    {Family::filter, "<life_score_inserter><death_rate>-1</death_rate></life_score_inserter>", "life_score_inserter",
     "death_rate"},
    {Family::filter,
     "<infinite_footprint_missed_detection_score_inserter><detection_probability>2</detection_probability>"
     "</infinite_footprint_missed_detection_score_inserter>",
     "infinite_footprint_missed_detection_score_inserter", "detection_probability"},
    {Family::filter,
     "<m_of_n_confirmer><m>3</m><n>2</n><confirmation_reward>1</confirmation_reward>"
     "<continuation_reward>1</continuation_reward></m_of_n_confirmer>",
     "m_of_n_confirmer", "n"},
    {Family::filter,
     "<nearly_constant_velocity_2d_predictor><process_noise>1 nan</process_noise>"
     "</nearly_constant_velocity_2d_predictor>",
     "nearly_constant_velocity_2d_predictor", "process_noise"},
    {Family::filter,
     "<position_position_velocity_2d_contact_updater_and_gater><filter><no_op/></filter><gate>-1</gate>"
     "</position_position_velocity_2d_contact_updater_and_gater>",
     "position_position_velocity_2d_contact_updater_and_gater", "gate"},
    {Family::filter,
     "<maximum_coast_time_gater><maximum_coast_time>nan</maximum_coast_time><filter><no_op/></filter>"
     "</maximum_coast_time_gater>",
     "maximum_coast_time_gater", "maximum_coast_time"},
    {Family::filter,
     "<position_position_velocity_2d_initializer><prior_velocity_covariance>1 0 0 -4</prior_velocity_covariance>"
     "<nominal_surveillance_area>100</nominal_surveillance_area></position_position_velocity_2d_initializer>",
     "position_position_velocity_2d_initializer", "prior_velocity_covariance"},
    {Family::filter,
     "<ou_gaussian_feature_state_predictor_2d><ou_process_2d><center>0 0</center><sigma>1 0</sigma>"
     "<process_noise>1 1</process_noise></ou_process_2d></ou_gaussian_feature_state_predictor_2d>",
     "ou_gaussian_feature_state_predictor_2d", "sigma"},
    {Family::filter,
     "<mou_2d_predictor><mou_process_2d><center>0 0</center><position_sigma>0 1</position_sigma>"
     "<velocity_sigma>1 1</velocity_sigma><process_noise>1 1</process_noise></mou_process_2d></mou_2d_predictor>",
     "mou_2d_predictor", "position_sigma"},
    {Family::filter, "<esm_mode_contact_updater><gate>-1</gate></esm_mode_contact_updater>",
     "esm_mode_contact_updater", "gate"},
    {Family::filter,
     "<platform_type_distribution_inserter><distribution>0 0</distribution></platform_type_distribution_inserter>",
     "platform_type_distribution_inserter", "distribution"},
    // Simulators.
    {Family::simulator,
     "<ou_simulator_1d><ou_process_1d><center>0</center><sigma>1</sigma><process_noise>1</process_noise>"
     "</ou_process_1d><dt>-1</dt></ou_simulator_1d>",
     "ou_simulator_1d", "dt"},
    {Family::simulator,
     "<mou_simulator_2d><mou_process_2d><center>0 0</center><position_sigma>1 1</position_sigma>"
     "<velocity_sigma>1 1</velocity_sigma><process_noise>1 1</process_noise></mou_process_2d></mou_simulator_2d>",
     "mou_simulator_2d", "dt"},
    {Family::simulator,
     "<position_state_2d_position_sensor><covariance>1 2 2 1</covariance></position_state_2d_position_sensor>",
     "position_state_2d_position_sensor", "covariance"},
    {Family::simulator,
     "<probabilistic_simulator><distribution><choice><weight>-1</weight><simulator><track_labeler>"
     "<first_id>1</first_id></track_labeler></simulator></choice></distribution></probabilistic_simulator>",
     "probabilistic_simulator", "weight"},
    {Family::simulator, "<track_labeler><first_id>one</first_id></track_labeler>", "track_labeler", "first_id"},
    {Family::simulator,
     "<gaussian_feature_vector_state_sensor><sigma>1 -2</sigma></gaussian_feature_vector_state_sensor>",
     "gaussian_feature_vector_state_sensor", "sigma"},
};

TEST(BrokenConfigurations, EveryErrorNamesTheKeyAndTheElementAtFault) {
    register_families();
    EXPECT_GE(std::size(corpus), 30u);
    for (const Broken& c : corpus) {
        SCOPED_TRACE(c.element);
        xml::set_strict_mode(c.strict);
        try {
            build(c.family, c.element);
            ADD_FAILURE() << "no error";
        } catch (const std::exception& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(c.key), std::string::npos) << message;
            EXPECT_NE(message.find(c.at_fault), std::string::npos) << message;
        }
        xml::set_strict_mode(false);
    }
}

// Every key whose parameters are declared is described by --describe.
TEST(BrokenConfigurations, TrackingAndResultKeysAreDescribed) {
    register_families();
    for (const char* key :
         {"prefetch", "meta_data_state_inserter", "filter_definer", "multiple_hypothesis_tracker",
          "track_report_frame_to_composite_state_frame_converter", "unconfirmed_track_size_buffer_filter",
          "track_relabeler", "isbi_frame_writer", "isbi_frame_writer_3d", "trailing_coast_remover",
          "overlay_png_writer", "lineage_svg_writer", "frame_reader", "scenario_source"}) {
        const std::string text = config::describe_key(key);
        EXPECT_EQ(text.rfind(std::string(key) + ": ", 0), 0u) << text;
        EXPECT_EQ(text.find("no parameter description"), std::string::npos) << text;
    }
}

}  // namespace
