#include "geometry/parallelepiped.h"

#include "geometry/describe.h"
#include "numerics/cholesky.h"
#include "numerics/symmetric_matrix.h"

namespace ftprnt {

Parallelepiped::Parallelepiped(const xml::Querier& element) {
    const auto p = element.read<nmrc::Vector<3>>("p");
    const auto v0 = element.read<nmrc::Vector<3>>("v0");
    const auto v1 = element.read<nmrc::Vector<3>>("v1");
    const auto v2 = element.read<nmrc::Vector<3>>("v2");
    define(p, v0, v1, v2);
}

Parallelepiped::Parallelepiped(const nmrc::Vector<3>& p, const nmrc::Vector<3>& v0,
                               const nmrc::Vector<3>& v1, const nmrc::Vector<3>& v2) {
    define(p, v0, v1, v2);
}

void Parallelepiped::define(const nmrc::Vector<3>& p, const nmrc::Vector<3>& v0,
                            const nmrc::Vector<3>& v1, const nmrc::Vector<3>& v2) {
    require_finite(p, "p", "Parallelepiped");
    require_finite(v0, "v0", "Parallelepiped");
    require_finite(v1, "v1", "Parallelepiped");
    require_finite(v2, "v2", "Parallelepiped");
    nmrc::Matrix<3, 3> edges;
    const nmrc::Vector<3>* columns[3] = {&v0, &v1, &v2};
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) edges(i, j) = (*columns[j])[i];

    // V^-1 = (V^T V)^-1 V^T, solved with the Cholesky factor of the Gram
    // matrix; linearly dependent edges make it fail as not positive definite.
    nmrc::SymmetricMatrix<3> gram;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j) gram(i, j) = nmrc::dot(*columns[i], *columns[j]);
    const nmrc::CholeskyDecomposition<3> factor(gram);
    inverse_ = factor.solve(edges.transpose());

    p_ = p;
    v0_ = v0;
    v1_ = v1;
    v2_ = v2;
}

nmrc::Vector<3> Parallelepiped::edge_coordinates(const nmrc::Vector<3>& point) const {
    return inverse_ * (point - p_);
}

// Every edge coordinate in [0, 1]: the faces belong to the parallelepiped.
bool Parallelepiped::contains(const nmrc::Vector<3>& point) const {
    const nmrc::Vector<3> c = edge_coordinates(point);
    for (double x : c)
        if (!(0.0 <= x && x <= 1.0)) return false;
    return true;
}

void Parallelepiped::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("p", p_);
    out.element("v0", v0_);
    out.element("v1", v1_);
    out.element("v2", v2_);
    out.end_tag();
}

}  // namespace ftprnt
