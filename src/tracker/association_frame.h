#pragma once
#include <vector>

#include "config/schema.h"
#include "model/composite_state.h"
#include "model/frame.h"

namespace frame {

// A pairing of the states of two lists (for example estimates and truth)
// with a score per pair and the summed localization error. Frame key
// "association_frame".
class AssociationFrame : public Frame {
public:
    struct Association {
        state::CompositeStatePtr state0;
        state::CompositeStatePtr state1;
        double score = 0.0;
    };

    explicit AssociationFrame(double time) : Frame(time) {}
    // What the element holds that is read: only "time". The other elements
    // of the written form are accepted and left aside.
    struct Form {
        double time = 0.0;
    };
    static const config::Schema<Form>& schema();

    // The lists start empty and the error sum at 0.
    explicit AssociationFrame(const Form& form) : Frame(form.time) {}
    explicit AssociationFrame(const xml::Querier& querier) : AssociationFrame(schema().bind(querier)) {}

    static const char* key() { return "association_frame"; }
    static int static_type_id() { return identity<AssociationFrame>(); }
    int type_id() const override { return static_type_id(); }
    // "association_frame": time, the error sum, the counts, both state lists
    // and the associations.
    void write(xml::OutStream& out) const override;

    double localization_error_sum = 0.0;
    std::vector<state::CompositeStatePtr> state_list0;
    std::vector<state::CompositeStatePtr> state_list1;
    std::vector<Association> association_list;
};

}  // namespace frame
