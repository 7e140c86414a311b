#pragma once
#include "numerics/symmetric_matrix.h"
#include "numerics/vector.h"
#include "xml/out_stream.h"
#include "xml/querier.h"

namespace nmrc {

// A Gaussian: mean, then covariance.
template <int N>
struct Normal {
    Vector<N> mean;
    SymmetricMatrix<N> covariance;

    Normal() = default;
    Normal(const Vector<N>& m, const SymmetricMatrix<N>& p) : mean(m), covariance(p) {}

    // Reads the children "mean" (N numbers) and "covariance" (N*N numbers row
    // by row, the entries on and below the diagonal kept) of the element the
    // querier stands on, normally a "normal" element.
    static Normal read(const xml::Querier& normal_element) {
        Normal r;
        normal_element.read("mean", r.mean);
        normal_element.read("covariance", r.covariance);
        return r;
    }

    // Writes <normal><mean>...</mean><covariance>...</covariance></normal>.
    void write(xml::OutStream& out) const {
        out.tag("normal");
        out.element("mean", mean);
        out.element("covariance", covariance);
        out.end_tag();
    }

    friend bool operator==(const Normal& a, const Normal& b) {
        return a.mean == b.mean && a.covariance == b.covariance;
    }
    friend bool operator!=(const Normal& a, const Normal& b) { return !(a == b); }
};

}  // namespace nmrc
