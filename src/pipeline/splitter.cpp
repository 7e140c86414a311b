#include "pipeline/splitter.h"

namespace cmpnt {

void Popper::push_frame(FramePtr frame) {
    if (just_popped_ && !frames_.empty()) throw util::Exception("problem in Popper");
    frames_.push_back(std::move(frame));
    just_popped_ = false;
}

FramePtr Popper::pop() {
    if (frames_.empty()) throw util::Exception("frame_list is empty in Popper");
    FramePtr oldest = std::move(frames_.front());
    frames_.pop_front();
    just_popped_ = true;
    return oldest;
}

namespace {

std::vector<KeyedComponent> active_branches(const xml::Querier& list) {
    return make_components(list, &active_in_splitter);
}

}  // namespace

const config::Schema<Splitter::Parameters>& Splitter::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("splitter", "passes each frame to every branch and forwards what they emit")
            .product(&P::branches, "components", "component elements",
                     "the branches, in order; only those without an active attribute or with "
                     "active=\"true\" are kept",
                     &active_branches);
    return schema;
}

Splitter::Splitter(const Parameters& parameters) {
    for (const KeyedComponent& configured : schema().validate(parameters).branches) {
        const ComponentPtr branch = scoped(configured);
        auto popper = std::make_shared<Popper>();
        branch->insert_child(popper);
        branches_.emplace_back(branch, popper);
    }
}

void Splitter::push_frame(FramePtr frame) {
    for (auto& [branch, popper] : branches_) {
        branch->push_frame(frame);
        while (!popper->empty()) {
            FramePtr out = popper->pop();
            if (out) child_->push_frame(out);
        }
    }
    if (!frame) child_->push_frame(nullptr);
}

}  // namespace cmpnt
