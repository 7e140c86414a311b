#include "model/states/gaussian_feature_vector_state.h"

#include <vector>

#include "model/states/dynamic_vector_xml.h"
#include "model/states/sigma_check.h"

namespace state {

namespace {
int read_size(const xml::Querier& querier) { return querier.read<int>("size"); }
}  // namespace

GaussianFeatureVectorState::GaussianFeatureVectorState(double time, nmrc::DynamicVector mean,
                                                       nmrc::DynamicVector sigma)
    : time(time), mean(std::move(mean)), sigma(std::move(sigma)) {
    if (this->mean.empty()) throw util::Exception("empty mean in " + std::string(key()));
    if (this->mean.size() != this->sigma.size())
        throw util::Exception("mean and sigma differ in length in " + std::string(key()) +
                              ": " + std::to_string(this->mean.size()) + " and " +
                              std::to_string(this->sigma.size()));
    std::vector<double> sigmas;
    for (int k = 0; k < this->sigma.size(); ++k) sigmas.push_back(this->sigma[k]);
    check_sigmas(sigmas.begin(), sigmas.end(), key());
}

GaussianFeatureVectorState::GaussianFeatureVectorState(const xml::Querier& querier)
    : GaussianFeatureVectorState(querier.read_finite<double>("time"),
                                 read_dynamic_vector(querier.tag("mean"), read_size(querier)),
                                 read_dynamic_vector(querier.tag("sigma"), read_size(querier))) {}

void GaussianFeatureVectorState::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time).element("size", mean.size());
    out.element("mean", mean).element("sigma", sigma);
    out.end_tag();
}

}  // namespace state
