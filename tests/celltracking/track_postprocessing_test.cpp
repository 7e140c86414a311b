#include <gtest/gtest.h>

#include <map>

#include "celltracking/meta_data_state_inserter.h"
#include "celltracking/track_access.h"
#include "celltracking/track_relabeler.h"
#include "celltracking/trailing_coast_remover.h"
#include "celltracking/unconfirmed_track_size_buffer_filter.h"
#include "celltracking_test_support.h"
#include "model/states/sensor_type_state.h"
#include "model/states/track_parent_state.h"
#include "support/expect_message.h"

namespace {

using cell_test::element;
using cell_test::make_plain_frame;
using cell_test::Track;
using Labels = std::vector<state::Label>;

std::string buffer_element(const std::string& key, int size) {
    return "<" + key + "><buffer_size>" + std::to_string(size) + "</buffer_size></" + key + ">";
}

// ---- unconfirmed-track filter ----

struct UnconfirmedRun {
    explicit UnconfirmedRun(int buffer_size)
        : filter(element(buffer_element("unconfirmed_track_size_buffer_filter", buffer_size))),
          collector(std::make_shared<cell_test::FrameCollector>()) {
        filter.insert_child(collector);
    }
    ostrel::UnconfirmedTrackSizeBufferFilter filter;
    std::shared_ptr<cell_test::FrameCollector> collector;
};

Track track(int id, bool confirmed) {
    Track t{{0, id}};
    t.confirmed = confirmed;
    return t;
}

TEST(UnconfirmedTrackFilterTest, TrackConfirmedWithinTheBufferIsOutputFromItsFirstFrame) {
    UnconfirmedRun run(3);
    // Track 1 confirms in its third frame, track 3 in its fourth, track 2 never.
    const std::vector<std::vector<Track>> frames = {
        {track(1, false), track(2, false), track(3, false)},
        {track(1, false), track(2, false), track(3, false)},
        {track(1, true), track(2, false), track(3, false)},
        {track(1, true), track(3, true)},
    };
    for (std::size_t k = 0; k < frames.size(); ++k) run.filter.push_frame(make_plain_frame(k, frames[k]));
    ASSERT_EQ(run.collector->frames.size(), 2u);
    EXPECT_EQ(cell_test::labels_of(run.collector->frames[0]), (Labels{{0, 1}}));
    EXPECT_EQ(cell_test::labels_of(run.collector->frames[1]), (Labels{{0, 1}, {0, 3}}));

    run.filter.push_frame(nullptr);
    ASSERT_EQ(run.collector->frames.size(), 5u);
    EXPECT_EQ(run.collector->frames[2]->time, 2);
    EXPECT_EQ(cell_test::labels_of(run.collector->frames[2]), (Labels{{0, 1}, {0, 3}}));
    EXPECT_EQ(run.collector->frames[3]->time, 3);
    EXPECT_EQ(run.collector->frames[4], nullptr);
    EXPECT_EQ(run.filter.buffered(), 0u);
}

TEST(UnconfirmedTrackFilterTest, BufferOfOnePassesOnlyTracksAlreadyConfirmed) {
    UnconfirmedRun run(1);
    auto input = make_plain_frame(0, {track(1, false), track(2, true)});
    run.filter.push_frame(input);
    ASSERT_EQ(run.collector->frames.size(), 1u);
    EXPECT_EQ(cell_test::labels_of(run.collector->frames[0]), (Labels{{0, 2}}));
    EXPECT_EQ(input->composite_states.size(), 2u);  // the frame received is left as it was
    run.filter.push_frame(nullptr);
    EXPECT_EQ(run.collector->frames.size(), 2u);
}

TEST(UnconfirmedTrackFilterTest, BufferSizeMustBePositive) {
    for (int size : {0, -2})
        EXPECT_MESSAGE(ostrel::UnconfirmedTrackSizeBufferFilter(
                           element(buffer_element("unconfirmed_track_size_buffer_filter", size))),
                       "UnconfirmedTrackFilter::buffer_size must be positive, buffer_size = " + std::to_string(size) +
                           " (in unconfirmed_track_size_buffer_filter, element buffer_size)");
}

// ---- trailing-coast remover ----

// Each track's life as one character per frame: 'C' a contact, 'c' a
// coast, '.' absent. The output is rendered the same way.
using Lives = std::map<int, std::string>;

Lives remove_trailing_coasts(const Lives& input, int buffer_size) {
    isbi::TrailingCoastRemover remover(element(buffer_element("trailing_coast_remover", buffer_size)));
    auto collector = std::make_shared<cell_test::FrameCollector>();
    remover.insert_child(collector);
    const std::size_t frames = input.begin()->second.size();
    for (std::size_t k = 0; k < frames; ++k) {
        std::vector<Track> tracks;
        for (const auto& [id, life] : input) {
            if (life[k] == '.') continue;
            Track t{{0, id}};
            if (life[k] == 'C') t.segment = id;
            tracks.push_back(t);
        }
        remover.push_frame(make_plain_frame(static_cast<double>(k), tracks));
    }
    remover.push_frame(nullptr);

    EXPECT_EQ(collector->frames.size(), frames + 1);
    EXPECT_EQ(collector->frames.back(), nullptr);
    Lives output;
    for (const auto& [id, life] : input) output[id] = std::string(frames, '.');
    for (std::size_t k = 0; k + 1 < collector->frames.size(); ++k) {
        EXPECT_EQ(collector->frames[k]->time, static_cast<double>(k));
        for (const auto& states : collector->frames[k]->cast<frame::CompositeStateFrame>().composite_states)
            output[isbi::track_label(*states).id][k] = isbi::is_coast(*states) ? 'c' : 'C';
    }
    return output;
}

TEST(TrailingCoastRemoverTest, CutsCoastsAfterTheLastContactAndKeepsCoastsBetweenContacts) {
    struct Case {
        int buffer_size;
        Lives input, output;
    };
    const Case cases[] = {
        {5, {{1, "CccC"}}, {{1, "CccC"}}},
        {5, {{1, "CCcc"}}, {{1, "CC.."}}},          // cut when the stream ends
        {5, {{1, "Ccc.."}}, {{1, "C...."}}},        // cut when the track is gone
        {2, {{1, "Ccc.."}}, {{1, "C...."}}},
        {1, {{1, "Ccc.."}}, {{1, "Cc..."}}},        // a coast older than the buffer has left already
        {0, {{1, "CcC"}}, {{1, "CcC"}}},
        {3, {{1, "CcCc."}, {2, "..Ccc"}, {3, "cCc.."}}, {{1, "CcC.."}, {2, "..C.."}, {3, "cC..."}}},
    };
    for (const Case& c : cases) EXPECT_EQ(remove_trailing_coasts(c.input, c.buffer_size), c.output);
}

TEST(TrailingCoastRemoverTest, ReleasedFrameListsItsTracksInLabelOrder) {
    isbi::TrailingCoastRemover remover(element(buffer_element("trailing_coast_remover", 0)));
    auto collector = std::make_shared<cell_test::FrameCollector>();
    remover.insert_child(collector);
    Track a{{1, 5}}, b{{0, 9}}, c{{1, 2}};
    a.segment = b.segment = c.segment = 1;
    remover.push_frame(make_plain_frame(0, {a, b, c}));
    ASSERT_EQ(collector->frames.size(), 1u);
    EXPECT_EQ(cell_test::labels_of(collector->frames[0]), (Labels{{0, 9}, {1, 2}, {1, 5}}));
}

TEST(TrailingCoastRemoverTest, BufferSizeMustNotBeNegative) {
    EXPECT_MESSAGE(isbi::TrailingCoastRemover(element(buffer_element("trailing_coast_remover", -1))),
                   "TrailingCoastRemover::buffer_size must not be negative, buffer_size = -1 (in trailing_coast_remover, "
                   "element buffer_size)");
}

// ---- relabeler ----

TEST(TrackRelabelerTest, NumbersLabelsInOrderOfFirstAppearanceUnderItsOwnSource) {
    ostrel::TrackRelabeler relabeler(element("<track_relabeler><first_id>10</first_id></track_relabeler>"));
    ostrel::TrackRelabeler other(element("<track_relabeler><first_id>0</first_id></track_relabeler>"));
    EXPECT_EQ(other.label_source(), relabeler.label_source() + 1);
    auto collector = std::make_shared<cell_test::FrameCollector>();
    relabeler.insert_child(collector);

    const int src = relabeler.label_source();
    auto first = make_plain_frame(0, {Track{{3, 7}}, Track{{2, 9}}});
    relabeler.push_frame(first);
    relabeler.push_frame(make_plain_frame(1, {Track{{2, 9}}, Track{{5, 1}}, Track{{3, 7}}}));
    relabeler.push_frame(nullptr);

    ASSERT_EQ(collector->frames.size(), 3u);
    EXPECT_EQ(cell_test::labels_of(collector->frames[0]), (Labels{{src, 10}, {src, 11}}));
    EXPECT_EQ(cell_test::labels_of(collector->frames[1]), (Labels{{src, 11}, {src, 12}, {src, 10}}));
    EXPECT_EQ(collector->frames[2], nullptr);
    EXPECT_EQ(cell_test::labels_of(first), (Labels{{3, 7}, {2, 9}}));  // input untouched
}

TEST(TrackRelabelerTest, ParentsAreRenumberedWithTheirTracks) {
    ostrel::TrackRelabeler relabeler(element("<track_relabeler><first_id>1</first_id></track_relabeler>"));
    auto collector = std::make_shared<cell_test::FrameCollector>();
    relabeler.insert_child(collector);
    relabeler.push_frame(make_plain_frame(0, {Track{{0, 40}}}));
    auto daughters = make_plain_frame(1, {Track{{0, 41}}, Track{{0, 42}}});
    for (auto& track : daughters->composite_states)
        track->insert(std::make_shared<const ostrel::TrackParentState>(state::Label{0, 40}));
    relabeler.push_frame(daughters);

    const int src = relabeler.label_source();
    for (const auto& track : isbi::composite_frame(collector->frames[1]).composite_states)
        EXPECT_EQ(track->get<ostrel::TrackParentState>().parent, (state::Label{src, 1}));
}

TEST(TrackRelabelerTest, RunningOutOfNumbersIsAnError) {
    ostrel::TrackRelabeler relabeler(element("<track_relabeler><first_id>2147483647</first_id></track_relabeler>"));
    relabeler.push_frame(make_plain_frame(0, {Track{{0, 1}}}));
    EXPECT_MESSAGE(relabeler.push_frame(make_plain_frame(1, {Track{{0, 1}}, Track{{0, 2}}})),
                   "track_relabeler: no label number left for a new track, next number = 2147483648");
}

// ---- meta-data state inserter ----

class MetaDataStateInserterTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!state::factory().has(snsr::SensorTypeState::key()))
            state::factory().registerize(snsr::SensorTypeState::key(),
                                         &util::create<state::State, snsr::SensorTypeState>);
    }
};

TEST_F(MetaDataStateInserterTest, InsertsTheSameConfiguredStateIntoEveryFrame) {
    truth::MetaDataStateInserter inserter(element(
        "<meta_data_state_inserter><sensor_type_state>cells</sensor_type_state></meta_data_state_inserter>"));
    auto collector = std::make_shared<cell_test::FrameCollector>();
    inserter.insert_child(collector);

    auto old_kind = make_plain_frame(0, {Track{{0, 1}}});
    old_kind->meta_data->insert(std::make_shared<const snsr::SensorTypeState>("beads"));
    inserter.push_frame(old_kind);
    inserter.push_frame(make_plain_frame(1, {}));
    inserter.push_frame(nullptr);

    ASSERT_EQ(collector->frames.size(), 3u);
    const auto& first = collector->frames[0]->cast<frame::CompositeStateFrame>();
    const auto& second = collector->frames[1]->cast<frame::CompositeStateFrame>();
    EXPECT_EQ(first.meta_data->get<snsr::SensorTypeState>().sensor_type, "cells");
    EXPECT_EQ(first.meta_data->find<snsr::SensorTypeState>(), second.meta_data->find<snsr::SensorTypeState>());
    EXPECT_EQ(first.composite_states, old_kind->composite_states);
    EXPECT_EQ(old_kind->meta_data->get<snsr::SensorTypeState>().sensor_type, "beads");
    EXPECT_EQ(collector->frames[2], nullptr);
}

TEST_F(MetaDataStateInserterTest, StateElementIsRequiredAndMustBeAKnownState) {
    EXPECT_MESSAGE_STARTS(truth::MetaDataStateInserter(element("<meta_data_state_inserter/>")),
                          "Tag::tag failed, tags is empty");
    EXPECT_MESSAGE(truth::MetaDataStateInserter(
                       element("<meta_data_state_inserter><bogus_state/></meta_data_state_inserter>")),
                   "Unknown key: key = bogus_state");
}

TEST_F(MetaDataStateInserterTest, NonCompositeFrameIsRefused) {
    truth::MetaDataStateInserter inserter(element(
        "<meta_data_state_inserter><sensor_type_state>cells</sensor_type_state></meta_data_state_inserter>"));
    EXPECT_MESSAGE_STARTS(inserter.push_frame(std::make_shared<frame::FrameTemplate<int>>(0, nullptr)), "Frame::cast()");
}

}  // namespace
