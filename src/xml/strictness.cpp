#include "xml/strictness.h"

#include <atomic>
#include <iostream>

#include "util/exception.h"

namespace xml {

namespace {
std::atomic<bool> strict{false};
}

bool strict_mode() { return strict.load(); }

void set_strict_mode(bool on) { strict.store(on); }

void warn_or_throw(const std::string& message) {
    if (strict_mode()) throw util::Exception(message);
    std::cout << "warning: " << message << std::endl;
}

}  // namespace xml
