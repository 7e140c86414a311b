#pragma once
#include <string>
#include <vector>

#include "model/frame.h"
#include "util/counted_ptr.h"
#include "util/factory.h"

namespace config {
template <class P>
class Schema;
struct NoParameters;
}  // namespace config

namespace cmpnt {

using frame::Frame;
using FramePtr = util::CountedPtr<Frame>;

// A stage of the pipeline. Frames travel downstream synchronously; a null
// frame means the end of the stream and is passed on exactly once.
class Component {
public:
    virtual void insert_child(util::CountedPtr<Component> child) = 0;
    virtual ~Component() = default;
    // Acts as a source: produces the next frame (or the end of the stream)
    // and returns true while more may follow.
    virtual bool push();
    // Receives one frame from upstream.
    virtual void push_frame(FramePtr frame);
};

using ComponentPtr = util::CountedPtr<Component>;

// Swallows everything; the end of every chain.
class Terminator : public Component {
public:
    static const config::Schema<config::NoParameters>& schema();

    Terminator() = default;
    explicit Terminator(const xml::Querier& querier);
    void insert_child(ComponentPtr) override {}
    bool push() override { return false; }
    void push_frame(FramePtr) override {}
};

// Base of every stage with exactly one downstream neighbour.
class MonoChildComponent : public Component {
public:
    void insert_child(ComponentPtr child) override { child_ = std::move(child); }

protected:
    Component& child() { return *child_; }
    ComponentPtr child_ = std::make_shared<Terminator>();
};

using ComponentFactory = util::QuerierFactory<ComponentPtr>;
// The component factory; keys are registered at start-up.
ComponentFactory& factory();

// Whether a configured stage is kept, from its "active" attribute:
// a chain drops only "false", a splitter keeps only "true" (or no attribute).
bool active_in_chain(const xml::Querier& element);
bool active_in_splitter(const xml::Querier& element);

// A configured stage with the key it was built under.
struct KeyedComponent {
    std::string key;
    ComponentPtr component;
};

// Builds the components of a list element that `active` keeps, in order.
std::vector<KeyedComponent> make_components(const xml::Querier& list, bool (*active)(const xml::Querier&));

// Wraps a stage so that whatever it asks of a frame while it works is
// reported as asked by its key at the frame's time (see model::CastScope).
ComponentPtr scoped(const KeyedComponent& stage);

}  // namespace cmpnt
