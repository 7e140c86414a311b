#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace ipc {

// Automatic grey thresholds computed from a histogram of 16-bit values
// (bins[v] = number of pixels of value v, 65536 bins). Foreground is every
// pixel strictly above the threshold. Every method returns the highest
// occupied value (no foreground) for an image of one value, and 0 for an
// empty histogram.
enum class ThresholdMethod { otsu, triangle, li, fixed };

// "otsu", "triangle", "li" or "fixed"; anything else fails naming the text
// and the element.
ThresholdMethod threshold_method(const std::string& text, const std::string& element);

// Otsu: the t that maximises the between-class variance
// w0 w1 (mu0 - mu1)^2 of the classes v <= t and v > t. Suits images whose
// histogram has two clear modes, as when nuclei cover a good part of it.
unsigned short otsu_threshold(const std::vector<std::uint64_t>& bins);

// Triangle (Zack): the line from the histogram's peak to its last occupied
// value; the threshold is the value on the bright side of the peak where
// the histogram lies furthest below that line, the foot of the background
// peak. Suits a large dark background with few bright objects, dim ones
// included.
unsigned short triangle_threshold(const std::vector<std::uint64_t>& bins);

// Li: minimum cross entropy, iterated as
// t' = (mu_b - mu_f) / (ln mu_b - ln mu_f) from the mean until t moves less
// than half a grey level (values shifted so the darkest is 1). Between Otsu
// and triangle for skewed histograms.
unsigned short li_threshold(const std::vector<std::uint64_t>& bins);

}  // namespace ipc
