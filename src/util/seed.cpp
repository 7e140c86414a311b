#include "util/seed.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "util/exception.h"

namespace util {

std::optional<long long> seed_from_environment() {
    const char* text = std::getenv("OSTREL_SEED");
    if (text == nullptr) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    while (end != nullptr && *end != '\0' && std::isspace(static_cast<unsigned char>(*end))) ++end;
    if (end == text || *end != '\0' || errno == ERANGE)
        throw Exception(std::string("OSTREL_SEED is not an integer: OSTREL_SEED = ") + text);
    return value;
}

std::int32_t minimal_standard_state(long long seed) {
    const long long modulus = std::minstd_rand0::modulus;
    long long reduced = seed % modulus;
    if (reduced < 0) reduced += modulus;
    return static_cast<std::int32_t>(reduced == 0 ? 1 : reduced);
}

std::minstd_rand0 minimal_standard_generator(long long seed) {
    return std::minstd_rand0(static_cast<std::minstd_rand0::result_type>(minimal_standard_state(seed)));
}

}  // namespace util
