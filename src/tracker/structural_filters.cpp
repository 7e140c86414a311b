#include "tracker/structural_filters.h"

#include "util/exception.h"

namespace ostrel {

CompositeFilter::CompositeFilter(const xml::Querier& querier) {
    for (const xml::Querier& child : querier.tags()) members_.push_back(filter_factory().create(child));
}

CompositeFilter::CompositeFilter(std::vector<FilterPtr> members) : members_(std::move(members)) {
    for (const FilterPtr& member : members_)
        if (!member) throw util::Exception("CompositeFilter: null member filter");
}

void CompositeFilter::update(const state::CompositeState& contact, TrackState& track) const {
    for (const FilterPtr& member : members_) member->update(contact, track);
}

void NoOp::write(xml::OutStream& out) const {
    out.tag("no_op");
    out.end_tag();
}

void BadOp::update(const state::CompositeState&, TrackState&) const {
    throw util::Exception("BadOp::update called");
}

void BadOp::write(xml::OutStream& out) const {
    out.tag("bad_op");
    out.end_tag();
}

FilterPtr shared_bad_op() {
    static const FilterPtr instance = std::make_shared<BadOp>();
    return instance;
}

FilterPtr create_bad_op(const xml::Querier&) { return shared_bad_op(); }

}  // namespace ostrel
