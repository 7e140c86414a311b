// States and frames read through their schemas: a malformed element is
// refused naming its key, the bad element and the bad text, and what the
// program writes reads back to the same text.
#include <gtest/gtest.h>

#include "config/catalogue.h"
#include "imaging/image_component_registry.h"
#include "model/composite_state_frame.h"
#include "state_test_support.h"

namespace {

// The states and the image-segment states the contact converters add.
void register_all() {
    static const bool done = [] {
        state_test::register_all();
        ipc::register_image_states(state::factory());
        return true;
    }();
    (void)done;
}

using state_test::parse;
using state_test::read;
using state_test::written;

struct Malformed {
    std::string element;
    std::vector<std::string> named;  // key, element and bad text the message names
};

TEST(StateSchema, MalformedElementsAreRefusedNamingKeyElementAndValue) {
    const std::vector<Malformed> cases{
        {"<time_state>soon</time_state>", {"time_state", "soon"}},
        {"<position_state_3d><position>1 2</position></position_state_3d>", {"position_state_3d", "position", "1 2"}},
        {"<position_estimate_state_2d><normal><mean>0 0</mean><covariance>1 0 0 1</covariance></normal>"
         "</position_estimate_state_2d>",
         {"position_estimate_state_2d", "time"}},
        {"<position_velocity_state_1d><position>2</position><velocity>inf</velocity></position_velocity_state_1d>",
         {"position_velocity_state_1d", "velocity", "inf"}},
        {"<track_label_state><label><src>x7</src><id>1</id></label></track_label_state>",
         {"track_label_state", "src", "x7"}},
        {"<contact_label_state><label><src>2</src></label></contact_label_state>", {"contact_label_state", "id"}},
        {"<track_parent_state/>", {"track_parent_state", "label"}},
        {"<m_of_n_state><m>3</m><n>many</n></m_of_n_state>", {"m_of_n_state", "n", "many"}},
        {"<segment_size_state><time>1</time><normal><mean>4</mean><covariance>big</covariance></normal>"
         "</segment_size_state>",
         {"segment_size_state", "covariance", "big"}},
        {"<detection_probability_state>1.5</detection_probability_state>", {"detection_probability_state", "1.5"}},
        {"<gaussian_feature_state_1d><time>1</time><mean>0</mean><sigma>-3</sigma></gaussian_feature_state_1d>",
         {"gaussian_feature_state_1d", "sigma", "-3"}},
        {"<last_contact_time_state><last_contact_time>nan</last_contact_time></last_contact_time_state>",
         {"last_contact_time_state", "last_contact_time", "nan"}},
    };
    register_all();
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.element);
        try {
            read(c.element);
            ADD_FAILURE() << "accepted";
        } catch (const std::exception& error) {
            const std::string message = error.what();
            for (const std::string& part : c.named) EXPECT_NE(message.find(part), std::string::npos) << message;
        }
    }
}

TEST(StateSchema, AFrameWithAMalformedTimeNamesTheFrameAndTheText) {
    register_all();
    try {
        frame::CompositeStateFrame(parse("<composite_state_frame><time>noon</time><meta_data><composite_state/>"
                                         "</meta_data><composite_states/></composite_state_frame>"));
        ADD_FAILURE() << "accepted";
    } catch (const std::exception& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("composite_state_frame"), std::string::npos) << message;
        EXPECT_NE(message.find("noon"), std::string::npos) << message;
    }
}

// Written with 15 digits, a frame of contacts and tracks reads back to the
// same text: write -> read -> write is the identity on written frames.
TEST(StateSchema, WrittenFramesReadBackToTheSameText) {
    register_all();
    const std::string sets =
        "<composite_state><time_state>0.1</time_state>"
        "<position_estimate_state_3d><time>0.1</time><normal><mean>1e-300 -2.5 3</mean>"
        "<covariance>2 0.1 0 0.1 3 0 0 0 4</covariance></normal></position_estimate_state_3d>"
        "<contact_label_state><label><src>-1</src><id>12</id></label></contact_label_state>"
        "<segment_size_state><time>0.1</time><normal><mean>nan</mean><covariance>1</covariance></normal>"
        "</segment_size_state>"
        "<segment_features_state><area>40</area><mean_intensity>1200.5</mean_intensity>"
        "<total_intensity>48020</total_intensity><orientation>-1.2</orientation><major_axis>9.5</major_axis>"
        "<minor_axis>5</minor_axis><elongation>1.9</elongation></segment_features_state>"
        "<segment_id_state>7</segment_id_state></composite_state>"
        "<composite_state><track_label_state><label><src>3</src><id>4</id></label></track_label_state>"
        "<position_velocity_estimate_state_2d><time>2</time><normal><mean>1 2 3 4</mean>"
        "<covariance>1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1</covariance></normal></position_velocity_estimate_state_2d>"
        "<time_previous_time_state><time>2</time><previous_time>-1.#INF</previous_time></time_previous_time_state>"
        "<track_parent_state><label><src>3</src><id>1</id></label></track_parent_state>"
        "<m_of_n_state><m>2</m><n>3</n></m_of_n_state><confirmed_state/></composite_state>";
    const std::string text = "<composite_state_frame><time>2</time><meta_data><composite_state>"
                             "<contact_state><composite_state><time_state>2</time_state></composite_state>"
                             "</contact_state></composite_state></meta_data><composite_states>" +
                             sets + "</composite_states></composite_state_frame>";
    const std::string first = written(frame::CompositeStateFrame(parse(text)));
    const std::string second = written(frame::CompositeStateFrame(parse(first)));
    EXPECT_EQ(first, second);
    EXPECT_NE(first.find("<previous_time>-inf</previous_time>"), std::string::npos) << first;
}

TEST(StateSchema, DescribedKeysNameTheirChildren) {
    register_all();
    const std::string text = config::describe_key("position_velocity_estimate_state_2d");
    EXPECT_NE(text.find("covariance"), std::string::npos) << text;
    EXPECT_EQ(config::describe_key("segment_size_state").find("not declared"), std::string::npos);
}

}  // namespace
