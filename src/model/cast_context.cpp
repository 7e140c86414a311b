#include "model/cast_context.h"

#include <cxxabi.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <sstream>
#include <vector>

#include "model/type_identity.h"

namespace model {

namespace {

struct Scope {
    const std::string* asker;
    double frame_time;
};

std::vector<Scope>& scopes() {
    thread_local std::vector<Scope> open;
    return open;
}

}  // namespace

std::string demangled(const char* mangled) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}

CastScope::CastScope(const std::string& asker, double frame_time) { scopes().push_back({&asker, frame_time}); }

CastScope::CastScope(const std::string& asker) : CastScope(asker, std::numeric_limits<double>::quiet_NaN()) {}

CastScope::~CastScope() { scopes().pop_back(); }

std::string cast_context() {
    const std::vector<Scope>& open = scopes();
    if (open.empty()) return "";
    std::ostringstream text;
    text << "; asked by " << *open.back().asker;
    for (auto scope = open.rbegin(); scope != open.rend(); ++scope) {
        if (std::isnan(scope->frame_time)) continue;
        text << " at frame time " << scope->frame_time;
        break;
    }
    return text.str();
}

std::string cast_failure(const std::string& what, const std::string& expected, const std::string& found) {
    return what + ": expected " + expected + ", found " + found + cast_context();
}

}  // namespace model
