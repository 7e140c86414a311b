#include "pipeline/component_chain.h"

namespace cmpnt {

ComponentChain::ComponentChain(const xml::Querier& querier) {
    auto elements = querier.tag("components").tags();
    if (elements.empty()) throw util::Exception("no components in ComponentChain");
    for (const xml::Querier& element : elements) {
        if (!active_in_chain(element)) continue;
        ComponentPtr stage = factory().create(element);
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
