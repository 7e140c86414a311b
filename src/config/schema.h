#pragma once
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "config/check.h"
#include "config/schema_base.h"
#include "config/value_form.h"
#include "util/exception.h"

namespace config {

// The parameters of one key, declared once: for each, its element name, type,
// default or required, checks and one-line meaning. The schema reads a
// configured element into the plain parameter struct P (`bind`) and checks a
// struct built in C++ by the same rules (`validate`); either way every
// problem is reported at once, naming the key, the element, the bad text and
// the expected form.
//
// Declared as a chain, for example
//     Schema<Params>("frame_counter", "counts the frames that pass")
//         .required(&Params::modulo, "modulo", "print every modulo-th count", positive<int>())
//         .optional(&Params::width, "width", "line width", positive<int>());
// An optional parameter's default is its value in a default-made P.
template <class P>
class Schema : public SchemaBase {
public:
    using SchemaBase::SchemaBase;

    template <class T, class... Options>
    Schema& required(T P::*member, std::string name, std::string meaning, Options... options) {
        return parameter(member, std::move(name), std::move(meaning), true, options...);
    }
    template <class T, class... Options>
    Schema& optional(T P::*member, std::string name, std::string meaning, Options... options) {
        return parameter(member, std::move(name), std::move(meaning), false, options...);
    }

    // A child element read by another schema (a process inside a simulator);
    // the child is named by that schema's key.
    // The element's own text as the value (a time state's "<time_state>3</time_state>").
    template <class T, class... Options>
    Schema& text(T P::*member, std::string meaning, Options... options) {
        return parameter(member, key(), std::move(meaning), true, options..., OwnText{});
    }

    template <class Q>
    Schema& nested(Q P::*member, const Schema<Q>& inner, std::string meaning) {
        add_line({inner.key(), "element", "required", std::move(meaning), &inner}, {inner.key()});
        const std::string name = inner.key();
        fields_.push_back(
            {[member, &inner, name](const xml::Querier& element, P& p, const Context& context) {
                 xml::Querier child;
                 if (!element.find_tag(name, child)) {
                     missing(context, name, "a " + name + " element");
                     return;
                 }
                 inner.read_into(child, p.*member, context.inside(name));
             },
             [member, &inner, name](const P& p, const Context& context) {
                 inner.check_into(p.*member, context.inside(name));
             }});
        return *this;
    }

    // As nested, but the element may be absent; the member stays empty then
    // (the homogenized position of an ESM contact).
    template <class Q>
    Schema& optional_nested(std::optional<Q> P::*member, const Schema<Q>& inner, std::string meaning) {
        add_line({inner.key(), "element", "optional", std::move(meaning), &inner}, {inner.key()});
        const std::string name = inner.key();
        fields_.push_back(
            {[member, &inner, name](const xml::Querier& element, P& p, const Context& context) {
                 xml::Querier child;
                 if (!element.find_tag(name, child)) return;
                 Q value{};
                 inner.read_into(child, value, context.inside(name));
                 p.*member = std::move(value);
             },
             [member, &inner, name](const P& p, const Context& context) {
                 if (p.*member) inner.check_into(*(p.*member), context.inside(name));
             }});
        return *this;
    }

    // Every child element named by the item schema's key, zero or more,
    // each read by that schema in document order (the bands of a frequency
    // footprint, the waveforms of an ESM contact).
    template <class Q>
    Schema& repeated(std::vector<Q> P::*member, const Schema<Q>& item, std::string meaning) {
        const std::string name = item.key();
        add_line({name, "zero or more " + name + " elements", "optional", std::move(meaning), &item}, {name});
        fields_.push_back(
            {[member, name, &item](const xml::Querier& element, P& p, const Context& context) {
                 const Context inside = context.inside(name);
                 for (const xml::Querier& child : element.tags()) {
                     if (child.name() != name) continue;
                     Q value{};
                     item.read_into(child, value, inside);
                     (p.*member).push_back(std::move(value));
                 }
             },
             [member, name, &item](const P& p, const Context& context) {
                 for (const Q& value : p.*member) item.check_into(value, context.inside(name));
             }});
        return *this;
    }

    // An element the key accepts and does not read: part of a written form
    // that the reader leaves aside (the lists of an association frame), so
    // that what the program writes reads back without unknown elements.
    Schema& unread(std::string name, std::string form, std::string meaning) {
        add_line({name, std::move(form), "optional, not read", std::move(meaning), nullptr}, {name});
        return *this;
    }

    // A list element `name` whose children (of any name) are each read by
    // the item schema, in document order (the choices of a distribution).
    template <class Q>
    Schema& list(std::vector<Q> P::*member, std::string name, const Schema<Q>& item, std::string meaning,
                  bool is_required = true) {
        const std::string form = "a list of " + item.key() + " elements";
        add_line({name, form, is_required ? "required" : "optional", std::move(meaning), &item}, {name});
        fields_.push_back(
            {[member, name, form, &item, is_required](const xml::Querier& element, P& p, const Context& context) {
                 xml::Querier list;
                 if (!element.find_tag(name, list)) {
                     if (is_required) missing(context, name, form);
                     return;
                 }
                 const Context inside = context.inside(name);
                 for (const xml::Querier& child : list.tags()) {
                     Q value{};
                     item.read_into(child, value, inside.inside(child.name()));
                     (p.*member).push_back(std::move(value));
                 }
             },
             [member, name, &item](const P& p, const Context& context) {
                 for (const Q& value : p.*member) item.check_into(value, context.inside(name).inside(item.key()));
             }});
        return *this;
    }

    // An object built from the child element `name` by `make` (an inner
    // filter, a footprint, a state). Its own failures are reported as they
    // come; a missing required child is a problem of this key.
    template <class T, class Make>
    Schema& product(T P::*member, std::string name, std::string form, std::string meaning, Make make_from,
                    bool is_required = true) {
        const std::function<T(const xml::Querier&)> make(make_from);
        add_line({name, form, is_required ? "required" : "optional", std::move(meaning), nullptr}, {name});
        fields_.push_back(
            {[member, name, form, make, is_required](const xml::Querier& element, P& p, const Context& context) {
                 xml::Querier child;
                 if (element.find_tag(name, child)) {
                     build(context, [&] { p.*member = make(child); });
                 } else if (is_required) {
                     missing(context, name, form);
                 }
             },
             [member, name, form, is_required](const P& p, const Context& context) {
                 if (is_required && absent(p.*member)) missing(context, name, form);
             }});
        return *this;
    }

    // An object built by `make` from the element itself, whose children are
    // then the key's own products rather than parameters (the inner filter of
    // a gater, the simulators of a composite). When required, an element
    // without children is a problem of this key.
    template <class T, class Make>
    Schema& contents(T P::*member, std::string form, std::string meaning, Make make_from,
                     bool is_required = true) {
        const std::function<T(const xml::Querier&)> make(make_from);
        add_line({"(children)", form, is_required ? "required" : "optional", std::move(meaning), nullptr}, {});
        accept_any_children();
        fields_.push_back(
            {[member, form, make, is_required](const xml::Querier& element, P& p, const Context& context) {
                 if (is_required && element.current().children->empty()) {
                     missing(context, "", form);
                     return;
                 }
                 build(context, [&] { p.*member = make(element); });
             },
             [](const P&, const Context&) {}});
        return *this;
    }

    // A rule over several parameters, checked once each parameter has passed
    // its own checks. `element` names the parameter reported; `value` quotes it.
    Schema& rule(std::string element, std::string expected, std::function<bool(const P&)> holds,
                 std::function<std::string(const P&)> value, std::string message = {}) {
        add_note("rule: " + element + " must be " + expected);
        rules_.push_back({std::move(element), std::move(expected), std::move(holds), std::move(value),
                          std::move(message)});
        return *this;
    }

    // The same parameters under the same key with another meaning, to which
    // further rules may be added (a sampler that also needs finite bounds).
    Schema derive(std::string meaning) const {
        Schema copy(*this);
        copy.set_meaning(std::move(meaning));
        return copy;
    }

    // Reads the element the Querier stands on into P, warning of unknown
    // children; throws util::Exception listing every problem. Problems name
    // the element's own name as the key, so one schema may serve several
    // keys.
    P bind(const xml::Querier& element) const {
        P params{};
        Report report;
        read_into(element, params, {element.name(), "", report});
        report.raise_if_any();
        return params;
    }

    // Checks a struct by the same rules; returns it for use in member
    // initialisers. Throws util::Exception listing every problem.
    const P& validate(const P& params) const {
        Report report;
        check_into(params, {key(), "", report});
        report.raise_if_any();
        return params;
    }

    // The parts of bind and validate that nested schemas share.
    void read_into(const xml::Querier& element, P& params, const Context& context) const {
        check_children(element, context);
        const std::size_t before = context.report.size();
        for (const Field& field : fields_) field.read(element, params, context);
        if (context.report.size() == before) check_rules(params, context);
    }
    void check_into(const P& params, const Context& context) const {
        const std::size_t before = context.report.size();
        for (const Field& field : fields_) field.check(params, context);
        if (context.report.size() == before) check_rules(params, context);
    }

private:
    struct Field {
        // Reads the parameter and checks what was read.
        std::function<void(const xml::Querier&, P&, const Context&)> read;
        std::function<void(const P&, const Context&)> check;
    };
    struct Rule {
        std::string element;
        std::string expected;
        std::function<bool(const P&)> holds;
        std::function<std::string(const P&)> value;
        std::string message;
    };

    // Everything declared about one typed parameter.
    template <class T>
    struct FieldRule {
        using Entry = typename ValueForm<T>::Entry;
        std::string name;
        std::vector<std::string> names;  // the name, then the other accepted names
        bool required = true;
        std::vector<Check<T>> whole;
        std::vector<Check<Entry>> entries;
        std::vector<Word<T>> words;
        std::vector<TextCheck> text_checks;
        bool own_text = false;  // the value is the element's own text

        template <class Option>
        void add(const Option& option) {
            if constexpr (std::is_same_v<Option, Check<T>>) {
                whole.push_back(option);
            } else if constexpr (std::is_same_v<Option, Check<Entry>>) {
                entries.push_back(option);
            } else if constexpr (std::is_same_v<Option, std::vector<Check<Entry>>>) {
                entries.insert(entries.end(), option.begin(), option.end());
            } else if constexpr (std::is_same_v<Option, Word<T>>) {
                words.push_back(option);
            } else if constexpr (std::is_same_v<Option, TextCheck>) {
                text_checks.push_back(option);
            } else if constexpr (std::is_same_v<Option, OwnText>) {
                own_text = true;
            } else {
                static_assert(std::is_same_v<Option, AlsoNamed>, "not an option of this parameter type");
                names.push_back(option.name);
            }
        }

        std::string form() const {
            std::string text = ValueForm<T>::form();
            for (const Word<T>& word : words) text += " or \"" + word.text + "\"";
            for (const TextCheck& check : text_checks) text += ", " + check.expected;
            for (const auto& check : whole) text += ", " + check.expected;
            for (const auto& check : entries) text += ", " + check.expected;
            return text;
        }

        bool read(const xml::Querier& element, T& value, const Context& context) const {
            xml::Querier child = element;
            bool found = own_text;
            if (!own_text)
                for (const std::string& n : names)
                if ((found = element.find_tag(n, child))) break;
            if (!found) {
                if (required) missing(context, name, ValueForm<T>::form());
                return false;
            }
            for (const Word<T>& word : words) {
                if (child.raw_text() != word.text) continue;
                value = word.value;
                return true;
            }
            try {
                ValueForm<T>::read(child, value);
                for (const TextCheck& check : text_checks) check.check(child);
                return true;
            } catch (const util::Exception& error) {
                Problem p{Problem::Kind::unreadable, context.key, context.element(name), name,
                          child.raw_text(), ValueForm<T>::form(), error.what()};
                context.report.add(std::move(p));
                return false;
            }
        }

        // Entry checks first (finite entries), then checks of the whole value
        // (a positive definite matrix); the first failure is reported.
        void check(const T& value, const Context& context) const {
            bool good = true;
            ValueForm<T>::each(value, [&](const std::string& index, const Entry& entry) {
                for (const Check<Entry>& c : entries) {
                    if (c.holds(entry)) continue;
                    invalid(context, name, name + index, ValueForm<Entry>::show(entry), c);
                    return good = false;
                }
                return true;
            });
            for (const Check<T>& c : whole) {
                if (!good || c.holds(value)) continue;
                invalid(context, name, name, ValueForm<T>::show(value), c);
                good = false;
            }
        }
    };

    struct OwnText {};

    template <class T, class... Options>
    Schema& parameter(T P::*member, std::string name, std::string meaning, bool is_required,
                      const Options&... options) {
        FieldRule<T> rule;
        rule.name = name;
        rule.names = {name};
        rule.required = is_required;
        (rule.add(options), ...);
        std::string shown = name;
        for (std::size_t i = 1; i < rule.names.size(); ++i) shown += " (or " + rule.names[i] + ")";
        if (rule.own_text) {
            rule.names.clear();
            add_line({"(text)", rule.form(), "required", std::move(meaning), nullptr}, {});
        } else {
            add_line({shown, rule.form(), is_required ? "required" : "default " + ValueForm<T>::show(P{}.*member),
                      std::move(meaning), nullptr},
                     rule.names);
        }
        fields_.push_back({[member, rule](const xml::Querier& element, P& p, const Context& context) {
                               if (rule.read(element, p.*member, context)) rule.check(p.*member, context);
                           },
                           [member, rule](const P& p, const Context& context) { rule.check(p.*member, context); }});
        return *this;
    }

    void check_rules(const P& params, const Context& context) const {
        for (const Rule& r : rules_) {
            if (r.holds(params)) continue;
            Check<int> as_check{r.expected, {}, r.message};
            invalid(context, r.element, r.element, r.value(params), as_check);
        }
    }

    // A null object; a list may be empty.
    template <class T>
    static bool absent(const T& value) {
        if constexpr (std::is_constructible_v<bool, T>) {
            return !value;
        } else {
            return false;
        }
    }
    static void missing(const Context& context, const std::string& name, const std::string& form) {
        context.report.add({Problem::Kind::missing, context.key, context.element(name), name, "", form, ""});
    }
    template <class C>
    static void invalid(const Context& context, const std::string& name, const std::string& entry,
                        std::string text, const C& check) {
        context.report.add({Problem::Kind::invalid, context.key, context.element(name), entry, std::move(text),
                            check.expected, check.message});
    }
    // Runs `make`; a failure of the product's own is kept word for word.
    template <class Make>
    static void build(const Context& context, Make make) {
        try {
            make();
        } catch (const util::Exception& error) {
            context.report.add({Problem::Kind::inner, context.key, "", "", "", "", error.what()});
        }
    }

    std::vector<Field> fields_;
    std::vector<Rule> rules_;
};

}  // namespace config
