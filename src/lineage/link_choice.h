#pragma once
#include <map>
#include <vector>

#include "lineage/linking_model.h"
#include "lineage/track_history.h"
#include "model/label.h"
#include "tracker/assignment/assignment_solver.h"

namespace lineage {

// One decision about where tracks that start came from.
struct Link {
    enum class Kind {
        found_again,         // `source` ended and is found again as starts[0]
        division,            // `source` ended and divided into starts[0] and starts[1]
        continued_division,  // `source` goes on as one daughter, starts[0] is the other
    };
    Kind kind = Kind::found_again;
    state::Label source;
    std::vector<state::Label> starts;
    int frame = 0;   // the frame in which the starts begin
    int unseen = 0;  // frames the source went unseen before it
    double score = 0.0;
};

// Chooses, by one global assignment, how the open starts (tracks whose
// first frame is not committed yet) came about: each is explained by at
// most one link, each ended track continues in at most one link, each track
// divides at most once per frame, and the chosen links have the largest
// total score (a start or end left unlinked scores 0). Candidates are every
// track that ended at most maximum_gap + 1 frames before a start and
// predicts it within the search radius, and every track under way whose
// continuation and a start make a plausible pair of daughters.
std::vector<Link> choose_links(const std::map<state::Label, TrackHistory>& tracks,
                               const std::vector<state::Label>& open_starts, const LinkingModel& model,
                               ostrel::AssignmentSolver& solver, int resolution);

}  // namespace lineage
