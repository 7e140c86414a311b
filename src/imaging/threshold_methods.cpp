#include "imaging/threshold_methods.h"

#include <cmath>

#include "util/exception.h"

namespace ipc {

namespace {

// The occupied range [low, high] of the histogram; false when empty.
bool occupied_range(const std::vector<std::uint64_t>& bins, int& low, int& high) {
    low = 0;
    while (low < static_cast<int>(bins.size()) && bins[low] == 0) ++low;
    if (low == static_cast<int>(bins.size())) return false;
    high = static_cast<int>(bins.size()) - 1;
    while (bins[high] == 0) --high;
    return true;
}

}  // namespace

ThresholdMethod threshold_method(const std::string& text, const std::string& element) {
    if (text == "otsu") return ThresholdMethod::otsu;
    if (text == "triangle") return ThresholdMethod::triangle;
    if (text == "li") return ThresholdMethod::li;
    if (text == "fixed") return ThresholdMethod::fixed;
    throw util::Exception("invalid method = " + text + " in " + element +
                          " (expected otsu, triangle, li or fixed)");
}

unsigned short otsu_threshold(const std::vector<std::uint64_t>& bins) {
    int low, high;
    if (!occupied_range(bins, low, high)) return 0;
    double total = 0, total_sum = 0;
    for (int v = low; v <= high; ++v) {
        total += static_cast<double>(bins[v]);
        total_sum += static_cast<double>(bins[v]) * v;
    }
    // Running class weight w0 and sum s0 of v <= t:
    // between = w0 w1 (mu0 - mu1)^2 = (s0 N - w0 S)^2 / (w0 w1) (up to 1 / N^2).
    double w0 = 0, s0 = 0, best = -1;
    int threshold = high;
    for (int t = low; t < high; ++t) {
        w0 += static_cast<double>(bins[t]);
        s0 += static_cast<double>(bins[t]) * t;
        if (bins[t] == 0) continue;  // the same split as the occupied value below
        const double w1 = total - w0;
        const double d = s0 * total - w0 * total_sum;
        const double between = d * d / (w0 * w1);
        if (between > best) best = between, threshold = t;
    }
    return static_cast<unsigned short>(threshold);
}

unsigned short triangle_threshold(const std::vector<std::uint64_t>& bins) {
    int low, high;
    if (!occupied_range(bins, low, high)) return 0;
    int peak = low;
    for (int v = low; v <= high; ++v)
        if (bins[v] > bins[peak]) peak = v;
    if (peak == high) return static_cast<unsigned short>(high);
    // The line from (peak, h_peak) to (high, h_high); for a fixed line the
    // distance below it is proportional to the vertical gap
    // gap(v) = h_peak + slope (v - peak) - h(v).
    const double h_peak = static_cast<double>(bins[peak]);
    const double slope = (static_cast<double>(bins[high]) - h_peak) / (high - peak);
    double best = -1;
    int threshold = peak;
    for (int v = peak + 1; v < high; ++v) {
        const double gap = h_peak + slope * (v - peak) - static_cast<double>(bins[v]);
        if (gap > best) best = gap, threshold = v;
    }
    return static_cast<unsigned short>(threshold);
}

unsigned short li_threshold(const std::vector<std::uint64_t>& bins) {
    int low, high;
    if (!occupied_range(bins, low, high)) return 0;
    if (low == high) return static_cast<unsigned short>(high);
    // Prefix counts and sums of the shifted values u = v - low + 1 >= 1.
    const int n = high - low + 1;
    std::vector<double> count(static_cast<std::size_t>(n) + 1, 0.0), sum(static_cast<std::size_t>(n) + 1, 0.0);
    for (int i = 0; i < n; ++i) {
        count[i + 1] = count[i] + static_cast<double>(bins[low + i]);
        sum[i + 1] = sum[i] + static_cast<double>(bins[low + i]) * (i + 1);
    }
    // t in shifted units; the classes are u <= t and u > t.
    double t = sum[n] / count[n];
    for (int iteration = 0; iteration < 1000; ++iteration) {
        const int cut = std::min(n - 1, std::max(1, static_cast<int>(std::floor(t))));  // u <= cut
        if (!(count[cut] > 0) || !(count[n] > count[cut])) break;
        const double mean_back = sum[cut] / count[cut];
        const double mean_fore = (sum[n] - sum[cut]) / (count[n] - count[cut]);
        // t' = (mu_b - mu_f) / (ln mu_b - ln mu_f)
        const double next = (mean_back - mean_fore) / (std::log(mean_back) - std::log(mean_fore));
        const bool settled = std::fabs(next - t) < 0.5;
        t = next;
        if (settled) break;
    }
    const int cut = std::min(n - 1, std::max(1, static_cast<int>(std::floor(t))));
    return static_cast<unsigned short>(low + cut - 1);
}

}  // namespace ipc
