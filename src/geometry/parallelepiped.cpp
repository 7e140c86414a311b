#include "geometry/parallelepiped.h"

#include "geometry/shape_checks.h"
#include "numerics/cholesky.h"
#include "numerics/symmetric_matrix.h"

namespace ftprnt {

namespace {

// The Gram matrix V^T V of the edges V = [v0 v1 v2].
nmrc::SymmetricMatrix<3> gram(const Parallelepiped::Parameters& p) {
    const nmrc::Vector<3>* columns[3] = {&p.v0, &p.v1, &p.v2};
    nmrc::SymmetricMatrix<3> g;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j) g(i, j) = nmrc::dot(*columns[i], *columns[j]);
    return g;
}

}  // namespace

const config::Schema<Parallelepiped::Parameters>& Parallelepiped::schema() {
    using P = Parameters;
    const auto edges_independent = config::positive_definite<3>();
    static const auto schema =
        config::Schema<P>(key(), "the closed parallelepiped {p + a v0 + b v1 + c v2 : a, b, c in [0, 1]}")
            .required(&P::p, "p", "a corner", finite_in<3>("Parallelepiped"))
            .required(&P::v0, "v0", "the first edge from p", finite_in<3>("Parallelepiped"))
            .required(&P::v1, "v1", "the second edge from p", finite_in<3>("Parallelepiped"))
            .required(&P::v2, "v2", "the third edge from p", finite_in<3>("Parallelepiped"))
            // Linearly dependent edges leave the Gram matrix singular.
            .rule("v2", "linearly independent of v0 and v1",
                  [edges_independent](const P& p) { return edges_independent.holds(gram(p)); },
                  [](const P& p) {
                      return config::quote(p.v2) + ", v0 = " + config::quote(p.v0) + ", v1 = " + config::quote(p.v1);
                  },
                  "Attempt to factor non-positive definite matrix in CholeskyDecomposition.");
    return schema;
}

Parallelepiped::Parallelepiped(const Parameters& parameters)
    : p_(schema().validate(parameters).p), v0_(parameters.v0), v1_(parameters.v1), v2_(parameters.v2) {
    nmrc::Matrix<3, 3> edges;
    const nmrc::Vector<3>* columns[3] = {&v0_, &v1_, &v2_};
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) edges(i, j) = (*columns[j])[i];
    // V^-1 = (V^T V)^-1 V^T, solved with the Cholesky factor of the Gram matrix.
    inverse_ = nmrc::CholeskyDecomposition<3>(gram(parameters)).solve(edges.transpose());
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
