#pragma once
#include <sstream>
#include <string>

#include "model/composite_state.h"
#include "model/label.h"
#include "model/state.h"
#include "tracker/filter.h"
#include "xml/querier.h"

// Test-local states and filters for the filter definer and track report
// tests. The real filter library lives elsewhere; these are just enough to
// observe which filter ran, in which order, on which contact.
namespace report_test {

// A string that filters extend, so the order of their passes shows. Key
// "trace_state"; the text is the element's own text.
class TraceState : public state::StateTemplate<TraceState> {
public:
    explicit TraceState(std::string text) : text(std::move(text)) {}
    explicit TraceState(const xml::Querier& querier) : text(querier.raw_text()) {}
    void write(xml::OutStream& out) const override { out.element("trace_state", text); }
    const std::string text;
};

// Appends its "mark" to the track's trace. Key "append_mark".
class AppendMark : public ostrel::Filter {
public:
    explicit AppendMark(std::string mark) : mark_(std::move(mark)) {}
    explicit AppendMark(const xml::Querier& querier) : mark_(querier.read_raw("mark")) {}
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;
    void write(xml::OutStream& out) const override;

private:
    std::string mark_;
};

// Appends the contact's trace to the track's trace. Key "take_contact_trace".
class TakeContactTrace : public ostrel::Filter {
public:
    TakeContactTrace() = default;
    explicit TakeContactTrace(const xml::Querier&) {}
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;
};

// Adds "amount" to the log likelihood and closes the gate when "gates" is
// "false". Key "score".
class Score : public ostrel::Filter {
public:
    explicit Score(const xml::Querier& querier);
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;

private:
    double amount_ = 0.0;
    bool gates_ = true;
};

// Registers the structural filters, the test filters and the states and
// frames the tests read; safe to call from every test.
void register_keys();

// The trace of a set, or "" when it has none.
std::string trace_of(const state::CompositeState& states);

// A contact with a track label and a trace.
state::CompositeStatePtr contact(state::Label label, const std::string& trace);

// Parses one element (the first line of a document is the declaration).
inline xml::Querier parse(const std::string& element) { return xml::Querier::parse("\n" + element); }

// Writes an object through an OutStream with a two-blank indentation.
template <class T>
std::string xml_of(const T& object) {
    std::ostringstream text;
    xml::OutStream out(text, "  ");
    object.write(out);
    return text.str();
}

}  // namespace report_test
