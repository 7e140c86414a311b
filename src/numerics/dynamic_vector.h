#pragma once
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace xml {
class Querier;
}

namespace nmrc {

// A vector whose length is known only at run time (feature vectors,
// platform-type distributions). Element k lives at first + k * stride inside a
// reference-counted block. A fresh vector is empty; resize replaces the block
// with a zero-filled one.
//
// Copies are deep: every copy owns its own block. States are immutable and
// shared between hypotheses, so a filter that copies a state's vector and
// changes the copy must not change the state it copied from.
class DynamicVector {
public:
    DynamicVector();
    explicit DynamicVector(int length, double fill = 0.0);
    DynamicVector(const DynamicVector& other);
    DynamicVector& operator=(const DynamicVector& other);
    // A moved-from vector is left empty (not sharing the moved block).
    DynamicVector(DynamicVector&& other) noexcept;
    DynamicVector& operator=(DynamicVector&& other) noexcept;

    // A negative length fails, naming it.
    void resize(int length);

    int size() const { return length_; }
    int length() const { return length_; }
    int stride() const { return stride_; }
    bool empty() const { return length_ == 0; }
    double& operator[](int k) { return first_[k * stride_]; }
    double operator[](int k) const { return first_[k * stride_]; }
    double& operator()(int k) { return first_[k * stride_]; }
    double operator()(int k) const { return first_[k * stride_]; }

    // Writes the elements with the separator between them; an empty vector
    // fails with "nmrc::Vector::write called on empty Vector".
    void write(std::ostream& out, const std::string& separator) const;
    // Extracts exactly length() numbers into the existing elements (inf and
    // nan included); a malformed number sets failbit. An empty vector fails
    // with "nmrc::Vector::read called on empty Vector": readers size the
    // vector (from a "size" or "dim") first.
    void read(std::istream& in);

    friend bool operator==(const DynamicVector& a, const DynamicVector& b);
    friend bool operator!=(const DynamicVector& a, const DynamicVector& b) { return !(a == b); }

private:
    std::int32_t stride_ = 1;
    std::int32_t length_ = 0;
    std::shared_ptr<std::vector<double>> block_;
    double* first_ = nullptr;
};

// XML text form: the elements separated by single spaces (empty fails).
std::ostream& operator<<(std::ostream& out, const DynamicVector& v);
// Reads length() numbers into an already sized vector (empty fails).
std::istream& operator>>(std::istream& in, DynamicVector& v);

// Reads the text of the element the querier stands on into v, which the
// caller has sized. An empty v fails with the read message above (the
// Querier's own conversion would hide it); a malformed number fails with
// "unable to convert text from tag = " and the element name.
void read_text(const xml::Querier& element, DynamicVector& v);

}  // namespace nmrc
