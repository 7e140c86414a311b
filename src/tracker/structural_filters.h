#pragma once
#include <vector>

#include "config/parameterless.h"
#include "tracker/filter.h"

namespace ostrel {

// An ordered list of filters applied one after the other with the same two
// arguments, so a member sees what the earlier members inserted. Key
// "composite"; every child element of the "composite" element is a member,
// built by the filter factory in document order. Writes nothing.
class CompositeFilter : public Filter {
public:
    struct Parameters {
        std::vector<FilterPtr> members;
    };
    static const config::Schema<Parameters>& schema();

    explicit CompositeFilter(const xml::Querier& querier) : CompositeFilter(schema().bind(querier).members) {}
    explicit CompositeFilter(std::vector<FilterPtr> members);

    void update(const state::CompositeState& contact, TrackState& track) const override;

    const std::vector<FilterPtr>& members() const { return members_; }

private:
    std::vector<FilterPtr> members_;
};

// Does nothing. Key "no_op"; writes an empty "no_op" element.
class NoOp : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    NoOp() = default;
    explicit NoOp(const xml::Querier& querier) { schema().bind(querier); }

    void update(const state::CompositeState&, TrackState&) const override {}
    void write(xml::OutStream& out) const override;
};

// Fills filter slots that must never be used (the initializer and
// continuation-updater slots of the coast, killer and zombie reports); using
// it is a configuration or tracker fault. Key "bad_op"; writes an empty
// "bad_op" element.
class BadOp : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    BadOp() = default;
    explicit BadOp(const xml::Querier& querier) { schema().bind(querier); }

    // Always throws "BadOp::update called".
    void update(const state::CompositeState& contact, TrackState& track) const override;
    void write(xml::OutStream& out) const override;
};

// The one BadOp of the program, created on first use and kept until the end.
FilterPtr shared_bad_op();

// Creator for the "bad_op" key: hands out the shared instance.
FilterPtr create_bad_op(const xml::Querier& querier);

}  // namespace ostrel
