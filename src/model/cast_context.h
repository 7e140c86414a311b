#pragma once
#include <string>

namespace model {

// Who is asking for a state or frame of some kind, so that a failed cast
// can say so: pipeline stages, and the tracker for each filter it applies,
// open a scope around their work. Scopes nest; the innermost one asks.
class CastScope {
public:
    // `asker` (a key) must outlive the scope; `frame_time` may be NaN when
    // no frame is at hand.
    CastScope(const std::string& asker, double frame_time);
    explicit CastScope(const std::string& asker);
    ~CastScope();
    CastScope(const CastScope&) = delete;
    CastScope& operator=(const CastScope&) = delete;
};

// "; asked by KEY at frame time T" for the innermost scope (the frame time
// of the innermost scope that has one), or "" outside every scope.
std::string cast_context();

// The text of a failed cast: "State::cast(): expected K, found F" followed
// by the context; `found` is "none" for a missing state or frame.
std::string cast_failure(const std::string& what, const std::string& expected, const std::string& found);

}  // namespace model
