#pragma once
#include <string>

#include "config/value_form.h"
#include "util/exception.h"

namespace config {

// A switch written exactly "true" or "false". A bool parameter takes every
// text but "true" as false; a switch refuses any other text by name.
struct Switch {
    bool on = false;

    // A switch stands for a bool in C++ code.
    Switch(bool value = false) : on(value) {}  // NOLINT(google-explicit-constructor)
    operator bool() const { return on; }       // NOLINT(google-explicit-constructor)
};

template <>
struct ValueForm<Switch> {
    using Entry = Switch;
    static std::string form() { return "exactly true or false"; }
    static void read(const xml::Querier& element, Switch& value) {
        const std::string& text = element.raw_text();
        if (text != "true" && text != "false")
            throw util::Exception("unable to convert text from tag = " + element.name());
        value = text == "true";
    }
    static std::string show(Switch value) { return value ? "true" : "false"; }
    template <class Visit>
    static void each(Switch value, Visit visit) {
        visit(std::string(), value);
    }
};

}  // namespace config
