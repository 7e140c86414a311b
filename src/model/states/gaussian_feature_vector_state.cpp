#include "model/states/gaussian_feature_vector_state.h"

#include "xml/strictness.h"

#include <vector>

#include "model/states/sigma_check.h"
#include "numerics/value_forms.h"

namespace state {

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

// A size of 0 fails as reading into an empty vector does; mean and sigma
// must then hold at least size numbers (see first_numbers for more).
const config::Schema<GaussianFeatureVectorState::Form>& GaussianFeatureVectorState::schema() {
    auto holds_size = [](const nmrc::DynamicVector Form::*member) {
        return [member](const Form& form) { return (form.*member).size() >= form.size; };
    };
    auto shown = [](const nmrc::DynamicVector Form::*member) {
        return [member](const Form& form) { return config::ValueForm<nmrc::DynamicVector>::show(form.*member); };
    };
    static const auto schema =
        config::Schema<Form>(key(), "independent Gaussian features of any length holding at a time")
            .required(&Form::time, "time", "the time the features hold at", config::finite_text())
            .required(&Form::size, "size", "the number of features", config::non_negative<int>(),
                      config::at_least(1).says("nmrc::Vector::read called on empty Vector"))
            .required(&Form::mean, "mean", "the means", config::finite_text())
            .required(&Form::sigma, "sigma", "the standard deviations", config::finite_text(),
                      config::non_negative().says("sigma is negative in {key}: sigma = {value}"))
            .rule("mean", "at least size numbers", holds_size(&Form::mean), shown(&Form::mean))
            .rule("sigma", "at least size numbers", holds_size(&Form::sigma), shown(&Form::sigma));
    return schema;
}

// Numbers beyond size were always left unread, with a warning (an error
// under --strict), as text after a value is; stored files may hold them.
nmrc::DynamicVector GaussianFeatureVectorState::first_numbers(const nmrc::DynamicVector& numbers, int size,
                                                              const char* name) {
    if (size <= 0 || numbers.size() <= size) return numbers;
    nmrc::DynamicVector first(size);
    std::string rest;
    for (int k = 0; k < numbers.size(); ++k) {
        if (k < size)
            first[k] = numbers[k];
        else
            rest += (rest.empty() ? "" : " ") + config::ValueForm<double>::show(numbers[k]);
    }
    xml::warn_or_throw(std::string("text after the value of ") + name + " of " + key() + " is ignored: \"" + rest +
                       "\"");
    return first;
}

void GaussianFeatureVectorState::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time).element("size", mean.size());
    out.element("mean", mean).element("sigma", sigma);
    out.end_tag();
}

}  // namespace state
