#pragma once
#include <string>
#include <vector>

#include "config/problem.h"
#include "xml/querier.h"

namespace config {

// Where a parameter is being read or checked: the key whose element it
// belongs to, the path of enclosing parameter elements, and the report that
// collects the problems found.
struct Context {
    const std::string& key;
    std::string prefix;  // "" at the key's own element, "ou_process_2d/" inside that child
    Report& report;

    std::string element(const std::string& name) const { return prefix + name; }
    Context inside(const std::string& name) const { return {key, prefix + name + "/", report}; }
};

// What every schema knows whatever its parameter struct: the key, its
// meaning, one description line per parameter and the child element names
// it accepts.
class SchemaBase {
public:
    SchemaBase(std::string key, std::string meaning) : key_(std::move(key)), meaning_(std::move(meaning)) {}
    virtual ~SchemaBase() = default;

    const std::string& key() const { return key_; }
    const std::string& meaning() const { return meaning_; }

    // The key, its meaning and one line per parameter (form, checks,
    // required or default, meaning), nested elements indented below theirs.
    // `shown_key` names a key the schema serves other than its own.
    std::string describe() const { return describe(key_); }
    std::string describe(const std::string& shown_key) const;

protected:
    struct Line {
        std::string name;      // the element name, with its other accepted names
        std::string form;      // "an integer, positive"
        std::string presence;  // "required", "default 80", "optional"
        std::string meaning;
        const SchemaBase* nested = nullptr;
    };

    void add_line(Line line, const std::vector<std::string>& names);
    void add_note(std::string note) { notes_.push_back(std::move(note)); }
    void set_meaning(std::string meaning) { meaning_ = std::move(meaning); }
    // Children are the key's own products (filters, simulators, states), not
    // parameters: no child name is reported as unknown.
    void accept_any_children() { open_ = true; }

    // Warns of each child element that names no parameter (an error in
    // strict mode), suggesting the nearest parameter names.
    void check_children(const xml::Querier& element, const Context& context) const;

private:
    void describe_into(std::string& text, const std::string& indent) const;

    std::string key_;
    std::string meaning_;
    std::vector<Line> lines_;
    std::vector<std::string> notes_;
    std::vector<std::string> names_;
    bool open_ = false;
};

}  // namespace config
