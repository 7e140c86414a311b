#include "pipeline/component_chain.h"

namespace cmpnt {

namespace {

std::vector<KeyedComponent> active_stages(const xml::Querier& list) {
    if (list.tags().empty()) throw util::Exception("no components in ComponentChain");
    return make_components(list, &active_in_chain);
}

}  // namespace

const config::Schema<ComponentChain::Parameters>& ComponentChain::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("component_chain", "links stages in order, each feeding the next")
            .product(&P::components, "components", "component elements",
                     "the stages, upstream first; a stage with active=\"false\" is left out",
                     &active_stages);
    return schema;
}

ComponentChain::ComponentChain(const Parameters& parameters) {
    // Each stage is scoped, so that a cast failure inside it names its key.
    for (const KeyedComponent& configured : schema().validate(parameters).components) {
        const ComponentPtr stage = scoped(configured);
        if (last_)
            last_->insert_child(stage);
        else
            first_ = stage;
        last_ = stage;
    }
    if (!last_) throw util::Exception("no active components in ComponentChain");
    last_->insert_child(std::make_shared<Terminator>());
}

}  // namespace cmpnt
