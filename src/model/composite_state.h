#pragma once
#include <map>

#include "model/state.h"

namespace state {

// A keyed set of states: at most one state per identity, iterated in
// increasing identity order. Copies share the states themselves.
class CompositeState {
public:
    using Map = std::map<int, StatePtr>;

    CompositeState() = default;
    // Reads every child element through the state factory, in order; a later
    // child of the same identity replaces an earlier one.
    explicit CompositeState(const xml::Querier& querier);

    void insert(StatePtr s) {
        int id = s->type_id();
        states_[id] = std::move(s);
    }
    template <class T>
    void insert(util::CountedPtr<T> s) {
        insert(StatePtr(std::move(s)));
    }

    template <class T>
    const T& get() const {
        auto found = states_.find(T::static_type_id());
        if (found == states_.end()) throw util::Exception("State::cast()");
        return found->second->template cast<T>();
    }
    // The state as a shared pointer of its class (null when absent).
    template <class T>
    util::CountedPtr<const T> get_ptr() const {
        auto found = states_.find(T::static_type_id());
        if (found == states_.end()) return nullptr;
        found->second->template cast<T>();
        return std::static_pointer_cast<const T>(found->second);
    }
    template <class T>
    StatePtr find() const {
        auto found = states_.find(T::static_type_id());
        return found == states_.end() ? nullptr : found->second;
    }
    template <class T>
    bool has() const {
        return states_.count(T::static_type_id()) != 0;
    }
    template <class T>
    bool erase() {
        return states_.erase(T::static_type_id()) != 0;
    }

    std::size_t size() const { return states_.size(); }
    bool empty() const { return states_.empty(); }
    Map::const_iterator begin() const { return states_.begin(); }
    Map::const_iterator end() const { return states_.end(); }

    // Element "composite_state" holding each state in identity order.
    void write(xml::OutStream& out) const;

private:
    Map states_;
};

using CompositeStatePtr = util::CountedPtr<CompositeState>;

}  // namespace state
