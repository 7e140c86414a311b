// Numbers that must be finite (positions, covariances, times) are refused
// when a state, contact or frame is read with NaN or an infinity; bounds
// where "inf" means no limit still take it.
#include <gtest/gtest.h>

#include "model/composite_state_frame.h"
#include "state_test_support.h"

namespace {

using state_test::read;

struct Case {
    const char* what;
    std::string element;
    std::string message;  // a part of the error; empty: the element is read
};

const std::string kNormal2d =
    "<position_estimate_state_2d><time>TIME</time><normal><mean>MEAN</mean><covariance>COV</covariance>"
    "</normal></position_estimate_state_2d>";

std::string with(std::string text, const std::string& key, const std::string& value) {
    return text.replace(text.find(key), key.size(), value);
}

std::string estimate(const std::string& time, const std::string& mean, const std::string& cov) {
    return with(with(with(kNormal2d, "TIME", time), "MEAN", mean), "COV", cov);
}

std::string esm(const std::string& min_range, const std::string& max_range) {
    return "<esm_contact><time>4</time><position>1 2 3</position><min_range>" + min_range +
           "</min_range><max_range>" + max_range +
           "</max_range><bearing>60</bearing><bearing_sigma>1.5</bearing_sigma>"
           "<mode_distribution dim=\"2\">0.75 0.25</mode_distribution></esm_contact>";
}

std::string theta_phi(const std::string& interval) {
    return "<theta_phi_estimate_state><time>1</time><mean>30 -10</mean><sigmas>2 1</sigmas>"
           "<sensor_position>1 2 3</sensor_position><range_interval><open_interval>" +
           interval + "</open_interval></range_interval></theta_phi_estimate_state>";
}

std::string previous_time(const std::string& text) {
    return "<time_previous_time_state><time>4</time><previous_time>" + text +
           "</previous_time></time_previous_time_state>";
}

TEST(NonFiniteReading, StatesAndContactsRefuseNonFiniteNumbersNamingTheChildAndElement) {
    const std::vector<Case> cases{
        {"NaN mean", estimate("1", "nan 0", "1 0 0 1"),
         "mean of normal in position_estimate_state_2d must be a finite number, text = \"nan 0\""},
        {"infinite covariance", estimate("1", "0 0", "inf 0 0 1"),
         "covariance of normal in position_estimate_state_2d must be a finite number"},
        {"NaN time", estimate("nan", "0 0", "1 0 0 1"), "time of position_estimate_state_2d must be a finite number"},
        {"finite estimate", estimate("1", "0 -2.5e3", "1 0 0 1"), ""},
        {"time state", "<time_state>-inf</time_state>", "time_state of the document must be a finite number"},
        {"spherical contact", "<spherical_contact><time>2</time><sensor_position>1 NaN 3</sensor_position>"
                              "<r_theta_phi>1000 90 -5</r_theta_phi><sigmas>10 0.5 1</sigmas></spherical_contact>",
         "sensor_position of spherical_contact must be a finite number"},
        {"gps contact", "<gps_3d_contact><time>inf</time><gps_id>17</gps_id><platform_type>2</platform_type>"
                        "<position>1 2 3</position><sigma>5</sigma></gps_3d_contact>",
         "time of gps_3d_contact must be a finite number"},
        {"esm without range limit", esm("0", "inf"), ""},
        {"esm NaN range", esm("nan", "100"), "min_range of esm_contact must be a number or inf, not NaN"},
        {"unbounded range interval", theta_phi("0 inf"), ""},
        {"NaN range interval", theta_phi("nan 5"), "open_interval of range_interval in theta_phi_estimate_state must be a number or inf"},
        {"no previous time", previous_time("-inf"), ""},
        {"NaN previous time", previous_time("nan"), "previous_time of time_previous_time_state must be a number or -inf"},
        {"future previous time", previous_time("inf"), "previous_time of time_previous_time_state must be a number or -inf"},
        {"feature vector", "<gaussian_feature_vector_state><time>1</time><size>2</size><mean>1 nan</mean>"
                           "<sigma>1 1</sigma></gaussian_feature_vector_state>",
         "mean of gaussian_feature_vector_state must be a finite number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.message.empty()) {
            EXPECT_NO_THROW(read(c.element));
            continue;
        }
        try {
            read(c.element);
            ADD_FAILURE() << "accepted: " << c.element;
        } catch (const std::exception& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("at line 2"), std::string::npos) << error.what();
        }
    }
}

TEST(NonFiniteReading, AContactFrameWithANaNTimeOrPositionIsRefused) {
    state_test::register_all();
    auto frame_text = [](const std::string& time, const std::string& mean) {
        return "<composite_state_frame><time>" + time + "</time><meta_data><composite_state/></meta_data>"
               "<composite_states><composite_state>" + estimate("1", mean, "1 0 0 1") +
               "</composite_state></composite_states></composite_state_frame>";
    };
    EXPECT_NO_THROW(frame::CompositeStateFrame(state_test::parse(frame_text("1", "3 4"))));
    EXPECT_THROW(frame::CompositeStateFrame(state_test::parse(frame_text("nan", "3 4"))), util::Exception);
    EXPECT_THROW(frame::CompositeStateFrame(state_test::parse(frame_text("1", "nan 0"))), util::Exception);
}

}  // namespace
