#include "pipeline/component.h"

#include <limits>
#include <sstream>

#include "config/parameterless.h"
#include "model/cast_context.h"

namespace cmpnt {

bool Component::push() {
    throw util::Exception("call to unspecialized virtual function Component::push");
}

void Component::push_frame(FramePtr) {
    throw util::Exception("call to unspecialized virtual function Component::push_frame");
}

ComponentFactory& factory() {
    static ComponentFactory instance;
    return instance;
}

namespace {
// The first word of the "active" attribute; an empty value fails as a
// conversion does ("string = ").
bool active_word(const xml::Querier& element, std::string& word) {
    std::string value;
    if (!element.find_att("active", value)) return false;
    xml::from_string(value, word);
    return true;
}
}  // namespace

bool active_in_chain(const xml::Querier& element) {
    std::string word;
    return !active_word(element, word) || word != "false";
}

bool active_in_splitter(const xml::Querier& element) {
    std::string word;
    return !active_word(element, word) || word == "true";
}

std::vector<KeyedComponent> make_components(const xml::Querier& list, bool (*active)(const xml::Querier&)) {
    std::vector<KeyedComponent> components;
    for (const xml::Querier& element : list.tags())
        if (active(element)) components.push_back({element.name(), factory().create(element)});
    return components;
}

namespace {

class ScopedStage : public Component {
public:
    explicit ScopedStage(KeyedComponent stage) : stage_(std::move(stage)) {}
    void insert_child(ComponentPtr child) override { stage_.component->insert_child(std::move(child)); }
    bool push() override {
        const model::CastScope scope(stage_.key);
        return stage_.component->push();
    }
    void push_frame(FramePtr frame) override {
        const model::CastScope scope(stage_.key, frame ? frame->time : std::numeric_limits<double>::quiet_NaN());
        stage_.component->push_frame(std::move(frame));
    }

private:
    KeyedComponent stage_;
};

}  // namespace

ComponentPtr scoped(const KeyedComponent& stage) { return std::make_shared<ScopedStage>(stage); }

const config::Schema<config::NoParameters>& Terminator::schema() {
    return config::parameterless("terminator", "swallows every frame: the end of a chain");
}

Terminator::Terminator(const xml::Querier& querier) { schema().bind(querier); }

}  // namespace cmpnt
