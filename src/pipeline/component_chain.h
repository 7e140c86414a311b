#pragma once
#include <vector>

#include "config/schema.h"
#include "pipeline/component.h"

namespace cmpnt {

// Stages linked in configuration order ("components"). Key "component_chain".
class ComponentChain : public Component {
public:
    struct Parameters {
        std::vector<KeyedComponent> components;  // the active stages, upstream first
    };
    static const config::Schema<Parameters>& schema();

    explicit ComponentChain(const Parameters& parameters);
    explicit ComponentChain(const xml::Querier& querier) : ComponentChain(schema().bind(querier)) {}
    void insert_child(ComponentPtr child) override { last_->insert_child(std::move(child)); }
    bool push() override { return first_->push(); }
    void push_frame(FramePtr frame) override { first_->push_frame(std::move(frame)); }

private:
    ComponentPtr first_;
    ComponentPtr last_;
};

}  // namespace cmpnt
