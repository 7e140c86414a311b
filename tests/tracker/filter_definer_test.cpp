#include <gtest/gtest.h>

#include "model/composite_state_frame.h"
#include "model/states/sensor_type_state.h"
#include "support/expect_message.h"
#include "support/recorder.h"
#include "tracker/filter_definer.h"
#include "tracker/report_test_support.h"
#include "tracker/structural_filters.h"
#include "tracker/track_report_frame.h"

namespace {

using ostrel::FilterDefiner;
using report_test::parse;

std::string mark_filter(const std::string& mark) {
    return "<append_mark><mark>" + mark + "</mark></append_mark>";
}

// A sensor-type element with the four required slots marked by `prefix`,
// plus the given optional overrides.
std::string sensor_type(const std::string& name, const std::string& prefix, const std::string& extra = "") {
    return "<" + name + "><initializer>" + mark_filter(prefix + "I") + "</initializer><updater>" +
           mark_filter(prefix + "U") + "</updater><coaster>" + mark_filter(prefix + "K") +
           "</coaster><continuation_updater>" + mark_filter(prefix + "C") + "</continuation_updater>" +
           extra + "</" + name + ">";
}

std::string definer(const std::string& sensor_types) {
    return "<filter_definer><terminator>" + mark_filter("T") + "</terminator><zombie_coaster>" +
           mark_filter("Z") + "</zombie_coaster><filters>" + sensor_types + "</filters></filter_definer>";
}

// What a filter does, seen as the trace it leaves on a fresh track.
std::string effect_of(const ostrel::FilterPtr& filter) {
    ostrel::TrackState track(state::Label{0, 0});
    filter->update(state::CompositeState(), track);
    return report_test::trace_of(track.states);
}

std::string effects_of(const ostrel::FilterSet& set) {
    return effect_of(set.initializer) + " " + effect_of(set.updater) + " " +
           effect_of(set.continuation_updater) + " " + effect_of(set.coaster) + " " +
           effect_of(set.terminator) + " " + effect_of(set.zombie_coaster);
}

std::shared_ptr<frame::CompositeStateFrame> contact_frame(double time, const char* sensor,
                                                          std::vector<int> ids) {
    auto frame = std::make_shared<frame::CompositeStateFrame>(time);
    if (sensor) frame->meta_data->insert(std::make_shared<const snsr::SensorTypeState>(sensor));
    for (int id : ids)
        frame->composite_states.push_back(report_test::contact({0, id}, "c" + std::to_string(id)));
    return frame;
}

class FilterDefiners : public ::testing::Test {
protected:
    void SetUp() override { report_test::register_keys(); }
};

TEST_F(FilterDefiners, EachSensorTypeGetsItsSlotsWithDefaultsWhereItHasNoOverride) {
    FilterDefiner component(parse(definer(
        sensor_type("radar", "r") +
        sensor_type("camera", "c", "<terminator>" + mark_filter("ct") + "</terminator><zombie_coaster>" +
                                       mark_filter("cz") + "</zombie_coaster>") +
        sensor_type("sonar", "s", "<terminator>" + mark_filter("st") + "</terminator>"))));
    const struct {
        const char* name;
        const char* effects;  // initializer updater continuation coaster terminator zombie
    } cases[] = {
        {"radar", "rI rU rC rK T Z"},
        {"camera", "cI cU cC cK ct cz"},
        {"sonar", "sI sU sC sK st Z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(effects_of(component.filter_set(c.name)), c.effects);
    }
    EXPECT_EQ(component.filter_sets().size(), 3u);
}

TEST_F(FilterDefiners, ALaterSensorTypeOfTheSameNameOverwritesEverySlot) {
    FilterDefiner component(parse(definer(
        sensor_type("radar", "a", "<terminator>" + mark_filter("at") + "</terminator>") +
        sensor_type("radar", "b"))));
    EXPECT_EQ(component.filter_sets().size(), 1u);
    // The earlier element's terminator override does not survive either.
    EXPECT_EQ(effects_of(component.filter_set("radar")), "bI bU bC bK T Z");
}

TEST_F(FilterDefiners, ConfigurationFaultsAreReported) {
    EXPECT_MESSAGE(FilterDefiner(parse(definer(""))), "no filters found in FilterDefiner");
    // The sensor type's other problems follow on lines of their own.
    EXPECT_MESSAGE_STARTS(FilterDefiner(parse(definer("<radar><initializer><kalman/></initializer></radar>"))),
                          "Unknown key: key = kalman\n");
    try {
        FilterDefiner(parse(definer("<radar><initializer><no_op/></initializer></radar>")));
        ADD_FAILURE() << "no exception";
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Tag::tag failed, key not found: key = updater ", 0), 0u)
            << error.what();
    }
}

TEST_F(FilterDefiners, IsBuiltThroughTheComponentFactoryCreator) {
    cmpnt::ComponentPtr component =
        util::create<cmpnt::Component, FilterDefiner>(parse(definer(sensor_type("radar", "r"))));
    auto recorder = std::make_shared<test_support::Recorder>();
    component->insert_child(recorder);
    component->push_frame(contact_frame(0, "radar", {1}));
    ASSERT_EQ(recorder->frames.size(), 1u);
    EXPECT_TRUE(recorder->frames[0]->is<frame::TrackReportFrame>());
}

class FilterDefinerFrames : public FilterDefiners {
protected:
    void SetUp() override {
        FilterDefiners::SetUp();
        component = std::make_shared<FilterDefiner>(parse(definer(
            sensor_type("radar", "r") +
            sensor_type("camera", "c", "<terminator>" + mark_filter("ct") + "</terminator>"))));
        component->insert_child(recorder);
    }
    std::shared_ptr<FilterDefiner> component;
    std::shared_ptr<test_support::Recorder> recorder = std::make_shared<test_support::Recorder>();
};

TEST_F(FilterDefinerFrames, ContactsBecomeReportsInFrameOrderWithTheSetsFilters) {
    auto input = contact_frame(7.5, "camera", {4, 1, 3});
    component->push_frame(input);
    ASSERT_EQ(recorder->frames.size(), 1u);
    const auto& output = recorder->frames[0]->cast<frame::TrackReportFrame>();
    EXPECT_EQ(output.time, 7.5);
    ASSERT_EQ(output.track_reports.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const ostrel::TrackReport& report = *output.track_reports[i];
        EXPECT_EQ(report.contact, input->composite_states[i]);  // shared, not copied
        EXPECT_EQ(report.track_state, nullptr);
        EXPECT_EQ(effect_of(report.initializer), "cI");
        EXPECT_EQ(effect_of(report.updater), "cU");
        EXPECT_EQ(effect_of(report.continuation_updater), "cC");
    }
}

TEST_F(FilterDefinerFrames, FrameLevelReportsCarryTheMetaDataAndTheBadOpInTheirUnusedSlots) {
    auto input = contact_frame(1, "camera", {});
    component->push_frame(input);
    const auto& output = recorder->frames.at(0)->cast<frame::TrackReportFrame>();
    EXPECT_TRUE(output.track_reports.empty());
    const struct {
        const char* name;
        ostrel::TrackReportPtr report;
        const char* updater_effect;
    } cases[] = {
        {"coast", output.coast_track_report, "cK"},
        {"killer", output.killer_track_report, "ct"},
        {"zombie", output.zombie_track_report, "Z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.report, nullptr);
        EXPECT_EQ(c.report->contact, input->meta_data);
        EXPECT_EQ(c.report->track_state, nullptr);
        EXPECT_EQ(effect_of(c.report->updater), c.updater_effect);
        EXPECT_EQ(c.report->continuation_updater, ostrel::shared_bad_op());
        EXPECT_EQ(c.report->initializer, ostrel::shared_bad_op());
    }
}

TEST_F(FilterDefinerFrames, TheEndOfInputPassesOnAsNull) {
    component->push_frame(contact_frame(0, "radar", {1}));
    component->push_frame(nullptr);
    ASSERT_EQ(recorder->frames.size(), 2u);
    EXPECT_EQ(recorder->frames[1], nullptr);
}

TEST_F(FilterDefinerFrames, AFrameWithoutUsableSensorTypeFailsNamingIt) {
    EXPECT_MESSAGE(component->push_frame(contact_frame(2.5, nullptr, {1})),
                   "no sensor_type_state in the meta-data of the frame at time 2.5");
    EXPECT_MESSAGE(component->push_frame(contact_frame(0, "sonar", {1})),
                   "no filter set for sensor type sonar");
    // The text is used exactly as read: a trailing blank names another type.
    EXPECT_MESSAGE(component->push_frame(contact_frame(0, "radar ", {1})),
                   "no filter set for sensor type radar ");
    EXPECT_MESSAGE_STARTS(component->push_frame(std::make_shared<frame::TrackReportFrame>(0)), "Frame::cast()");
    EXPECT_TRUE(recorder->frames.empty());
}

}  // namespace
