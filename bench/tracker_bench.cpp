// Time per frame of the multiple hypothesis tracker on synthetic contact
// frames: T targets moving at constant velocity in 2-D, detected with
// probability 0.95 under Gaussian position noise, plus a few spurious
// contacts per frame. Every combination of T (10, 100, 1000, 10000), n-scan depth
// (0 to 4) and assignment algorithm is run, except those that would take
// minutes (see `affordable`). Build with -DOSTREL_BENCH=ON (the "tracker"
// and "filters" folders are needed).
//
// The filters are the filter library's, configured like the shipped 2-D
// cell-tracking filter set (NCV prediction, position Kalman update with a
// chi-square gate, m-of-n confirmation, birth, survival, miss and death
// scores), so a frame goes through filter_definer and
// multiple_hypothesis_tracker as in a real run.
//
// Counters: hypotheses = leaf, zombie and terminated hypotheses held after
// each frame (average); tracks = confirmed tracks reported per frame
// (average).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "filters/filter_registry.h"
#include "model/composite_state_frame.h"
#include "model/states/position_estimate_state.h"
#include "model/states/sensor_type_state.h"
#include "model/states/time_state.h"
#include "model/track_label_state.h"
#include "tracker/filter_definer.h"
#include "tracker/multiple_hypothesis_tracker.h"
#include "tracker/track_report_frame.h"
#include "xml/querier.h"

namespace {

constexpr double kNoise = 1.0;          // contact position noise (sd, pixels)
constexpr double kSpeed = 1.0;          // target speed per axis (sd, pixels per frame)
constexpr double kDetection = 0.95;     // detection probability
constexpr double kTargetSpacing = 50.0; // one target per 50 x 50 pixels on average

// The cell-tracking filter set with the measurement noise and speeds above;
// "AREA" is replaced by the scene's area.
const char* const kFilterDefiner = R"(<?xml version="1.0"?>
<filter_definer>
  <terminator><composite>
    <time_previous_time_updater/>
    <death_score_inserter><death_rate>0.02</death_rate></death_score_inserter>
  </composite></terminator>
  <zombie_coaster><no_op/></zombie_coaster>
  <filters><bench>
    <initializer><composite>
      <time_previous_time_initializer/>
      <last_contact_time_initializer/>
      <missed_detection_count_zeroer/>
      <m_of_n_initializer/>
      <position_position_velocity_2d_initializer>
        <prior_velocity_covariance>2 0 0 2</prior_velocity_covariance>
        <nominal_surveillance_area>AREA</nominal_surveillance_area>
      </position_position_velocity_2d_initializer>
      <birth_initializer>
        <death_rate>0.02</death_rate><birth_rate>0.5</birth_rate><nominal_dt>1</nominal_dt>
      </birth_initializer>
    </composite></initializer>
    <updater><composite>
      <time_previous_time_updater/>
      <nearly_constant_velocity_2d_predictor><process_noise>0.1 0.1</process_noise></nearly_constant_velocity_2d_predictor>
      <position_position_velocity_2d_contact_updater_and_gater>
        <filter><composite>
          <life_score_inserter><death_rate>0.02</death_rate></life_score_inserter>
          <last_contact_time_initializer/>
          <missed_detection_count_zeroer/>
          <m_of_n_contact_updater/>
          <m_of_n_confirmer>
            <m>2</m><n>3</n><confirmation_reward>100</confirmation_reward><continuation_reward>2</continuation_reward>
          </m_of_n_confirmer>
        </composite></filter>
        <gate>13.8</gate>
      </position_position_velocity_2d_contact_updater_and_gater>
    </composite></updater>
    <coaster><composite>
      <time_previous_time_updater/>
      <missed_detection_count_incrementer/>
      <m_of_n_coast_updater/>
      <maximum_missed_detection_gater>
        <maximum_missed_detections>2</maximum_missed_detections>
        <filter><composite>
          <nearly_constant_velocity_2d_predictor><process_noise>0.1 0.1</process_noise></nearly_constant_velocity_2d_predictor>
          <life_score_inserter><death_rate>0.02</death_rate></life_score_inserter>
          <infinite_footprint_missed_detection_score_inserter>
            <detection_probability>0.95</detection_probability>
          </infinite_footprint_missed_detection_score_inserter>
        </composite></filter>
      </maximum_missed_detection_gater>
    </composite></coaster>
    <!-- Every contact has a label of its own: continuations never happen. -->
    <continuation_updater><no_op/></continuation_updater>
  </bench></filters>
</filter_definer>
)";

// Targets on a square of side sqrt(T) * spacing, moving at constant
// velocity and wrapping around; contacts are numbered as a contact
// converter numbers them.
class Scene {
public:
    explicit Scene(int targets)
        : side_(std::sqrt(static_cast<double>(targets)) * kTargetSpacing), random_(12345) {
        std::uniform_real_distribution<double> where(0.0, side_);
        std::normal_distribution<double> speed(0.0, kSpeed);
        for (int i = 0; i < targets; ++i)
            targets_.push_back({where(random_), where(random_), speed(random_), speed(random_)});
        spurious_ = std::max(1, targets / 50);
    }

    double area() const { return side_ * side_; }

    cmpnt::FramePtr next_frame() {
        const double time = time_++;
        auto frame = std::make_shared<frame::CompositeStateFrame>(time);
        frame->meta_data->insert(std::make_shared<const snsr::SensorTypeState>("bench"));
        frame->meta_data->insert(std::make_shared<const state::TimeState>(time));
        std::normal_distribution<double> noise(0.0, kNoise);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (Target& target : targets_) {
            target.x = wrap(target.x + target.vx);
            target.y = wrap(target.y + target.vy);
            if (unit(random_) < kDetection)
                add_contact(*frame, target.x + noise(random_), target.y + noise(random_));
        }
        for (int i = 0; i < spurious_; ++i)
            add_contact(*frame, unit(random_) * side_, unit(random_) * side_);
        return frame;
    }

private:
    struct Target {
        double x, y, vx, vy;
    };

    double wrap(double v) const { return v < 0 ? v + side_ : (v >= side_ ? v - side_ : v); }

    void add_contact(frame::CompositeStateFrame& frame, double x, double y) {
        auto contact = std::make_shared<state::CompositeState>();
        contact->insert(std::make_shared<const state::TimeState>(frame.time));
        contact->insert(std::make_shared<const state::TrackLabelState>(state::Label{0, next_number_++}));
        contact->insert(std::make_shared<const state::PositionEstimateState<2>>(
            nmrc::Normal<2>({x, y}, nmrc::SymmetricMatrix<2>::diagonal({kNoise * kNoise, kNoise * kNoise})),
            frame.time));
        frame.composite_states.push_back(std::move(contact));
    }

    double side_;
    std::mt19937 random_;
    std::vector<Target> targets_;
    int spurious_;
    double time_ = 0.0;
    std::int32_t next_number_ = 0;
};

// Counts what the tracker reports.
class TrackCounter : public cmpnt::Component {
public:
    void insert_child(cmpnt::ComponentPtr) override {}
    void push_frame(cmpnt::FramePtr frame) override {
        if (frame) tracks += frame->cast<frame::TrackReportFrame>().track_reports.size();
    }
    double tracks = 0;
};

const char* const kAlgorithms[] = {"greedy", "hybrid", "optimal", "branch_and_bound",
                                   "random_greedy"};

std::string filter_definer_text(double area) {
    std::string text = kFilterDefiner;
    text.replace(text.find("AREA"), 4, std::to_string(area));
    return text;
}

void run_tracker(benchmark::State& state, int targets, int nscan, const char* algorithm) {
    Scene scene(targets);
    auto definer = std::make_shared<ostrel::FilterDefiner>(
        xml::Querier::parse(filter_definer_text(scene.area())));
    auto tracker = std::make_shared<ostrel::MultipleHypothesisTracker>(xml::Querier::parse(
        std::string("<?xml?>\n<multiple_hypothesis_tracker><assignment_algorithm>") + algorithm +
        "</assignment_algorithm><nscan>" + std::to_string(nscan) +
        "</nscan></multiple_hypothesis_tracker>"));
    auto counter = std::make_shared<TrackCounter>();
    definer->insert_child(tracker);
    tracker->insert_child(counter);
    // Fill the window and commit a frame before timing.
    for (int i = 0; i < nscan + 2; ++i) definer->push_frame(scene.next_frame());
    counter->tracks = 0;

    std::vector<cmpnt::FramePtr> frames;
    frames.reserve(static_cast<std::size_t>(state.max_iterations));
    for (benchmark::IterationCount i = 0; i < state.max_iterations; ++i)
        frames.push_back(scene.next_frame());
    double hypotheses = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        definer->push_frame(frames[next++]);
        hypotheses += static_cast<double>(tracker->tree().hypothesis_count());
    }
    state.counters["hypotheses"] = benchmark::Counter(hypotheses, benchmark::Counter::kAvgIterations);
    state.counters["tracks"] = benchmark::Counter(counter->tracks, benchmark::Counter::kAvgIterations);
}

// Combinations left out because they would run for minutes on a 2-core
// machine or add nothing:
// - "branch_and_bound" at T = 100 beyond nscan 2 and at T >= 1000: its
//   search, bounded by the relaxation's row prices, still grows quickly with
//   the cluster size.
// - T = 1000 beyond nscan 2 except greedy, and T = 10000 except greedy and
//   hybrid at nscan 2: enough to show that the cost per frame grows
//   linearly with T at fixed density (the contacts are indexed by position,
//   so a leaf's filter passes do not grow with T).
bool affordable(int targets, int nscan, const std::string& algorithm) {
    if (algorithm == "branch_and_bound") return targets <= 10 || (targets <= 100 && nscan <= 2);
    if (targets >= 10000) return nscan == 2 && (algorithm == "greedy" || algorithm == "hybrid");
    if (targets >= 1000) return nscan <= 2 || algorithm == "greedy";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    for (const ostrel::FilterKey& entry : ostrel::filter_keys())
        ostrel::filter_factory().registerize(entry.key, entry.creator);
    for (int targets : {10, 100, 1000, 10000}) {
        for (int nscan = 0; nscan <= 4; ++nscan) {
            for (const char* algorithm : kAlgorithms) {
                if (!affordable(targets, nscan, algorithm)) continue;
                const std::string name = "tracker/T:" + std::to_string(targets) +
                                         "/nscan:" + std::to_string(nscan) + "/" + algorithm;
                benchmark::RegisterBenchmark(name.c_str(), run_tracker, targets, nscan, algorithm)
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(targets >= 10000 ? 5 : targets >= 1000 ? 10 : 30);
            }
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
