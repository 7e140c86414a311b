#pragma once
#include <map>
#include <vector>

#include "lineage/linking_model.h"
#include "lineage/track_history.h"
#include "model/label.h"

namespace lineage {

// A piece of a track that begins in `frame`: the whole track when it starts
// there, or its part from there on when the linker may cut the track before
// that frame (a track under way beside a start: its continuation may be a
// daughter, or another cell's).
struct Piece {
    state::Label track;
    int frame = 0;
    bool cut = false;
};

// One decision about where a piece came from.
struct Link {
    enum class Kind {
        found_again,  // the source goes on as starts[0] (a cut track kept whole is found again as itself)
        division,     // the source divided into starts[0] and starts[1]
    };
    Kind kind = Kind::found_again;
    state::Label source;
    bool source_cut = false;  // the source is a track cut before `frame`, else a track that ended
    std::vector<Piece> starts;
    int frame = 0;   // the frame in which the starts begin
    int unseen = 0;  // frames the source went unseen before it
    double score = 0.0;

    // A cut track whose piece is found again as its own continuation.
    bool keeps_track() const {
        return kind == Kind::found_again && source_cut && starts.front().track == source;
    }
};

struct LinkChoice {
    std::vector<Link> links;  // the chosen links
    std::vector<Piece> cuts;  // every track considered for a cut, kept whole or not
};

// Chooses, by one global assignment, how the pieces that begin in the
// uncommitted frames (from `first_frame` on) came about: each piece is
// explained by at most one link, each ended track, and each track cut
// before a frame, continues in at most one link, and the chosen links have
// the largest total score (a piece or an end left unlinked scores 0, so no
// link of score <= 0 is ever worth a column). Tracks that started are open
// until committed; a track under way is cut before a frame when some start
// of that frame could be her daughter's sister. Keeping a cut track whole
// always scores above 0: the tracker's own link stands unless a better
// explanation takes its pieces.
LinkChoice choose_links(const std::map<state::Label, TrackHistory>& tracks, int first_frame,
                               const LinkingModel& model);

}  // namespace lineage
