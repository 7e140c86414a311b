#include <gtest/gtest.h>

#include "model/composite_state_frame.h"
#include "pipeline/component_chain.h"
#include "pipeline/pass_through.h"
#include "pipeline/splitter.h"
#include "support/expect_message.h"
#include "support/recorder.h"

namespace {

using test_support::Recorder;

// A source of `count` empty frames, then the end of the stream.
class CountingSource : public cmpnt::MonoChildComponent {
public:
    explicit CountingSource(const xml::Querier& q) : remaining_(q.read<int>("count")) {}
    bool push() override {
        if (remaining_-- > 0) {
            child_->push_frame(std::make_shared<frame::CompositeStateFrame>(remaining_));
            return true;
        }
        child_->push_frame(nullptr);
        return false;
    }

private:
    int remaining_;
};

class ComponentModel : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        auto& f = cmpnt::factory();
        f.registerize("component_chain", &util::create<cmpnt::Component, cmpnt::ComponentChain>);
        f.registerize("splitter", &util::create<cmpnt::Component, cmpnt::Splitter>);
        f.registerize("pass_through", &util::create<cmpnt::Component, cmpnt::PassThrough>);
        f.registerize("terminator", &util::create<cmpnt::Component, cmpnt::Terminator>);
        f.registerize("counting_source", &util::create<cmpnt::Component, CountingSource>);
    }

    cmpnt::ComponentPtr build(const std::string& body) {
        return cmpnt::factory().create(xml::Querier::parse("<?xml?>\n" + body));
    }
    // Builds, attaches a recorder and drives the root to the end.
    std::shared_ptr<Recorder> drive(const std::string& body) {
        auto root = build(body);
        auto recorder = std::make_shared<Recorder>();
        root->insert_child(recorder);
        while (root->push()) {
        }
        return recorder;
    }
    void feed(cmpnt::ComponentPtr root, std::shared_ptr<Recorder> recorder, int frames) {
        root->insert_child(recorder);
        for (int i = 0; i < frames; ++i) root->push_frame(std::make_shared<frame::CompositeStateFrame>(i));
        root->push_frame(nullptr);
    }
};

TEST_F(ComponentModel, ChainDrivesItsSourceToTheEndOfTheStream) {
    auto out = drive("<component_chain><components><counting_source><count>3</count></counting_source>"
                     "<pass_through/></components></component_chain>");
    ASSERT_EQ(out->frames.size(), 4u);
    EXPECT_EQ(out->end_marks(), 1u);
    EXPECT_FALSE(out->frames.back());
}

TEST_F(ComponentModel, NestedChainPassesFramesToTheOuterNextStage) {
    auto out = drive("<component_chain><components><counting_source><count>2</count></counting_source>"
                     "<component_chain><components><pass_through/><pass_through/></components></component_chain>"
                     "<pass_through/></components></component_chain>");
    EXPECT_EQ(out->frames.size(), 3u);
}

TEST_F(ComponentModel, ActiveAttributeRulesDifferBetweenChainAndSplitter) {
    // In a chain only "false" drops a stage; "no" keeps it.
    auto recorder = std::make_shared<Recorder>();
    feed(build("<component_chain><components><pass_through active=\"no\"/></components></component_chain>"),
         recorder, 2);
    EXPECT_EQ(recorder->frames.size(), 3u);
    EXPECT_MESSAGE(build("<component_chain><components><pass_through active=\"false\"/></components></component_chain>"),
                   "no active components in ComponentChain");
    EXPECT_MESSAGE(build("<component_chain><components/></component_chain>"), "no components in ComponentChain");
    EXPECT_MESSAGE(build("<component_chain><components><pass_through active=\"\"/></components></component_chain>"),
                   "string = ");

    // In a splitter only "true" (or no attribute) keeps a branch.
    recorder = std::make_shared<Recorder>();
    feed(build("<splitter><components><pass_through/><pass_through active=\"true\"/>"
               "<pass_through active=\"yes\"/></components></splitter>"),
         recorder, 3);
    EXPECT_EQ(recorder->frames.size(), 3u * 2 + 1);
    EXPECT_EQ(recorder->end_marks(), 1u);
}

TEST_F(ComponentModel, SplitterWithoutBranchesForwardsOnlyTheEndOfTheStream) {
    auto recorder = std::make_shared<Recorder>();
    feed(build("<splitter><components/></splitter>"), recorder, 2);
    ASSERT_EQ(recorder->frames.size(), 1u);
    EXPECT_FALSE(recorder->frames[0]);
}

TEST_F(ComponentModel, TerminatorAsRootStopsAtTheFirstPush) {
    auto root = build("<terminator/>");
    EXPECT_FALSE(root->push());
}

TEST_F(ComponentModel, ProcessingStageAsSourceFailsAtTheFirstPush) {
    auto root = build("<component_chain><components><pass_through/></components></component_chain>");
    EXPECT_MESSAGE(root->push(), "call to unspecialized virtual function Component::push");
    EXPECT_MESSAGE(build("<counting_source><count>1</count></counting_source>")->push_frame(nullptr),
                   "call to unspecialized virtual function Component::push_frame");
    EXPECT_MESSAGE(build("<Component_Chain/>"), "Unknown key: key = Component_Chain (did you mean component_chain?)");
}

TEST(Popper, RefusesMisuseWithItsMessages) {
    cmpnt::Popper popper;
    EXPECT_MESSAGE(popper.insert_child(nullptr), "attempt to insert child in a cmpnt::Popper");
    EXPECT_MESSAGE(popper.push(), "attempt to push on a cmpnt::Popper");
    EXPECT_MESSAGE(popper.pop(), "frame_list is empty in Popper");
    popper.push_frame(nullptr);
    popper.push_frame(nullptr);
    popper.pop();
    EXPECT_MESSAGE(popper.push_frame(nullptr), "problem in Popper");
}

TEST(ComponentTree, ReleasingTheRootDestroysEveryStage) {
    std::weak_ptr<cmpnt::Component> leaf;
    {
        auto root = std::make_shared<cmpnt::PassThrough>();
        auto middle = std::make_shared<cmpnt::PassThrough>();
        auto end = std::make_shared<cmpnt::Terminator>();
        leaf = end;
        middle->insert_child(end);
        root->insert_child(middle);
    }
    EXPECT_TRUE(leaf.expired());
}

}  // namespace
