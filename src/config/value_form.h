#pragma once
#include <cstdint>
#include <sstream>
#include <string>

#include "xml/querier.h"

namespace config {

// How a parameter type is written in a configuration: its form in messages
// and descriptions, how its element text is read, how a value is quoted, and
// the entries that element checks visit. Specialised for each type a schema
// may hold; the vector and matrix forms are in numerics/value_forms.h.
template <class T, class Enable = void>
struct ValueForm;

// A value in default stream notation, as messages quote it.
template <class T>
std::string quote(const T& value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

// Numbers: read by stream extraction from the element text (the conversion
// errors of the XML reader apply); every entry is the value itself.
template <class T>
struct NumberForm {
    using Entry = T;
    static void read(const xml::Querier& element, T& value) { element.text(value); }
    static std::string show(const T& value) { return quote(value); }
    template <class Visit>
    static void each(const T& value, Visit visit) {
        visit(std::string(), value);
    }
};

template <>
struct ValueForm<int> : NumberForm<int> {
    static std::string form() { return "an integer"; }
};

template <>
struct ValueForm<std::int64_t> : NumberForm<std::int64_t> {
    static std::string form() { return "an integer"; }
};

template <>
struct ValueForm<double> : NumberForm<double> {
    static std::string form() { return "a number"; }
};

// true exactly when the text is "true"; any other text is false and no text
// is unreadable.
template <>
struct ValueForm<bool> {
    using Entry = bool;
    static std::string form() { return "true or false"; }
    static void read(const xml::Querier& element, bool& value) { value = element.raw_text() == "true"; }
    static std::string show(bool value) { return value ? "true" : "false"; }
    template <class Visit>
    static void each(bool value, Visit visit) {
        visit(std::string(), value);
    }
};

// The raw text of the element, blanks kept (folder names, labels).
template <>
struct ValueForm<std::string> {
    using Entry = std::string;
    static std::string form() { return "text"; }
    static void read(const xml::Querier& element, std::string& value) { value = element.raw_text(); }
    static std::string show(const std::string& value) { return "\"" + value + "\""; }
    template <class Visit>
    static void each(const std::string& value, Visit visit) {
        visit(std::string(), value);
    }
};

}  // namespace config
