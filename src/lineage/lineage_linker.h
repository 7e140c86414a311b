#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "lineage/link_choice.h"
#include "lineage/linking_model.h"
#include "lineage/linking_parameters.h"
#include "lineage/track_history.h"
#include "model/composite_state_frame.h"
#include "pipeline/component.h"

namespace lineage {

// Decides divisions and closes gaps after the tracker: tracks that start are
// linked to tracks that ended shortly before, or to tracks under way beside
// them whose continuation may be a daughter (or another cell), by one global
// assignment over a sliding window of frames (see choose_links and
// LinkingModel for the scores). Each frame is held for "window" frames; then
// its links are committed and it is passed on, changed so that the
// cell-tracking writers record the lineage:
//   - a division: each daughter's first state carries a TrackParentState
//     naming the mother; a mother whose track went on with one daughter
//     ends there, the continuation taking a fresh label of the linker's own
//     label source;
//   - a cell found again after frames unseen: its first state names the
//     earlier track as parent (the result form's way of bridging a gap);
//   - a track broken between two consecutive frames is joined: the later
//     piece carries the earlier one's label (and a new track continues the
//     m-of-n counters of the old one).
// Memory stays bounded: the window of frames and a few sightings of each
// track under way or recently ended.
//
// Place it after "track_relabeler" and before the writer, whose
// "distance_gate" should then be 0 so that it guesses no further divisions.
// Keys "lineage_linker" (2-D tracks) and "lineage_linker_3d".
class LineageLinkerBase : public cmpnt::MonoChildComponent {
public:
    LineageLinkerBase(const LinkingParameters& parameters, std::string key, int dimension);

    void push_frame(cmpnt::FramePtr frame) override;

    std::int32_t label_source() const { return source_; }

protected:
    // The area (volume) of the frame's segmentation, or none.
    virtual std::optional<double> field_size(const frame::CompositeStateFrame& frame) const = 0;
    // The sightings of a frame's tracks, in frame order.
    virtual std::vector<std::pair<state::Label, Sighting>> read_sightings(const frame::CompositeStateFrame& frame,
                                                                          int index) const = 0;
    const std::string& key() const { return key_; }

private:
    struct Held {
        int index = 0;
        cmpnt::FramePtr frame;
    };

    void take(cmpnt::FramePtr frame);
    void commit_oldest();
    void apply(const Link& link, const std::map<state::Label, state::Label>& before);
    void release_oldest();
    state::Label fresh_label();

    std::string key_;
    LinkingModel model_;
    std::int32_t source_ = 0;
    std::int32_t next_number_ = 0;
    int next_index_ = 0;
    std::deque<Held> held_;
    std::map<state::Label, TrackHistory> tracks_;  // by incoming label
};

template <int N>
class BasicLineageLinker : public LineageLinkerBase {
public:
    BasicLineageLinker(const LinkingParameters& parameters, std::string key)
        : LineageLinkerBase(parameters, std::move(key), N) {}

protected:
    std::optional<double> field_size(const frame::CompositeStateFrame& frame) const override;
    std::vector<std::pair<state::Label, Sighting>> read_sightings(const frame::CompositeStateFrame& frame,
                                                                  int index) const override;
};

extern template class BasicLineageLinker<2>;
extern template class BasicLineageLinker<3>;

class LineageLinker : public BasicLineageLinker<2> {
public:
    static const char* key() { return "lineage_linker"; }
    static const config::Schema<LinkingParameters>& schema() { return LinkingParameters::schema(2); }
    explicit LineageLinker(const LinkingParameters& parameters) : BasicLineageLinker<2>(parameters, key()) {}
    explicit LineageLinker(const xml::Querier& querier) : LineageLinker(schema().bind(querier)) {}
};

class LineageLinker3d : public BasicLineageLinker<3> {
public:
    static const char* key() { return "lineage_linker_3d"; }
    static const config::Schema<LinkingParameters>& schema() { return LinkingParameters::schema(3); }
    explicit LineageLinker3d(const LinkingParameters& parameters) : BasicLineageLinker<3>(parameters, key()) {}
    explicit LineageLinker3d(const xml::Querier& querier) : LineageLinker3d(schema().bind(querier)) {}
};

}  // namespace lineage
