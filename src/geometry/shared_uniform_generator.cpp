#include "geometry/shared_uniform_generator.h"

namespace ftprnt {

nmrc::UniformGenerator& shared_uniform_generator() {
    static nmrc::UniformGenerator generator;  // seeded from SeedSource
    return generator;
}

}  // namespace ftprnt
