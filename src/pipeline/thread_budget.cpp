#include "pipeline/thread_budget.h"

#include <cstdlib>
#include <thread>

#include "util/exception.h"

namespace cmpnt {
namespace {

int parse_threads(const std::string& text, const std::string& source) {
    std::size_t used = 0;
    long value = 0;
    try {
        value = std::stol(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || value < 1 || value > 1024)
        throw util::Exception(source + " must be a whole number from 1 to 1024: " + source + " = " +
                              text);
    return static_cast<int>(value);
}

}  // namespace

int thread_budget(const std::optional<std::string>& configured) {
    if (configured) return parse_threads(*configured, "threads");
    if (const char* environment = std::getenv("OSTREL_THREADS"); environment && *environment)
        return parse_threads(environment, "OSTREL_THREADS");
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

}  // namespace cmpnt
