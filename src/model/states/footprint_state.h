#pragma once
#include <string>

#include "config/schema.h"
#include "geometry/footprint.h"
#include "model/state.h"
#include "model/states/dimension_key.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"

namespace state {

template <class Estimate>
struct FootprintDimension;
template <int N>
struct FootprintDimension<PositionEstimateState<N>> {
    static constexpr int value = N;
};
template <int N>
struct FootprintDimension<PositionVelocityEstimateState<N>> {
    static constexpr int value = N;
};

// A region of the space of an estimate (a sensor's field of view), for
// gating tracks of that estimate kind. Key: the estimate's key followed by
// "_footprint_state"; one child "footprint_" + N + "d" holding the
// footprint's own element.
template <class Estimate>
class FootprintState : public StateTemplate<FootprintState<Estimate>> {
public:
    static constexpr int N = FootprintDimension<Estimate>::value;

    static const std::string& key() {
        static const std::string k = Estimate::key() + "_footprint_state";
        return k;
    }
    static const std::string& child_key() {
        static const std::string k = dimension_key("footprint_", N);
        return k;
    }

    explicit FootprintState(ftprnt::FootprintPtr<N> footprint) : footprint(std::move(footprint)) {
        if (!this->footprint) throw util::Exception("null footprint in " + key());
    }
    // What the element holds.
    struct Form {
        ftprnt::FootprintPtr<N> footprint;
    };
    // The footprint is built through the footprint factory of dimension N
    // from the one element inside the child.
    static const config::Schema<Form>& schema() {
        static const auto schema =
            config::Schema<Form>(key(), "a region of the estimate's space, for gating tracks of that kind")
                .product(&Form::footprint, child_key(), "an element holding one footprint element",
                         "the region, any " + std::to_string(N) + "-dimensional footprint",
                         [](const xml::Querier& child) { return ftprnt::make_footprint<N>(child.tag()); });
        return schema;
    }

    explicit FootprintState(const Form& form) : FootprintState(form.footprint) {}
    explicit FootprintState(const xml::Querier& querier) : FootprintState(schema().bind(querier)) {}

    void write(xml::OutStream& out) const override {
        out.tag(key()).tag(child_key());
        footprint->write(out);
        out.end_tag().end_tag();
    }

    const ftprnt::FootprintPtr<N> footprint;
};

}  // namespace state
