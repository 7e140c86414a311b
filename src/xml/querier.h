#pragma once
#include <string>
#include <vector>

#include "util/counted_ptr.h"
#include "util/exception.h"
#include "xml/from_string.h"
#include "xml/tag.h"

namespace xml {

// A cursor into a parsed XML tree. Copies are cheap and share the tree; the
// root pointer keeps the whole tree alive while any Querier of it exists.
class Querier {
public:
    Querier() = default;
    explicit Querier(util::CountedPtr<Tag> root) : current_(root.get()), root_(std::move(root)) {}

    // Parses a file (its first line is skipped as the XML declaration).
    static Querier open(const std::string& path);
    // Parses text as a file's contents would be parsed.
    static Querier parse(const std::string& contents, const std::string& source_name = "<text>");

    const std::string& name() const { return current_->name; }
    const std::string& raw_text() const { return current_->text; }
    const Tag& current() const { return *current_; }
    const util::CountedPtr<Tag>& root() const { return root_; }

    Querier tag(const std::string& key) const;
    Querier tag() const;
    bool find_tag(const std::string& key, Querier& sub) const;
    bool has_tag(const std::string& key) const { return current_->has_tag(key); }
    // One sub-Querier per child, in document order (a value, so a range-for
    // over a temporary stays valid).
    std::vector<Querier> tags() const;
    void go_to_tag(const std::string& key);
    void go_to_parent();
    bool find_att(const std::string& key, std::string& value) const {
        return current_->find_att(key, value);
    }

    // Converts the current tag's text; failures name the tag. Text after the
    // value ("12abc" read as a number) is reported through warn_or_throw.
    template <class T>
    void text(T& value) const {
        std::string rest;
        try {
            from_string(current_->text, value, rest);
        } catch (...) {
            throw util::Exception("unable to convert text from tag = " + current_->name);
        }
        if (!rest.empty()) report_text_after_value("element " + current_->name, current_->text);
    }

    // Converts an attribute; a missing or unconvertible one names the key.
    template <class T>
    void att(const std::string& key, T& value) const {
        std::string rest;
        try {
            from_string(current_->att(key), value, rest);
        } catch (...) {
            throw util::Exception("unable to convert text from attribute = " + key);
        }
        if (!rest.empty())
            report_text_after_value("attribute " + key + " of element " + current_->name, current_->att(key));
    }

    // Reads the required child `key` whose every number must be finite (a
    // position, a covariance, a time); NaN or an infinity is refused with a
    // message naming the child, this element and the place in the file.
    template <class T>
    T read_finite(const std::string& key) const {
        Querier sub = tag(key);
        T value{};
        sub.text(value);
        sub.require_numbers(false);
        return value;
    }
    // As read_finite, but an infinity is accepted: for bounds where "inf"
    // means no limit. NaN is still refused.
    template <class T>
    T read_bound(const std::string& key) const {
        Querier sub = tag(key);
        T value{};
        sub.text(value);
        sub.require_numbers(true);
        return value;
    }
    // Checks the numbers of the current tag's text as read_finite (or, with
    // infinity_allowed, read_bound) does.
    void require_numbers(bool infinity_allowed) const;

    // Shorthands used by constructors: read the required child `key`.
    template <class T>
    T read(const std::string& key) const {
        T value{};
        tag(key).text(value);
        return value;
    }
    template <class T>
    void read(const std::string& key, T& value) const {
        tag(key).text(value);
    }
    // Reads the child `key` when present; otherwise keeps `value`.
    template <class T>
    bool read_optional(const std::string& key, T& value) const {
        Querier sub;
        if (!find_tag(key, sub)) return false;
        sub.text(value);
        return true;
    }
    // A boolean child is true exactly when its raw text is "true".
    bool read_bool(const std::string& key) const { return tag(key).raw_text() == "true"; }
    bool read_bool_optional(const std::string& key, bool fallback) const {
        Querier sub;
        return find_tag(key, sub) ? sub.raw_text() == "true" : fallback;
    }
    // The raw text of a required child, blanks kept (folder names and the like).
    const std::string& read_raw(const std::string& key) const;

private:
    void report_text_after_value(const std::string& what, const std::string& text) const;

    Tag* current_ = nullptr;
    util::CountedPtr<Tag> root_;
};

// Expands include candidates (see include_expansion.cpp) and repositions the
// Querier on the new root.
void expand_includes(Querier& querier);

}  // namespace xml
