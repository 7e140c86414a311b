#pragma once
#include <algorithm>
#include <utility>
#include <vector>

#include "model/state.h"

namespace state {

// A keyed set of states: at most one state per identity, iterated in
// increasing identity order. Copies share the states themselves.
//
// Stored as a vector of (identity, state) sorted by identity: a composite
// holds a handful of states, and the tracker copies one for every candidate
// hypothesis, so a copy costs one allocation instead of one per state.
class CompositeState {
public:
    using Map = std::vector<std::pair<int, StatePtr>>;

    CompositeState() = default;
    // Reads every child element through the state factory, in order; a later
    // child of the same identity replaces an earlier one.
    explicit CompositeState(const xml::Querier& querier);

    void insert(StatePtr s) {
        const int id = s->type_id();
        auto at = lower_bound(id);
        if (at != states_.end() && at->first == id) {
            at->second = std::move(s);
        } else {
            // Room for a few more inserts of the filters that follow.
            if (states_.capacity() == states_.size()) states_.reserve(states_.size() + 4);
            at = lower_bound(id);
            states_.emplace(at, id, std::move(s));
        }
    }
    template <class T>
    void insert(util::CountedPtr<T> s) {
        insert(StatePtr(std::move(s)));
    }

    template <class T>
    const T& get() const {
        auto found = locate(T::static_type_id());
        if (found == states_.end()) State::throw_cast_failure(T::static_type_id(), 0);
        return found->second->template cast<T>();
    }
    // As get, but shared: fails the same way when the state is absent.
    template <class T>
    util::CountedPtr<const T> get_shared() const {
        auto found = locate(T::static_type_id());
        if (found == states_.end()) State::throw_cast_failure(T::static_type_id(), 0);
        found->second->template cast<T>();
        return std::static_pointer_cast<const T>(found->second);
    }
    // The state as a shared pointer of its class (null when absent).
    template <class T>
    util::CountedPtr<const T> get_ptr() const {
        auto found = locate(T::static_type_id());
        if (found == states_.end()) return nullptr;
        found->second->template cast<T>();
        return std::static_pointer_cast<const T>(found->second);
    }
    template <class T>
    StatePtr find() const {
        auto found = locate(T::static_type_id());
        return found == states_.end() ? nullptr : found->second;
    }
    template <class T>
    bool has() const {
        return locate(T::static_type_id()) != states_.end();
    }
    template <class T>
    bool erase() {
        auto found = locate(T::static_type_id());
        if (found == states_.end()) return false;
        states_.erase(found);
        return true;
    }

    std::size_t size() const { return states_.size(); }
    bool empty() const { return states_.empty(); }
    Map::const_iterator begin() const { return states_.begin(); }
    Map::const_iterator end() const { return states_.end(); }

    // Element "composite_state" holding each state in identity order.
    void write(xml::OutStream& out) const;

private:
    Map::iterator lower_bound(int id) {
        return std::lower_bound(states_.begin(), states_.end(), id,
                                [](const Map::value_type& entry, int key) { return entry.first < key; });
    }
    // The entry of `id`, or end().
    Map::const_iterator locate(int id) const {
        auto at = std::lower_bound(states_.begin(), states_.end(), id,
                                   [](const Map::value_type& entry, int key) { return entry.first < key; });
        return at != states_.end() && at->first == id ? at : states_.end();
    }

    Map states_;
};

using CompositeStatePtr = util::CountedPtr<CompositeState>;

}  // namespace state
