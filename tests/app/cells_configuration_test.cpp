#include <gtest/gtest.h>

#include <cmath>

#include "app/cells/cell_configuration.h"
#include "app/registration.h"
#include "pipeline/component.h"
#include "support/expect_message.h"
#include "support/temp_dir.h"
#include "xml/querier.h"
#include "xml/strictness.h"

namespace {

using cells::CellTrackingPlan;

CellTrackingPlan plan(int dimensions, double diameter, double speed, bool masks = false) {
    CellTrackingPlan p;
    p.input = "images";
    p.dimensions = dimensions;
    p.width = 256;
    p.height = 128;
    p.depth = dimensions == 3 ? 20 : 1;
    p.frames = 40;
    p.diameter = diameter;
    p.max_speed = speed;
    p.masks = masks;
    return p;
}

// The text of the first element named `name` anywhere below tag.
const xml::Tag* find(const xml::Tag& tag, const std::string& name) {
    if (tag.name == name) return &tag;
    for (const auto& child : *tag.children)
        if (const xml::Tag* found = find(*child, name)) return found;
    return nullptr;
}
std::string text_of(const std::string& configuration, const std::string& name) {
    const xml::Querier root = xml::Querier::parse(configuration);
    const xml::Tag* found = find(root.current(), name);
    return found ? found->text : "(missing " + name + ")";
}

TEST(CellConfiguration, NumbersFollowFromSpeedDiameterAndImages) {
    struct Case {
        CellTrackingPlan plan;
        double process_noise, gate, sigma;
        int minimum_size;
        double search_radius, area;
        int seed_distance;
    };
    const std::vector<Case> cases = {
        // q = s^2 / 2: the shipped example's hand-tuned 8 for cells moving up to 4 pixels.
        {plan(2, 10, 4), 8, 13.8, 1, 4, 20, 256 * 128, 6},
        {plan(2, 30, 6), 18, 13.8, 3, 14, 60, 256 * 128, 18},
        {plan(2, 30, 6, true), 18, 13.8, 3, 1, 60, 256 * 128, 18},  // every piece of a mask counts
        {plan(3, 20, 3), 3, 16.27, 2, 84, 40, 256 * 128 * 20, 12},
        {plan(2, 5, 10), 50, 13.8, 1, 4, 40, 256 * 128, 3},  // fast cells search further
    };
    for (const Case& c : cases) {
        const cells::TrackingNumbers n = cells::derive_numbers(c.plan);
        EXPECT_DOUBLE_EQ(n.process_noise, c.process_noise) << c.plan.diameter;
        EXPECT_DOUBLE_EQ(n.gate, c.gate);
        EXPECT_DOUBLE_EQ(n.position_sigma, c.sigma);
        EXPECT_EQ(n.minimum_contact_size, c.minimum_size) << c.plan.diameter;
        EXPECT_DOUBLE_EQ(n.search_radius, c.search_radius);
        EXPECT_EQ(n.seed_distance, c.seed_distance);
        EXPECT_DOUBLE_EQ(n.surveillance_area, c.area);
        EXPECT_EQ(n.mask_digits, 3);
    }
    // The daughters' midpoint strays with the cell size, or with speed for fast cells.
    EXPECT_DOUBLE_EQ(cells::derive_numbers(plan(2, 10, 4)).midpoint_sigma, 3);
    EXPECT_DOUBLE_EQ(cells::derive_numbers(plan(2, 5, 10)).midpoint_sigma, 5);
    CellTrackingPlan long_run = plan(2, 10, 4);
    long_run.frames = 1000;
    EXPECT_EQ(cells::derive_numbers(long_run).mask_digits, 4);
    // The blur (a seventh of the diameter) widens only in noisy images, and
    // never beyond 1.7 times.
    const struct {
        double signal_to_noise, sigma;
    } blurs[] = {{0, 1.43}, {40, 1.43}, {12, 1.43}, {3, 1.43 * 1.7}, {0.5, 1.43 * 1.7}, {8, 1.43 * std::sqrt(1.5)}};
    for (const auto& b : blurs) {
        CellTrackingPlan noisy = plan(2, 10, 4);
        noisy.signal_to_noise = b.signal_to_noise;
        EXPECT_NEAR(cells::derive_numbers(noisy).smoothing_sigma, b.sigma, 0.006) << b.signal_to_noise;
    }
}

TEST(CellConfiguration, DerivedNumbersLandInTheFile) {
    const std::string text = cells::cell_tracking_configuration(plan(3, 20, 3));
    EXPECT_EQ(text_of(text, "process_noise"), "3 3 3");
    EXPECT_EQ(text_of(text, "sigma"), "2.86");  // the smoother's: a seventh of the diameter
    EXPECT_EQ(text_of(text, "scale"), "50");
    EXPECT_EQ(text_of(text, "seed_distance"), "12");
    EXPECT_EQ(text_of(text, "nominal_surveillance_area"), "655360");
    EXPECT_EQ(text_of(text, "field_area"), "655360");
    EXPECT_EQ(text_of(text, "search_radius"), "40");
    EXPECT_EQ(text_of(text, "distance_gate"), "0");
    EXPECT_EQ(text_of(text, "directory"), "images");
    EXPECT_EQ(text_of(text, "create"), "false");
}

TEST(CellConfiguration, RodsAreToldApartBySeamsAndDivideAlongTheirAxis) {
    CellTrackingPlan rods = plan(2, 14, 5);
    rods.rods = true;
    rods.elongation = 4;  // a disc of diameter 14 has the area of a rod 6.2 wide and 24.8 long
    const std::string text = cells::cell_tracking_configuration(rods);
    EXPECT_EQ(text_of(text, "sigma"), "0.89");  // a seventh of the width
    EXPECT_EQ(text_of(text, "method"), "otsu");
    EXPECT_EQ(text_of(text, "seed_distance"), "0");
    EXPECT_EQ(text_of(text, "axis_sigma"), "20");
    EXPECT_EQ(text_of(text, "area_growth"), "1");
    EXPECT_EQ(text_of(cells::cell_tracking_configuration(plan(2, 14, 5)), "axis_sigma"), "(missing axis_sigma)");
}

// Each kind of generated configuration builds into a pipeline in strict
// mode: every key and element it names exists.
TEST(CellConfiguration, EveryKindBuildsInStrictMode) {
    app::register_all();
    test_support::TempDir dir("configurations");
    xml::set_strict_mode(true);
    CellTrackingPlan rods = plan(2, 10, 4);
    rods.rods = true;
    for (const CellTrackingPlan& p : {plan(2, 10, 4), plan(2, 10, 4, true), plan(3, 8, 2), rods}) {
        CellTrackingPlan here = p;
        here.input = dir.str();
        here.output = dir.str();
        const std::string text = cells::cell_tracking_configuration(here);
        EXPECT_NO_THROW(cmpnt::factory().create(xml::Querier::parse(text))) << text;
    }
    xml::set_strict_mode(false);
    EXPECT_MESSAGE(cells::cell_tracking_configuration(plan(3, 8, 2, true)),
                   "label masks in 3-D stacks cannot be tracked yet; track the raw stacks instead");
}

TEST(CellConfiguration, OutOfRangeNumbersAndUnwritableTextAreRefused) {
    EXPECT_MESSAGE(cells::cell_tracking_configuration(plan(2, 0.5, 4)),
                   "diameter must lie between 1 and 10000 pixels, diameter = 0.5");
    EXPECT_MESSAGE(cells::cell_tracking_configuration(plan(2, 10, 0)),
                   "maximum speed must lie between 0.01 and 10000 pixels per frame, maximum speed = 0");
    CellTrackingPlan odd = plan(2, 10, 4);
    odd.input = "a<b";
    EXPECT_MESSAGE(cells::cell_tracking_configuration(odd), "a configuration value cannot hold \"<\": <directory> a<b");
    odd.input = "my--images";  // "--" cannot stand in a comment; the file still reads back
    EXPECT_EQ(text_of(cells::cell_tracking_configuration(odd), "directory"), "my--images");
}

TEST(CellConfiguration, NumbersAreWrittenShortAndExact) {
    EXPECT_EQ(cells::number_text(8), "8");
    EXPECT_EQ(cells::number_text(13.8), "13.8");
    EXPECT_EQ(cells::number_text(65536), "65536");
    EXPECT_EQ(cells::number_text(1.0 / 3), "0.3333333333");
}

}  // namespace
