#include <gtest/gtest.h>

#include <random>

#include "celltracking/isbi_frame_writer.h"
#include "celltracking_test_support.h"
#include "evaluation/result_validation.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/track_parent_state.h"
#include "support/temp_dir.h"

namespace {

using cell_test::element;
using cell_test::Track;

// Random tracker output meant to break a naive writer: tracks that move
// fast, share segments, coast onto one pixel or out of the image, vanish for
// a few frames, divide near others, name parents (present, ended or
// unknown), and carry position or position-velocity estimates.
class RandomPipeline {
public:
    RandomPipeline(unsigned seed, int dimension) : random_(seed), dimension_(dimension) {}

    void run(isbi::IsbiFrameWriterBase& writer, int frames) {
        for (int f = 0; f < frames; ++f) writer.push_frame(next_frame(f));
        writer.push_frame(nullptr);
    }

private:
    static constexpr int width = 14, height = 10, depth = 3;

    struct Cell {
        Track track;
        std::optional<state::Label> parent;  // put on its first state only
        bool velocity = false;                // position-velocity estimate
        int hidden = 0;                       // frames it stays out of the frames
    };

    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }
    int integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(double p) { return uniform(0, 1) < p; }

    // Random boxes, later ones over earlier ones (so a segment may vanish).
    template <class Segmentation>
    void paint_boxes(Segmentation& set, int segments, int slices) {
        for (int s = 1; s < segments; ++s) {
            const int x0 = integer(0, width - 1), y0 = integer(0, height - 1), z0 = integer(0, slices - 1);
            const int x1 = std::min(width - 1, x0 + integer(0, 3)), y1 = std::min(height - 1, y0 + integer(0, 3));
            for (int z = z0; z <= std::min(slices - 1, z0 + 1); ++z)
                for (int y = y0; y <= y1; ++y)
                    for (int x = x0; x <= x1; ++x) set(x, y, z) = s;
        }
    }

    state::CompositeStatePtr states_of(Cell& cell) {
        auto states = cell_test::make_track(cell.track, dimension_);
        if (cell.velocity) {
            states->erase<state::PositionEstimateState<2>>();
            states->erase<state::PositionEstimateState<3>>();
            const Track& t = cell.track;
            if (dimension_ == 2) {
                nmrc::Normal<4> estimate;
                estimate.mean = nmrc::Vector<4>{t.x, t.y, 1, -1};
                states->insert(std::make_shared<const state::PositionVelocityEstimateState<2>>(estimate, 0.0));
            } else {
                nmrc::Normal<6> estimate;
                estimate.mean = nmrc::Vector<6>{t.x, t.y, t.z, 1, -1, 0};
                states->insert(std::make_shared<const state::PositionVelocityEstimateState<3>>(estimate, 0.0));
            }
        }
        if (cell.parent) states->insert(std::make_shared<const ostrel::TrackParentState>(*cell.parent));
        cell.parent.reset();
        return states;
    }

    cmpnt::FramePtr next_frame(int f) {
        const int segments = integer(1, 7);
        state::StatePtr segmentation;
        util::CountedPtr<frame::CompositeStateFrame> frame;
        if (dimension_ == 2) {
            auto set = std::make_shared<ipc::SegmentImage>(width, height, 0);
            auto at = [&](int x, int y, int) -> int& { return (*set)(x, y); };
            paint_boxes(at, segments, 1);
            set->number_of_segments = segments;
            frame = cell_test::make_frame(f, {}, set);
        } else {
            auto set = std::make_shared<ipc::SegmentImage3d>(width, height, depth);
            set->fill(0);
            auto at = [&](int x, int y, int z) -> int& { return (*set)(x, y, z); };
            paint_boxes(at, segments, depth);
            set->number_of_segments = segments;
            frame = cell_test::make_frame_3d(f, {}, set);
        }

        // Births, some right beside a cell (a division) or naming a parent.
        for (int b = integer(0, 3); b > 0; --b) {
            Cell cell;
            cell.track = Track({7, next_id_++}, 0, uniform(-2, width + 1), uniform(-2, height + 1));
            cell.velocity = chance(0.3);
            if (!cells_.empty() && chance(0.5)) {
                const Cell& near = cells_[static_cast<std::size_t>(integer(0, static_cast<int>(cells_.size()) - 1))];
                cell.track.x = near.track.x + uniform(-2, 2);
                cell.track.y = near.track.y + uniform(-2, 2);
                if (chance(0.5)) cell.parent = near.track.label;
            } else if (chance(0.2)) {
                cell.parent = state::Label{7, integer(0, next_id_ + 3)};  // ended, unknown or itself
            }
            cells_.push_back(cell);
        }

        std::vector<std::pair<double, double>> coasts;  // coast positions so far, to land on again
        for (Cell& cell : cells_) {
            Track& t = cell.track;
            if (cell.hidden > 0) {
                --cell.hidden;
                continue;
            }
            if (t.n > 0 && chance(0.1)) {
                cell.hidden = integer(1, 2);
                continue;
            }
            ++t.n;
            t.x += uniform(-7, 7);  // fast
            t.y += uniform(-7, 7);
            t.z = uniform(-0.6, depth - 0.4);
            if (chance(0.6)) {
                t.segment = integer(0, segments - 1);  // often another cell's segment too
            } else {
                t.segment.reset();
                if (!coasts.empty() && chance(0.3)) std::tie(t.x, t.y) = coasts[0];  // crossing
                coasts.emplace_back(t.x, t.y);
            }
            frame->composite_states.push_back(states_of(cell));
        }
        // Deaths.
        cells_.erase(std::remove_if(cells_.begin(), cells_.end(), [&](const Cell&) { return chance(0.08); }),
                     cells_.end());
        return frame;
    }

    std::mt19937 random_;
    int dimension_;
    int next_id_ = 0;
    std::vector<Cell> cells_;
};

std::string writer_element(const std::string& key, const std::string& directory) {
    return "<" + key + "><directory>" + directory + "</directory><create>false</create>"
           "<distance_gate>3</distance_gate></" + key + ">";
}

TEST(ResultValidityTest, EveryRandomPipelineGivesAValidResult) {
    int divisions = 0, gaps = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        test_support::TempDir dir("valid");
        const int dimension = seed % 3 == 0 ? 3 : 2;
        std::unique_ptr<isbi::IsbiFrameWriterBase> writer;
        if (dimension == 2)
            writer = std::make_unique<isbi::IsbiFrameWriter>(element(writer_element("isbi_frame_writer", dir.str())));
        else
            writer = std::make_unique<isbi::IsbiFrameWriter3d>(element(writer_element("isbi_frame_writer_3d", dir.str())));
        writer->insert_child(std::make_shared<cell_test::FrameCollector>());
        RandomPipeline(seed, dimension).run(*writer, 12);
        EXPECT_EQ(ctc::validate_result_folder(dir.str()), std::vector<std::string>{});
        // tracks.csv: a header and a row for every frame of every label.
        std::map<std::int32_t, int> children;
        std::size_t spanned = 0;
        for (const auto& [label, segment] : writer->lineage().segments()) {
            if (segment.parent) ++children[segment.parent];
            spanned += static_cast<std::size_t>(segment.end - segment.begin + 1);
        }
        const std::string table = cell_test::read_text(dir.str() + "/tracks.csv");
        EXPECT_EQ(static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n')), spanned + 1);
        for (const auto& [parent, count] : children) (count > 1 ? divisions : gaps) += 1;
    }
    // The pipelines do exercise divisions and gaps.
    EXPECT_GT(divisions, 50);
    EXPECT_GT(gaps, 50);
}

}  // namespace
