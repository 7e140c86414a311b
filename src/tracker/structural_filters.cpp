#include "tracker/structural_filters.h"

#include "util/exception.h"

namespace ostrel {

namespace {

std::vector<FilterPtr> members_in(const xml::Querier& element) {
    std::vector<FilterPtr> members;
    for (const xml::Querier& child : element.tags()) members.push_back(filter_factory().create(child));
    return members;
}

}  // namespace

const config::Schema<CompositeFilter::Parameters>& CompositeFilter::schema() {
    static const auto schema =
        config::Schema<Parameters>("composite", "applies its member filters one after the other")
            .contents(&Parameters::members, "filter elements", "the members, applied in document order",
                      &members_in, false);
    return schema;
}

const config::Schema<config::NoParameters>& NoOp::schema() {
    return config::parameterless("no_op", "does nothing");
}

const config::Schema<config::NoParameters>& BadOp::schema() {
    return config::parameterless("bad_op", "fills a filter slot that must never be used; using it is a fault");
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

FilterPtr create_bad_op(const xml::Querier& querier) {
    BadOp::schema().bind(querier);
    return shared_bad_op();
}

}  // namespace ostrel
