#include "xml/querier.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "xml/parser.h"
#include "xml/strictness.h"

namespace xml {

namespace {

// A text shown in a message: long texts are cut, since the point is to
// recognise the mistake.
std::string in_quotes(const std::string& text) {
    constexpr std::size_t shown = 60;
    if (text.size() <= shown) return "\"" + text + "\"";
    return "\"" + text.substr(0, shown) + "...\"";
}

std::string place(const Tag& tag) {
    std::string where = tag.location();
    return where.empty() ? where : " " + where;
}

}  // namespace

Querier Querier::open(const std::string& path) {
    // A folder opens as a stream on Linux and fails only when read, by an
    // exception of the standard library; both are refused here by name.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw util::Exception("Querier::open is unable to open " + path + ": it is a folder");
    std::ifstream file(path, std::ios::in | std::ios::binary);
    if (!file) throw util::Exception("Querier::open is unable to open " + path);
    std::string contents;
    try {
        contents.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::exception& failure) {
        throw util::Exception("Querier::open is unable to read " + path + ": " + failure.what());
    }
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

void Querier::report_text_after_value(const std::string& what, const std::string& text) const {
    warn_or_throw("text after the value of " + what + " is ignored: " + in_quotes(text) + place(*current_));
}

void Querier::require_numbers(bool infinity_allowed) const {
    if (numbers_acceptable(current_->text, infinity_allowed)) return;
    // The child and its element, and the element's own parent for context
    // ("mean of normal in position_estimate_state_2d").
    const Tag* element = current_->parent;
    std::string what = current_->name + " of " + (element ? element->name : std::string("the document"));
    if (element && element->parent) what += " in " + element->parent->name;
    throw util::Exception(what + " must be " +
                          (infinity_allowed ? "a number or inf, not NaN" : "a finite number") +
                          ", text = " + in_quotes(current_->text) + place(*current_));
}

}  // namespace xml
