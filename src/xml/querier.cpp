#include "xml/querier.h"

#include <fstream>
#include <iterator>

#include "xml/parser.h"

namespace xml {

Querier Querier::open(const std::string& path) {
    std::ifstream file(path, std::ios::in | std::ios::binary);
    if (!file) throw util::Exception("Querier::open is unable to open " + path);
    std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return parse(contents, path);
}

Querier Querier::parse(const std::string& contents, const std::string& source_name) {
    return Querier(parse_document(contents, source_name, true));
}

Querier Querier::tag(const std::string& key) const {
    Querier sub(*this);
    sub.current_ = &current_->tag(key);
    return sub;
}

Querier Querier::tag() const {
    Querier sub(*this);
    sub.current_ = &current_->tag();
    return sub;
}

bool Querier::find_tag(const std::string& key, Querier& sub) const {
    for (const auto& child : *current_->children) {
        if (child->name == key) {
            sub = *this;
            sub.current_ = child.get();
            return true;
        }
    }
    return false;
}

std::vector<Querier> Querier::tags() const {
    std::vector<Querier> list;
    list.reserve(current_->children->size());
    for (const auto& child : *current_->children) {
        Querier sub(*this);
        sub.current_ = child.get();
        list.push_back(sub);
    }
    return list;
}

void Querier::go_to_tag(const std::string& key) { current_ = &current_->tag(key); }

void Querier::go_to_parent() {
    if (current_->parent == nullptr) throw util::Exception("xml::Querier::go_to_parent failed");
    current_ = current_->parent;
}

const std::string& Querier::read_raw(const std::string& key) const { return current_->tag(key).text; }

}  // namespace xml
