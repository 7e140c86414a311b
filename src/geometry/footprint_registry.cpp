#include "geometry/footprint_registry.h"

#include "config/declare.h"
#include "geometry/ball.h"
#include "geometry/footprint.h"
#include "geometry/infinite.h"
#include "geometry/interval.h"
#include "geometry/parallelepiped.h"
#include "geometry/parallelogram.h"
#include "geometry/rectified_rectangle.h"
#include "geometry/spherical_shell.h"
#include "geometry/uniform_circle.h"
#include "geometry/uniform_footprint.h"
#include "geometry/uniform_interval.h"
#include "geometry/uniform_parallelepiped.h"
#include "geometry/uniform_parallelogram.h"
#include "geometry/uniform_rectified_rectangle.h"

namespace ftprnt {

namespace {

template <int N, class T>
void add(FootprintFactory<N>& factory) {
    config::register_key<const Footprint<N>, T>(factory, T::key());
}

template <int N, class T>
void add(UniformFootprintFactory<N>& factory) {
    config::register_key<const UniformFootprint<N>, T>(factory, T::key());
}

}  // namespace

void register_footprints() {
    auto& one = footprint_factory<1>();
    add<1, Interval>(one);
    add<1, Infinite<1>>(one);

    auto& two = footprint_factory<2>();
    add<2, RectifiedRectangle>(two);
    add<2, Circle>(two);
    add<2, Parallelogram>(two);
    add<2, Infinite<2>>(two);

    auto& three = footprint_factory<3>();
    add<3, Sphere>(three);
    add<3, SphericalShell>(three);
    add<3, Parallelepiped>(three);
    add<3, Infinite<3>>(three);
}

void register_uniform_footprints() {
    add<1, UniformInterval>(uniform_footprint_factory<1>());

    auto& two = uniform_footprint_factory<2>();
    add<2, UniformRectifiedRectangle>(two);
    add<2, UniformParallelogram>(two);
    add<2, UniformCircle>(two);

    add<3, UniformParallelepiped>(uniform_footprint_factory<3>());
}

}  // namespace ftprnt
