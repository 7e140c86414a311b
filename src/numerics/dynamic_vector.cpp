#include "numerics/dynamic_vector.h"

#include <sstream>

#include "util/exception.h"
#include "xml/from_string.h"
#include "xml/querier.h"

namespace nmrc {

DynamicVector::DynamicVector() : block_(std::make_shared<std::vector<double>>()) {
    first_ = block_->data();
}

DynamicVector::DynamicVector(int length, double fill) : DynamicVector() {
    resize(length);
    for (int k = 0; k < length_; ++k) (*this)[k] = fill;
}

DynamicVector::DynamicVector(const DynamicVector& other)
    : length_(other.length_), block_(std::make_shared<std::vector<double>>(other.length_)) {
    first_ = block_->data();
    for (int k = 0; k < length_; ++k) first_[k] = other[k];
}

DynamicVector::DynamicVector(DynamicVector&& other) noexcept
    : stride_(other.stride_), length_(other.length_), block_(std::move(other.block_)), first_(other.first_) {
    other.stride_ = 1;
    other.length_ = 0;
    other.first_ = nullptr;
}

DynamicVector& DynamicVector::operator=(DynamicVector&& other) noexcept {
    if (this != &other) {
        stride_ = other.stride_;
        length_ = other.length_;
        block_ = std::move(other.block_);
        first_ = other.first_;
        other.stride_ = 1;
        other.length_ = 0;
        other.first_ = nullptr;
    }
    return *this;
}

DynamicVector& DynamicVector::operator=(const DynamicVector& other) {
    if (this != &other) *this = DynamicVector(other);
    return *this;
}

void DynamicVector::resize(int length) {
    if (length < 0)
        throw util::Exception("nmrc::Vector::resize called with negative length = " +
                              std::to_string(length));
    block_ = std::make_shared<std::vector<double>>(static_cast<std::size_t>(length), 0.0);
    first_ = block_->data();
    stride_ = 1;
    length_ = length;
}

void DynamicVector::write(std::ostream& out, const std::string& separator) const {
    if (length_ == 0) throw util::Exception("nmrc::Vector::write called on empty Vector");
    for (int k = 0; k < length_; ++k) {
        if (k > 0) out << separator;
        out << (*this)[k];
    }
}

void DynamicVector::read(std::istream& in) {
    if (length_ == 0) throw util::Exception("nmrc::Vector::read called on empty Vector");
    // Read into a scratch copy so that a malformed text leaves v unchanged.
    std::vector<double> values(static_cast<std::size_t>(length_));
    for (double& x : values) {
        if (!xml::read_real(in, x)) return;
    }
    for (int k = 0; k < length_; ++k) (*this)[k] = values[static_cast<std::size_t>(k)];
}

bool operator==(const DynamicVector& a, const DynamicVector& b) {
    if (a.length_ != b.length_) return false;
    for (int k = 0; k < a.length_; ++k)
        if (a[k] != b[k]) return false;
    return true;
}

std::ostream& operator<<(std::ostream& out, const DynamicVector& v) {
    v.write(out, " ");
    return out;
}

std::istream& operator>>(std::istream& in, DynamicVector& v) {
    v.read(in);
    return in;
}

void read_text(const xml::Querier& element, DynamicVector& v) {
    std::istringstream in(element.raw_text());
    v.read(in);
    if (in.fail() || in.bad())
        throw util::Exception("unable to convert text from tag = " + element.name());
}

}  // namespace nmrc
