#include "app/cells/cell_configuration.h"

#include <cmath>

#include "util/exception.h"

namespace cells {

namespace {

// Keys and element names that differ between 2-D and 3-D.
struct Words {
    std::string d;  // "2d" or "3d"
    explicit Words(const CellTrackingPlan& plan) : d(plan.dimensions == 3 ? "3d" : "2d") {}
    std::string position(const std::string& role) const { return "position_position_" + d + "_" + role; }
    std::string predictor() const { return "nearly_constant_position_" + d + "_predictor"; }
};

std::string repeated(double value, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += (i ? " " : "") + number_text(value);
    return text;
}

// What a contact inside the gate adds: survival, bookkeeping, confirmation.
Element contact_scoring(double death_rate) {
    Element composite("composite");
    Element life("life_score_inserter");
    life.add("death_rate", death_rate);
    composite.add(life).add(Element("last_contact_time_initializer")).add(Element("missed_detection_count_zeroer"));
    composite.add(Element("m_of_n_contact_updater"));
    Element confirmer("m_of_n_confirmer");
    confirmer.add("m", 2).add("n", 3).add("confirmation_reward", 100).add("continuation_reward", 2);
    return composite.add(confirmer);
}

Element predictor(const CellTrackingPlan& plan, const TrackingNumbers& numbers) {
    Element element(Words(plan).predictor());
    element.add("process_noise", repeated(numbers.process_noise, plan.dimensions));
    return element;
}

// Predict to the contact, update, and gate; the slot is "updater" or
// "continuation_updater" (a contact already labelled as a track is treated
// like any other).
Element contact_updater(const std::string& slot, const CellTrackingPlan& plan, const TrackingNumbers& numbers,
                        double death_rate) {
    Element gater(Words(plan).position("contact_updater_and_gater"));
    gater.add(Element("filter").add(contact_scoring(death_rate)));
    gater.add("gate", numbers.gate);
    Element composite("composite");
    composite.add(Element("time_previous_time_updater")).add(predictor(plan, numbers)).add(gater);
    return Element(slot).add(composite);
}

}  // namespace

std::vector<Element> source_stages(const CellTrackingPlan& plan) {
    Element reader(plan.dimensions == 3 ? "short_image_3d_tiff_reader" : "short_image_tiff_reader",
                   "One image per file, in name order; frame k has time k.");
    reader.add("directory", plan.input).add("start_time", 0).add("dt", 1);
    Element read_ahead("prefetch", "The next image is read on a thread of its own while this one is segmented\n"
                                   "(one waiting image at most; with OSTREL_THREADS=1 the stages take turns).");
    read_ahead.add("capacity", 1);
    return {reader, read_ahead};
}

namespace {

// Raw images: smooth, correct the background, threshold, split touching
// cells into objects; the keys differ only in their 2-D or 3-D words.
std::vector<Element> raw_image_stages(const CellTrackingPlan& plan, const TrackingNumbers& numbers) {
    const bool stack = plan.dimensions == 3;
    const std::string image = stack ? "short_image_3d" : "short_image";
    const std::string pair = stack ? "short_image_3d_segmented_image_3d" : "short_image_segmented_image";
    const std::string d3 = stack ? "_3d" : "";
    std::vector<Element> stages;
    std::string smoothing =
        plan.rods ? "Smoothing of a seventh of a rod's width: the seams between touching rods stay."
                  : "Smoothing of a seventh of the diameter: each cell thresholds as one solid region.";
    if (plan.signal_to_noise > 0 && plan.signal_to_noise < kQuietSignalToNoise)
        smoothing += " Widened for noisy images (cells " + number_text(std::round(plan.signal_to_noise * 10) / 10) +
                     " times the pixel noise above the background).";
    stages.emplace_back(image + "_to_" + image + "_gaussian_smoother_algorithm_component", smoothing);
    stages.back().add("sigma", numbers.smoothing_sigma);
    stages.emplace_back(image + "_to_" + image + "_background_subtractor_algorithm_component",
                        "Uneven illumination: the background, measured on squares of 2.5 diameters, is subtracted.");
    stages.back().add("scale", numbers.background_scale);
    stages.emplace_back(pair + "_initializer_algorithm_component");
    stages.emplace_back(pair + "_threshold_segmentor" + d3 + "_algorithm_component",
                        plan.rods ? "Foreground: Otsu's threshold between the cells and the seams and background."
                                  : "Foreground: above the foot of the background's peak in the histogram (dim cells too).");
    stages.back().add("method", numbers.threshold_method);
    // Rods packed side by side have level ridges that a split by the outline
    // cuts into pieces; the dim seams between them separate them instead
    // (each keeps only the pixels above 30 % of its own peak).
    const int seed_distance = plan.rods ? 0 : numbers.seed_distance;
    const std::string splitting =
        plan.rods ? "touching rods told apart by the dim seams between them (seed_distance 0: no split by the outline)."
                  : "touching cells split from centres " + std::to_string(seed_distance) + " pixels (0.6 diameters) apart.";
    stages.emplace_back(pair + "_object_segmentor" + d3 + "_algorithm_component",
                        "Cells as objects: each keeps the pixels above 30 % of its own peak, holes filled, specks below\n" +
                            std::to_string(numbers.minimum_contact_size) + " pixels dropped, " + splitting);
    stages.back()
        .add("relative_threshold", 0.3)
        .add("fill_holes", "true")
        .add("minimum_size", numbers.minimum_contact_size)
        .add("seed_distance", seed_distance)
        .add("neck_ratio", 0.95);
    stages.emplace_back(pair + "_to_contact_frame_converter");
    return stages;
}

// Label masks: each value is one cell (0 is the background), split into
// its connected pieces.
std::vector<Element> label_mask_stages(const CellTrackingPlan& plan) {
    if (plan.dimensions == 3)
        throw util::Exception("label masks in 3-D stacks cannot be tracked yet; track the raw stacks instead");
    std::vector<Element> stages;
    stages.emplace_back("short_image_segmented_image_initializer_algorithm_component",
                        "Each value of a label mask is one cell (0 is the background).");
    stages.emplace_back("short_image_segmented_image_label_segmentor_algorithm_component");
    stages.emplace_back("short_image_segmented_image_to_segment_image_converter_algorithm_component");
    stages.emplace_back("segment_image_segmented_image_initializer_algorithm_component",
                        "Connected regions: one segment per cell.");
    stages.emplace_back("segment_image_segmented_image_spatial_segmentor_algorithm_component");
    stages.emplace_back("segment_image_segmented_image_to_contact_frame_converter");
    return stages;
}

}  // namespace

std::vector<Element> segmentation_stages(const CellTrackingPlan& plan, const TrackingNumbers& numbers) {
    std::vector<Element> stages = plan.masks ? label_mask_stages(plan) : raw_image_stages(plan, numbers);
    stages.back().comment = "Contacts at the segments' centroids, " + number_text(numbers.position_sigma) +
                            " pixel(s) of standard deviation per axis (a tenth of the diameter,\n"
                            "at least 1), each with its size, intensity and shape.";
    stages.back().add("sigma", repeated(numbers.position_sigma, plan.dimensions));
    stages.back().add("minimum_contact_size", plan.masks ? numbers.minimum_contact_size : 1);
    return stages;
}

Element cell_filter_definer(const CellTrackingPlan& plan, const TrackingNumbers& numbers) {
    const double death_rate = 0.02;  // per frame: a track's expected life of 50 frames
    Element definer("filter_definer");

    Element terminator("terminator", "A track ends with the probability of dying within the last interval.");
    Element death("death_score_inserter");
    death.add("death_rate", death_rate);
    terminator.add(Element("composite").add(Element("time_previous_time_updater")).add(death));
    definer.add(terminator);
    definer.add(Element("zombie_coaster").add(Element("no_op")));

    Element cells("cells");
    Element initializer("initializer", "A new track: bookkeeping, its position from the contact, the birth term.");
    Element start("composite");
    start.add(Element("time_previous_time_initializer"))
        .add(Element("last_contact_time_initializer"))
        .add(Element("missed_detection_count_zeroer"))
        .add(Element("m_of_n_initializer"));
    Element position(Words(plan).position("initializer"));
    position.add("nominal_surveillance_area", numbers.surveillance_area,
                 plan.dimensions == 3 ? "the stack's volume in voxels" : "the image area in pixels");
    start.add(position);
    Element birth("birth_initializer");
    birth.add("death_rate", death_rate).add("birth_rate", 0.5).add("nominal_dt", 1);
    start.add(birth);
    cells.add(initializer.add(start));

    Element updater = contact_updater("updater", plan, numbers, death_rate);
    updater.comment = "A contact extends a track: predict (the position variance grows by " +
                      number_text(numbers.process_noise) + " pixels^2 per frame and axis,\n(maximum speed)^2 / " +
                      std::to_string(plan.dimensions) + "), update, and gate at " + number_text(numbers.gate) +
                      " (99.9 % of the predicted spread).";
    cells.add(updater);

    Element coaster("coaster", "A missed detection: at most 2 in a row, seen with probability 0.95.");
    Element coast("composite");
    coast.add(Element("time_previous_time_updater"))
        .add(Element("missed_detection_count_incrementer"))
        .add(Element("m_of_n_coast_updater"));
    Element limit("maximum_missed_detection_gater");
    limit.add("maximum_missed_detections", 2);
    Element coast_scoring("composite");
    Element life("life_score_inserter");
    life.add("death_rate", death_rate);
    Element miss("infinite_footprint_missed_detection_score_inserter");
    miss.add("detection_probability", 0.95);
    coast_scoring.add(predictor(plan, numbers)).add(life).add(miss);
    limit.add(Element("filter").add(coast_scoring));
    coast.add(limit);
    cells.add(coaster.add(coast));

    cells.add(contact_updater("continuation_updater", plan, numbers, death_rate));
    definer.add(Element("filters").add(cells));
    return definer;
}

std::vector<Element> tracking_stages(const CellTrackingPlan& plan, const TrackingNumbers& numbers) {
    Element inserter("meta_data_state_inserter", "Names the filter set (\"cells\") in every frame.");
    inserter.add("sensor_type_state", "cells");
    Element tracker("multiple_hypothesis_tracker",
                    "Decisions are committed 2 frames late; the assignment is a linear program.");
    tracker.add("assignment_algorithm", "hybrid").add("nscan", 2);
    Element prefetch("prefetch", "Tracking and writing run on a thread of their own while the next frames are\n"
                                 "read and segmented; the result is the same with one thread or more.");
    return {prefetch, inserter, cell_filter_definer(plan, numbers), tracker,
            Element("track_report_frame_to_composite_state_frame_converter")};
}

std::vector<Element> cleanup_stages(const CellTrackingPlan& plan, const TrackingNumbers& numbers) {
    Element unconfirmed("unconfirmed_track_size_buffer_filter",
                        "Keep confirmed tracks from their first frame, cut trailing coasts, number the tracks 1, 2, ...");
    unconfirmed.add("buffer_size", 3);
    Element coasts("trailing_coast_remover");
    coasts.add("buffer_size", 3);
    Element relabeler("track_relabeler");
    relabeler.add("first_id", 1);
    Element linker(plan.dimensions == 3 ? "lineage_linker_3d" : "lineage_linker",
                   "Divisions and gaps: the tracks that start are linked to the tracks that ended shortly before\n"
                   "or go on beside them (a mother, or a cell found again after up to 2 frames unseen), all links of\n"
                   "3 frames chosen at once. A daughter starts within search_radius (2 diameters) of her mother;\n"
                   "the daughters' midpoint lies within about midpoint_sigma of where the mother was predicted;\n"
                   "a cell divides with division_probability per frame, not before minimum_age frames old.");
    Element model("division_model",
                  plan.rods ? "A rod divides across its middle: the daughters lie along the mother's long axis\n"
                              "(within axis_sigma degrees) and share her area (area_growth 1, area_sigma 0.25)."
                            : "");
    model.add("division_probability", 0.02).add("minimum_age", 4).add("midpoint_sigma", numbers.midpoint_sigma);
    if (plan.rods) model.add("axis_sigma", 20).add("area_growth", 1).add("area_sigma", 0.25);
    linker.add("window", 3)
        .add("maximum_gap", 2)
        .add("search_radius", numbers.search_radius)
        .add("motion_sigma", numbers.motion_sigma)
        .add("detection_probability", 0.95)
        .add("end_probability", 0.01)
        .add("appearance_rate", 0.1)
        .add("field_area", numbers.surveillance_area)
        .add(model);
    return {unconfirmed, coasts, relabeler, linker};
}

std::vector<Element> result_stages(const CellTrackingPlan& plan, const TrackingNumbers& numbers) {
    Element writer(plan.dimensions == 3 ? "isbi_frame_writer_3d" : "isbi_frame_writer",
                   "The result: res_track.txt and one label mask per frame, with the linker's parents\n"
                   "(distance_gate 0: the writer guesses no divisions of its own); the masks are\n"
                   "compressed with PackBits, four times faster to write than LZW.");
    writer.add("directory", plan.output)
        .add("create", "false")
        .add("distance_gate", 0)
        .add("mask_digits", numbers.mask_digits)
        .add("compression", "packbits");
    return {writer, Element("terminator")};
}

std::string cell_tracking_configuration(const CellTrackingPlan& plan) {
    validate(plan);
    const TrackingNumbers numbers = derive_numbers(plan);
    Element components("components");
    for (auto part : {source_stages(plan), segmentation_stages(plan, numbers), tracking_stages(plan, numbers),
                      cleanup_stages(plan, numbers), result_stages(plan, numbers)})
        for (Element& stage : part) components.add(std::move(stage));
    Element chain("component_chain");
    chain.add(components);

    const std::string what = plan.masks ? "label masks" : "images";
    const std::string comment =
        "Written by ostrel-cells: tracks the " + std::to_string(plan.dimensions) + "-D " + what + " of " + plan.input +
        " (" + std::to_string(plan.frames) + " frames of " + std::to_string(plan.width) + " x " +
        std::to_string(plan.height) + (plan.dimensions == 3 ? " x " + std::to_string(plan.depth) : "") +
        ").\n"
        "Cell diameter " + number_text(plan.diameter) + " pixels (" + plan.diameter_origin + "), maximum speed " +
        number_text(plan.max_speed) + " pixels per frame (" + plan.max_speed_origin + ").\n"
        "Rerun it with: ostrel ostrel-cells.xml (relative names are read from this file's folder).";
    return to_xml_file(chain, comment);
}

}  // namespace cells
