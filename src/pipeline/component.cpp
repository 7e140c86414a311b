#include "pipeline/component.h"

#include <sstream>

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

std::vector<ComponentPtr> make_components(const xml::Querier& list, bool (*active)(const xml::Querier&)) {
    std::vector<ComponentPtr> components;
    for (const xml::Querier& element : list.tags())
        if (active(element)) components.push_back(factory().create(element));
    return components;
}

}  // namespace cmpnt
