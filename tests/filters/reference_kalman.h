#pragma once
#include <cmath>
#include <cstddef>
#include <vector>

// A deliberately plain dense-matrix Kalman update (Gauss-Jordan inverse,
// explicit determinant), used as an independent reference for the filters'
// packed/Cholesky arithmetic.
namespace reference {

using Vec = std::vector<double>;
using Mat = std::vector<Vec>;

inline Mat zeros(std::size_t r, std::size_t c) { return Mat(r, Vec(c, 0.0)); }

inline Mat mul(const Mat& a, const Mat& b) {
    Mat r = zeros(a.size(), b[0].size());
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b[0].size(); ++j)
            for (std::size_t k = 0; k < b.size(); ++k) r[i][j] += a[i][k] * b[k][j];
    return r;
}
inline Vec mul(const Mat& a, const Vec& x) {
    Vec r(a.size(), 0.0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t k = 0; k < x.size(); ++k) r[i] += a[i][k] * x[k];
    return r;
}
inline Mat transpose(const Mat& a) {
    Mat r = zeros(a[0].size(), a.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < a[0].size(); ++j) r[j][i] = a[i][j];
    return r;
}
inline Mat add(const Mat& a, const Mat& b, double sign = 1.0) {
    Mat r = a;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < a[0].size(); ++j) r[i][j] += sign * b[i][j];
    return r;
}

// Inverse and determinant by Gauss-Jordan elimination with partial pivoting.
inline Mat inverse(Mat a, double* determinant) {
    const std::size_t n = a.size();
    Mat inv = zeros(n, n);
    for (std::size_t i = 0; i < n; ++i) inv[i][i] = 1.0;
    double det = 1.0;
    for (std::size_t c = 0; c < n; ++c) {
        std::size_t p = c;
        for (std::size_t r = c + 1; r < n; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[p][c])) p = r;
        if (p != c) {
            std::swap(a[p], a[c]);
            std::swap(inv[p], inv[c]);
            det = -det;
        }
        const double pivot = a[c][c];
        det *= pivot;
        for (std::size_t j = 0; j < n; ++j) {
            a[c][j] /= pivot;
            inv[c][j] /= pivot;
        }
        for (std::size_t r = 0; r < n; ++r) {
            if (r == c) continue;
            const double f = a[r][c];
            for (std::size_t j = 0; j < n; ++j) {
                a[r][j] -= f * a[c][j];
                inv[r][j] -= f * inv[c][j];
            }
        }
    }
    if (determinant) *determinant = det;
    return inv;
}

struct Update {
    Vec mean;
    Mat covariance;
    double d2;
    double log_density;
};

// x' = x + K nu, P' = (I - K H) P, K = P H^T S^{-1}, S = H P H^T + R;
// ln p = -(n/2) ln(2 pi) - d^2/2 - ln(det S)/2.
inline Update kalman(const Vec& x, const Mat& p, const Mat& h, const Vec& z, const Mat& r) {
    const Vec hx = mul(h, x);
    Vec nu(z.size());
    for (std::size_t i = 0; i < z.size(); ++i) nu[i] = z[i] - hx[i];
    const Mat s = add(mul(mul(h, p), transpose(h)), r);
    double det = 0.0;
    const Mat s_inv = inverse(s, &det);
    const Mat k = mul(mul(p, transpose(h)), s_inv);
    Update u;
    u.mean = x;
    const Vec correction = mul(k, nu);
    for (std::size_t i = 0; i < x.size(); ++i) u.mean[i] += correction[i];
    u.covariance = add(p, mul(mul(k, h), p), -1.0);
    const Vec s_inv_nu = mul(s_inv, nu);
    u.d2 = 0.0;
    for (std::size_t i = 0; i < nu.size(); ++i) u.d2 += nu[i] * s_inv_nu[i];
    const double n = static_cast<double>(nu.size());
    u.log_density = -0.5 * n * std::log(2.0 * M_PI) - 0.5 * u.d2 - 0.5 * std::log(det);
    return u;
}

}  // namespace reference
