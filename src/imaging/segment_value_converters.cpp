#include "imaging/segment_value_converters.h"

#include <algorithm>
#include <cmath>

#include "imaging/segment_checks.h"

namespace ipc {

SegmentMeans segment_means(const Image<unsigned short>& image, const SegmentImage& segmentation) {
    check_segmentation(segmentation, image.width(), image.height());
    const auto segments = static_cast<std::size_t>(segmentation.number_of_segments);
    std::vector<unsigned long long> sum(segments, 0);
    std::vector<unsigned long long> count(segments, 0);
    const unsigned short* value = image.begin();
    for (int label : segmentation) {
        sum[static_cast<std::size_t>(label)] += *value++;
        ++count[static_cast<std::size_t>(label)];
    }

    SegmentMeans means{std::vector<long long>(segments, 0), std::vector<bool>(segments, false)};
    for (std::size_t s = 0; s < segments; ++s) {
        if (count[s] == 0) continue;  // a label without pixels has no mean
        const double mean = static_cast<double>(sum[s]) / static_cast<double>(count[s]);
        means.value[s] = static_cast<long long>(mean >= 0 ? mean + 0.5 : mean - 0.5);
        means.present[s] = true;
    }
    return means;
}

Image<unsigned short> project_segments(const Image<unsigned short>& image, const SegmentImage& segmentation) {
    const SegmentMeans means = segment_means(image, segmentation);
    Image<unsigned short> projected(image.width(), image.height());
    unsigned short* out = projected.begin();
    for (int label : segmentation) *out++ = static_cast<unsigned short>(means.value[static_cast<std::size_t>(label)]);
    return projected;
}

Image<unsigned short> order_segments(const Image<unsigned short>& image, const SegmentImage& segmentation) {
    const SegmentMeans means = segment_means(image, segmentation);
    std::vector<long long> distinct;
    for (std::size_t s = 0; s < means.value.size(); ++s)
        if (means.present[s]) distinct.push_back(means.value[s]);
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());

    std::vector<unsigned short> rank(means.value.size(), 0);
    for (std::size_t s = 0; s < means.value.size(); ++s)
        if (means.present[s])
            rank[s] = static_cast<unsigned short>(
                std::lower_bound(distinct.begin(), distinct.end(), means.value[s]) - distinct.begin());

    Image<unsigned short> ordered(image.width(), image.height());
    unsigned short* out = ordered.begin();
    for (int label : segmentation) *out++ = rank[static_cast<std::size_t>(label)];
    return ordered;
}

}  // namespace ipc
