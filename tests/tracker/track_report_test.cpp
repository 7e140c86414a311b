#include <gtest/gtest.h>

#include "model/states/frame_label_state.h"
#include "model/track_label_state.h"
#include "support/expect_message.h"
#include "tracker/report_test_support.h"
#include "tracker/structural_filters.h"
#include "tracker/track_report.h"

namespace {

using ostrel::TrackReport;
using ostrel::TrackState;
using report_test::AppendMark;
using report_test::parse;
using report_test::trace_of;
using report_test::xml_of;

ostrel::FilterPtr mark(const std::string& text) { return std::make_shared<AppendMark>(text); }

state::CompositeStatePtr label_only(state::Label label) {
    auto set = std::make_shared<state::CompositeState>();
    set->insert(std::make_shared<const state::TrackLabelState>(label));
    return set;
}

const char* const kLabel01 =
    "    <composite_state>\n"
    "      <track_label_state>\n"
    "        <label>\n"
    "          <src>0</src>\n"
    "          <id>1</id>\n"
    "        </label>\n"
    "      </track_label_state>\n"
    "    </composite_state>\n";

class TrackReports : public ::testing::Test {
protected:
    void SetUp() override { report_test::register_keys(); }
};

TEST_F(TrackReports, AReportWithoutTrackStateWritesContactAndTheThreeSlotsOnly) {
    TrackReport report(label_only({0, 1}), std::make_shared<ostrel::NoOp>(), ostrel::shared_bad_op(),
                       std::make_shared<ostrel::CompositeFilter>(std::vector<ostrel::FilterPtr>{mark("x")}));
    EXPECT_EQ(xml_of(report), std::string("<track_report>\n"
                                          "  <track_contact>\n") +
                                  kLabel01 +
                                  "  </track_contact>\n"
                                  "  <updater>\n"
                                  "    <no_op/>\n"
                                  "  </updater>\n"
                                  "  <continuation_updater_>\n"
                                  "    <bad_op/>\n"
                                  "  </continuation_updater_>\n"
                                  "  <initializer_/>\n"
                                  "</track_report>\n");
}

TEST_F(TrackReports, AnAppliedReportWritesItsTrackStateBetweenContactAndSlots) {
    TrackReport report(label_only({0, 1}), nullptr, nullptr,
                       ostrel::filter_factory().create(parse("<score><amount>0.5</amount><gates>false</gates></score>")));
    report.initialize();
    const std::string written = xml_of(report);
    const std::string expected_state = std::string(
                                           "  <track_state>\n"
                                           "    <label>\n"
                                           "      <src>0</src>\n"
                                           "      <id>1</id>\n"
                                           "    </label>\n"
                                           "    <log_likelihood>0.5</log_likelihood>\n"
                                           "    <gates>0</gates>\n") +
                                       kLabel01 + "  </track_state>\n";
    const std::size_t at = written.find(expected_state);
    ASSERT_NE(at, std::string::npos) << written;
    EXPECT_LT(written.find("</track_contact>"), at);
    EXPECT_GT(written.find("<updater/>"), at);
}

TEST_F(TrackReports, EachApplicationRunsItsOwnSlotOnAFreshState) {
    TrackState parent(state::Label{4, 9});
    parent.states.insert(std::make_shared<const report_test::TraceState>("p"));
    parent.log_likelihood = 5.0;
    parent.gates = false;

    struct Case {
        const char* name;
        const TrackState& (*apply)(TrackReport&, const TrackState&);
        const char* trace;
        state::Label label;
    };
    const Case cases[] = {
        {"initialize", [](TrackReport& r, const TrackState&) -> const TrackState& { return r.initialize(); },
         "cI", {0, 1}},
        {"update", [](TrackReport& r, const TrackState& p) -> const TrackState& { return r.update(p); },
         "pcU", {4, 9}},
        {"continue", [](TrackReport& r, const TrackState& p) -> const TrackState& { return r.continue_from(p); },
         "pcC", {4, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto with_contact = [](const std::string& m) {
            return std::make_shared<ostrel::CompositeFilter>(std::vector<ostrel::FilterPtr>{
                std::make_shared<report_test::TakeContactTrace>(), mark(m)});
        };
        TrackReport report(report_test::contact({0, 1}, "c"), with_contact("U"), with_contact("C"),
                           with_contact("I"));
        const TrackState& result = c.apply(report, parent);
        EXPECT_EQ(&result, report.track_state.get());
        EXPECT_EQ(trace_of(result.states), c.trace);
        EXPECT_EQ(result.label, c.label);
        EXPECT_EQ(result.states.get<state::TrackLabelState>().label, c.label);
        EXPECT_EQ(result.log_likelihood, 0.0);
        EXPECT_TRUE(result.gates);
    }
    // The parent is never changed by its children's passes.
    EXPECT_EQ(trace_of(parent.states), "p");
    EXPECT_EQ(parent.log_likelihood, 5.0);
}

TEST_F(TrackReports, ApplyingFailsClearlyWithoutLabelOrFilter) {
    TrackReport unlabelled(std::make_shared<state::CompositeState>(), mark("U"), mark("C"), mark("I"));
    EXPECT_MESSAGE_STARTS(unlabelled.initialize(), "State::cast()");
    EXPECT_MESSAGE_STARTS(unlabelled.contact_label(), "State::cast()");

    TrackReport empty_slots(label_only({0, 1}), nullptr, nullptr, nullptr);
    TrackState parent(state::Label{0, 1});
    EXPECT_MESSAGE(empty_slots.initialize(), "track report has no initializer");
    EXPECT_MESSAGE(empty_slots.update(parent), "track report has no updater");
    EXPECT_MESSAGE(empty_slots.continue_from(parent), "track report has no continuation updater");
    EXPECT_EQ(empty_slots.track_state, nullptr);
}

TEST_F(TrackReports, RelabellingACopyReplacesContactAndTrackStateLabelsAndLeavesTheOriginal) {
    TrackReport original(report_test::contact({0, 1}, "c"), mark("U"), mark("C"), mark("I"));
    original.initialize();
    auto scored = std::make_shared<TrackState>(*original.track_state);
    scored->log_likelihood = -2.5;
    scored->gates = false;
    original.track_state = scored;

    TrackReport copy = original;
    copy.relabel({7, 3});

    EXPECT_EQ(copy.contact_label(), (state::Label{7, 3}));
    EXPECT_EQ(trace_of(*copy.contact), "c");
    EXPECT_EQ(copy.track_state->label, (state::Label{7, 3}));
    EXPECT_EQ(copy.track_state->states.get<state::TrackLabelState>().label, (state::Label{7, 3}));
    EXPECT_EQ(trace_of(copy.track_state->states), "I");
    EXPECT_EQ(copy.track_state->log_likelihood, -2.5);
    EXPECT_FALSE(copy.track_state->gates);
    EXPECT_EQ(copy.updater, original.updater);

    EXPECT_EQ(original.contact_label(), (state::Label{0, 1}));
    EXPECT_EQ(original.track_state->label, (state::Label{0, 1}));
    EXPECT_EQ(original.track_state->states.get<state::TrackLabelState>().label, (state::Label{0, 1}));
}

TEST_F(TrackReports, RelabellingTurnsAFrameLabelIntoATrackLabel) {
    auto contact = std::make_shared<state::CompositeState>();
    contact->insert(std::make_shared<const state::FrameLabelState>(state::Label{2, 2}));
    TrackReport report(contact, nullptr, nullptr, nullptr);
    report.relabel({1, 0});
    EXPECT_NE(xml_of(*report.contact).find("<track_label_state>"), std::string::npos);
    EXPECT_EQ(xml_of(*report.contact).find("frame_label_state"), std::string::npos);
}

TEST_F(TrackReports, AWrittenReportReadsBackToTheSameForm) {
    TrackReport report(report_test::contact({0, 1}, "c"), mark("U"), ostrel::shared_bad_op(),
                       std::make_shared<ostrel::CompositeFilter>(std::vector<ostrel::FilterPtr>{mark("I")}));
    report.initialize();
    const std::string written = xml_of(report);

    TrackReport read(parse(written));
    EXPECT_EQ(xml_of(read), written);
    EXPECT_EQ(read.continuation_updater, ostrel::shared_bad_op());
    // A composite writes nothing, so its slot reads back as no filter.
    EXPECT_EQ(read.initializer, nullptr);
    EXPECT_EQ(read.track_state->label, (state::Label{0, 1}));
    EXPECT_TRUE(read.track_state->gates);
}

TEST_F(TrackReports, TheHandWrittenFormReadsStatesDirectlyAndSlotsWithoutUnderscore) {
    TrackReport read(parse(
        "<report><track_contact><trace_state>c</trace_state>"
        "<track_label_state><label><src>3</src><id>4</id></label></track_label_state></track_contact>"
        "<track_state><gates>true</gates><log_likelihood>-1</log_likelihood>"
        "<label><src>3</src><id>4</id></label><composite_state><trace_state>t</trace_state></composite_state>"
        "</track_state>"
        "<updater><append_mark><mark>U</mark></append_mark></updater>"
        "<continuation_updater><no_op/></continuation_updater>"
        "<initializer><append_mark><mark>I</mark></append_mark></initializer></report>"));
    EXPECT_EQ(read.contact_label(), (state::Label{3, 4}));
    EXPECT_EQ(trace_of(*read.contact), "c");
    ASSERT_NE(read.track_state, nullptr);
    EXPECT_TRUE(read.track_state->gates);
    EXPECT_EQ(read.track_state->log_likelihood, -1.0);
    EXPECT_EQ(trace_of(read.track_state->states), "t");
    EXPECT_EQ(trace_of(read.initialize().states), "I");
    EXPECT_EQ(trace_of(read.update(TrackState(state::Label{3, 4})).states), "U");
    EXPECT_EQ(xml_of(*read.continuation_updater), "<no_op/>\n");
}

TEST_F(TrackReports, AReportMissingASlotFailsNamingIt) {
    try {
        TrackReport read(parse("<track_report><track_contact/><updater><no_op/></updater>"
                               "<initializer_><no_op/></initializer_></track_report>"));
        ADD_FAILURE() << "no exception";
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Tag::tag failed, key not found: key = continuation_updater ", 0), 0u)
            << error.what();
    }
}

}  // namespace
