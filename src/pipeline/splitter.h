#pragma once
#include <deque>
#include <utility>
#include <vector>

#include "config/schema.h"
#include "pipeline/component.h"

namespace cmpnt {

// Collects what reaches the end of one splitter branch until the splitter
// drains it.
class Popper : public Component {
public:
    void insert_child(ComponentPtr) override {
        throw util::Exception("attempt to insert child in a cmpnt::Popper");
    }
    bool push() override { throw util::Exception("attempt to push on a cmpnt::Popper"); }
    void push_frame(FramePtr frame) override;

    FramePtr pop();
    bool empty() const { return frames_.empty(); }

private:
    std::deque<FramePtr> frames_;
    bool just_popped_ = true;
};

// Fans each frame out to its branches, in order, and forwards what they emit.
// Key "splitter".
class Splitter : public MonoChildComponent {
public:
    struct Parameters {
        std::vector<KeyedComponent> branches;  // the active branches, in order
    };
    static const config::Schema<Parameters>& schema();

    explicit Splitter(const Parameters& parameters);
    explicit Splitter(const xml::Querier& querier) : Splitter(schema().bind(querier)) {}
    void push_frame(FramePtr frame) override;

private:
    std::vector<std::pair<ComponentPtr, util::CountedPtr<Popper>>> branches_;
};

}  // namespace cmpnt
