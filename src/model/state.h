#pragma once
#include "model/type_identity.h"
#include "util/counted_ptr.h"
#include "util/exception.h"
#include "util/factory.h"
#include "xml/out_stream.h"
#include "xml/querier.h"

namespace state {

struct StateFamily;

// Describes a contact, a track or a frame's context. Immutable once inserted
// into a CompositeState: a new value is a new state put in its place.
class State {
public:
    virtual ~State() = default;
    virtual int type_id() const = 0;
    virtual void write(xml::OutStream& out) const = 0;

    // This state as kind T; a state of another kind fails with
    // "State::cast(): expected T's key, found this kind's" and who asked.
    template <class T>
    const T& cast() const {
        if (type_id() != T::static_type_id()) throw_cast_failure(T::static_type_id(), type_id());
        return static_cast<const T&>(*this);
    }

    // The name of a state kind by its identity (its key where it has one).
    static std::string kind_name(int identity);
    // Throws the cast failure; found = 0 means no state at all.
    [[noreturn]] static void throw_cast_failure(int expected, int found);
};

// Every concrete state derives from StateTemplate<T>; the identity belongs to
// T, so a class built on StateTemplate<X> shares X's identity.
template <class T>
class StateTemplate : public State {
public:
    static int static_type_id() { return model::identity_of<StateFamily, T>(); }
    int type_id() const override { return static_type_id(); }
};

using StatePtr = util::CountedPtr<const State>;
using StateFactory = util::QuerierFactory<util::CountedPtr<State>>;
// The state factory: every state and contact kind by its key.
StateFactory& factory();

}  // namespace state
