#include <gtest/gtest.h>

#include <sstream>

#include "model/cast_context.h"
#include "model/composite_state_frame.h"
#include "model/contact_state.h"
#include "model/track_label_state.h"
#include "state_test_support.h"
#include "support/expect_message.h"

namespace {

struct FirstKind {};
struct SecondKind {};

TEST(TypeIdentity, IsAssignedAtFirstUseAndNeverChanges) {
    struct Family;
    int second = model::identity_of<Family, SecondKind>();
    int first = model::identity_of<Family, FirstKind>();
    EXPECT_EQ(second, 1);
    EXPECT_EQ(first, 2);
    EXPECT_EQ((model::identity_of<Family, SecondKind>()), 1);
}

class ModelBase : public ::testing::Test {
protected:
    // Every state key, as the other tests of this program register them:
    // registering two keys by hand first would make their later
    // registration of all keys fail on the duplicates.
    static void SetUpTestSuite() { state_test::register_all(); }
    static std::string written(const frame::Frame& f) {
        std::ostringstream text;
        xml::OutStream out(text, "  ");
        f.write(out);
        return text.str();
    }
    static xml::Querier parse(const std::string& body) { return xml::Querier::parse("\n" + body); }
};

TEST_F(ModelBase, NewFrameWritesEmptyMetaDataAndList) {
    frame::CompositeStateFrame f(1.5);
    EXPECT_EQ(written(f),
              "<composite_state_frame>\n  <time>1.5</time>\n  <meta_data>\n    <composite_state/>\n"
              "  </meta_data>\n  <composite_states/>\n</composite_state_frame>\n");
}

TEST_F(ModelBase, FrameReadsBackWhatItWrites) {
    frame::CompositeStateFrame f(2.0);
    auto contact = std::make_shared<state::CompositeState>();
    contact->insert(std::make_shared<state::TrackLabelState>(state::Label{3, 4}));
    f.composite_states.push_back(contact);
    auto inner = std::make_shared<state::CompositeState>();
    inner->insert(std::make_shared<state::TrackLabelState>(state::Label{5, 6}));
    f.meta_data->insert(std::make_shared<state::ContactState>(inner));

    std::string text = written(f);
    frame::CompositeStateFrame back(parse(text));
    EXPECT_EQ(written(back), text);
    EXPECT_EQ(back.composite_states[0]->get<state::TrackLabelState>().label, (state::Label{3, 4}));
    EXPECT_EQ(back.meta_data->get<state::ContactState>().contact->get<state::TrackLabelState>().label,
              (state::Label{5, 6}));
}

TEST_F(ModelBase, SetKeepsOneStatePerIdentityAndTheLaterOneWins) {
    state::CompositeState set(parse("<s><track_label_state><label><src>1</src><id>1</id></label></track_label_state>"
                                    "<track_label_state><label><src>2</src><id>7</id></label></track_label_state></s>"));
    EXPECT_EQ(set.size(), 1u);
    EXPECT_EQ(set.get<state::TrackLabelState>().label.id, 7);
    EXPECT_TRUE(set.erase<state::TrackLabelState>());
    EXPECT_FALSE(set.erase<state::TrackLabelState>());
    EXPECT_FALSE(set.find<state::TrackLabelState>());
}

TEST_F(ModelBase, CopiesShareStatesButChangeIndependently) {
    state::CompositeState a;
    auto label = std::make_shared<state::TrackLabelState>(state::Label{1, 2});
    a.insert(label);
    state::CompositeState b = a;
    b.erase<state::TrackLabelState>();
    EXPECT_TRUE(a.has<state::TrackLabelState>());
    EXPECT_EQ(a.find<state::TrackLabelState>().get(), label.get());
}

TEST_F(ModelBase, ReadingFailuresCarryTheirMessages) {
    EXPECT_MESSAGE(state::CompositeState(parse("<s><no_such_state/></s>")), "Unknown key: key = no_such_state");
    EXPECT_MESSAGE(frame::CompositeStateFrame(parse("<f><time>1</time><meta_data/><composite_states/></f>")),
                   "Tag::tag failed, tags is empty");
    EXPECT_MESSAGE(state::ContactState(parse("<contact_state/>")),
                   "Tag::tag failed, tags is empty (contact_state: expected a composite_state element)");
    std::ostringstream sink;
    xml::OutStream out(sink, "  ");
    EXPECT_MESSAGE(frame::FrameTemplate<int>(0, nullptr).write(out),
                   "unspecialized member function FrameTemplate::write called");
}

TEST_F(ModelBase, CastFailuresNameBothKindsAndWhoAsked) {
    frame::CompositeStateFrame f(0);
    EXPECT_MESSAGE(f.cast<frame::FrameTemplate<int>>(),
                   "Frame::cast(): expected frame::FrameTemplate<int>, found composite_state_frame");
    const frame::Frame& cf = f;
    EXPECT_MESSAGE(cf.cast<frame::FrameTemplate<int>>(),
                   "Frame::cast() const: expected frame::FrameTemplate<int>, found composite_state_frame");
    EXPECT_MESSAGE(frame::cast<frame::CompositeStateFrame>(nullptr),
                   "Frame::cast(): expected composite_state_frame, found none");

    state::CompositeState states;
    EXPECT_MESSAGE(states.get<state::TrackLabelState>(), "State::cast(): expected track_label_state, found none");
    // A stage's scope names it and the frame's time; the innermost scope asks.
    const std::string stage = "frame_counter", filter = "death_score_inserter";
    const model::CastScope outer(stage, 2.5);
    EXPECT_MESSAGE(states.get<state::TrackLabelState>(),
                   "State::cast(): expected track_label_state, found none; asked by frame_counter at frame time 2.5");
    const model::CastScope inner(filter);
    EXPECT_MESSAGE(states.get<state::TrackLabelState>(),
                   "State::cast(): expected track_label_state, found none; asked by death_score_inserter at frame "
                   "time 2.5");
}

TEST_F(ModelBase, MetaDataUsesItsFirstChildOnly) {
    frame::CompositeStateFrame f(parse(
        "<f><time>3</time><meta_data><composite_state/><composite_state><track_label_state><label><src>1</src>"
        "<id>1</id></label></track_label_state></composite_state></meta_data><composite_states/></f>"));
    EXPECT_TRUE(f.meta_data->empty());
    EXPECT_EQ(f.time, 3.0);
}

TEST(LabelSource, EveryTakerGetsTheNextNumber) {
    int first = state::take_label_source();
    EXPECT_EQ(state::take_label_source(), first + 1);
}

}  // namespace
