#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "numerics/dynamic_vector.h"
#include "numerics/matrix.h"
#include "numerics/normal.h"
#include "numerics/symmetric_matrix.h"
#include "numerics/vector.h"
#include "support/expect_message.h"
#include "xml/out_stream.h"
#include "xml/querier.h"

namespace {

// The text an OutStream writes for one value, at the given precision.
template <class T>
std::string text_of(const T& value, int precision = 15) {
    std::ostringstream out;
    out.precision(precision);
    {
        xml::OutStream stream(out, "  ");
        stream.element("v", value);
        stream.close();
    }
    const std::string s = out.str();  // "<v>...</v>\n"
    return s.substr(3, s.size() - 3 - 5);
}

// A document whose first line is the declaration the parser skips.
xml::Querier parse(const std::string& body) {
    return xml::Querier::parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body);
}

template <class T>
T from_text(const std::string& text) {
    T value;
    xml::from_string(text, value);
    return value;
}

TEST(NumericsTextForm, FixedVectorWritesElementsSeparatedBySingleSpaces) {
    EXPECT_EQ(text_of(nmrc::Vector<3>{1.5, -2, 0.25}), "1.5 -2 0.25");
    EXPECT_EQ(text_of(nmrc::Vector<1>{7}), "7");
    EXPECT_EQ(text_of(nmrc::Vector<2>{1.0 / 3.0, 2}, 6), "0.333333 2");
}

TEST(NumericsTextForm, FixedVectorRoundTripsIncludingNonFiniteValues) {
    const double inf = std::numeric_limits<double>::infinity();
    const nmrc::Vector<4> v{0.1, -inf, inf, 123456.789012345};
    const auto back = from_text<nmrc::Vector<4>>(text_of(v, 17));
    EXPECT_EQ(back, v);

    const auto with_nan = from_text<nmrc::Vector<2>>(text_of(nmrc::Vector<2>{std::nan(""), 1}));
    EXPECT_TRUE(std::isnan(with_nan[0]));
    EXPECT_EQ(with_nan[1], 1.0);
}

TEST(NumericsTextForm, TextAfterTheLastNeededNumberIsIgnored) {
    EXPECT_EQ(from_text<nmrc::Vector<2>>("1 2 3 junk"), (nmrc::Vector<2>{1, 2}));
    EXPECT_EQ((from_text<nmrc::Matrix<1, 2>>("  4\n5 6")), (nmrc::Matrix<1, 2>{4, 5}));
}

TEST(NumericsTextForm, TooFewOrMalformedNumbersFailTheConversion) {
    nmrc::Vector<3> v;
    EXPECT_THROW(xml::from_string("1 2", v), util::Exception);
    EXPECT_THROW(xml::from_string("1 x 3", v), util::Exception);
    nmrc::SymmetricMatrix<2> p;
    EXPECT_THROW(xml::from_string("1 0 0", p), util::Exception);
}

TEST(NumericsTextForm, QuerierNamesTheTagOfAnUnconvertibleVector) {
    const auto q = parse("<state><position>1 oops</position></state>");
    EXPECT_MESSAGE(q.read<nmrc::Vector<2>>("position"),
                   "unable to convert text from tag = position");
}

TEST(NumericsTextForm, MatrixIsWrittenAndReadRowByRow) {
    const nmrc::Matrix<2, 3> m{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(m(0, 2), 3.0);
    EXPECT_EQ(m(1, 0), 4.0);
    EXPECT_EQ(text_of(m), "1 2 3 4 5 6");
    EXPECT_EQ((from_text<nmrc::Matrix<2, 3>>("1 2 3 4 5 6")), m);
}

TEST(NumericsTextForm, SymmetricMatrixWritesTheFullMatrixAndKeepsTheLowerTriangleOnReading) {
    nmrc::SymmetricMatrix<3> p;
    p(0, 0) = 1;
    p(1, 0) = 2;
    p(1, 1) = 3;
    p(2, 0) = 4;
    p(2, 1) = 5;
    p(2, 2) = 6;
    EXPECT_EQ(text_of(p), "1 2 4 2 3 5 4 5 6");
    EXPECT_EQ(from_text<nmrc::SymmetricMatrix<3>>("1 2 4 2 3 5 4 5 6"), p);
    // An asymmetric text: the entries above the diagonal are not used.
    const auto asym = from_text<nmrc::SymmetricMatrix<2>>("1 99 2 3");
    EXPECT_EQ(asym(0, 1), 2.0);
    EXPECT_EQ(asym(1, 0), 2.0);
    EXPECT_EQ(asym(1, 1), 3.0);
}

TEST(NumericsTextForm, SymmetricMatrixIsPackedByColumnsOfTheUpperTriangle) {
    // Element (i, j), i <= j, at i + j(j+1)/2: row 0 of a 4x4 at 0, 1, 3, 6.
    nmrc::SymmetricMatrix<4> p;
    p(0, 0) = 10;
    p(0, 1) = 11;
    p(2, 0) = 12;
    p(0, 3) = 13;
    p(1, 1) = 20;
    EXPECT_EQ(p.data()[0], 10.0);
    EXPECT_EQ(p.data()[1], 11.0);
    EXPECT_EQ(p.data()[2], 20.0);
    EXPECT_EQ(p.data()[3], 12.0);
    EXPECT_EQ(p.data()[6], 13.0);
    EXPECT_EQ(p(3, 0), 13.0);
}

TEST(NumericsTextForm, NormalRoundTripsThroughItsElement) {
    nmrc::Normal<2> n;
    n.mean = {1.25, -3};
    n.covariance(0, 0) = 4;
    n.covariance(0, 1) = 0.5;
    n.covariance(1, 1) = 9;
    std::ostringstream out;
    {
        xml::OutStream stream(out, "  ");
        n.write(stream);
        stream.close();
    }
    EXPECT_EQ(out.str(),
              "<normal>\n  <mean>1.25 -3</mean>\n  <covariance>4 0.5 0.5 9</covariance>\n</normal>\n");
    const auto back = nmrc::Normal<2>::read(parse(out.str()));
    EXPECT_EQ(back, n);
}

TEST(NumericsTextForm, DynamicVectorWritesWithTheGivenSeparatorAndRoundTrips) {
    nmrc::DynamicVector v(3);
    v[0] = 0.5;
    v[1] = -1;
    v[2] = 2e-7;
    std::ostringstream out;
    v.write(out, ", ");
    EXPECT_EQ(out.str(), "0.5, -1, 2e-07");
    EXPECT_EQ(text_of(v), "0.5 -1 2e-07");

    nmrc::DynamicVector back(3);
    std::istringstream in("0.5 -1 2e-07 and more");
    back.read(in);
    EXPECT_FALSE(in.fail());
    EXPECT_EQ(back, v);
}

TEST(NumericsTextForm, EmptyDynamicVectorCannotBeWrittenOrRead) {
    nmrc::DynamicVector empty;
    std::ostringstream out;
    EXPECT_MESSAGE(empty.write(out, " "), "nmrc::Vector::write called on empty Vector");
    EXPECT_MESSAGE(out << empty, "nmrc::Vector::write called on empty Vector");
    std::istringstream in("1 2");
    EXPECT_MESSAGE(empty.read(in), "nmrc::Vector::read called on empty Vector");
    const auto q = parse("<distribution>1 2</distribution>");
    EXPECT_MESSAGE(nmrc::read_text(q, empty), "nmrc::Vector::read called on empty Vector");
}

TEST(NumericsTextForm, DynamicVectorReadTextNamesTheTagOfAMalformedNumber) {
    const auto q = parse("<mean>1 two</mean>");
    nmrc::DynamicVector v(2);
    EXPECT_MESSAGE(nmrc::read_text(q, v), "unable to convert text from tag = mean");
    EXPECT_EQ(v, nmrc::DynamicVector(2));  // left unchanged

    const auto good = parse("<mean>1 inf</mean>");
    nmrc::read_text(good, v);
    EXPECT_EQ(v[0], 1.0);
    EXPECT_EQ(v[1], std::numeric_limits<double>::infinity());
}

TEST(NumericsDynamicVector, CopiesDoNotShareElements) {
    nmrc::DynamicVector a(2, 1.0);
    nmrc::DynamicVector b = a;
    b[0] = 5;
    EXPECT_EQ(a[0], 1.0);
    nmrc::DynamicVector c;
    c = a;
    c[1] = 7;
    EXPECT_EQ(a[1], 1.0);
    nmrc::DynamicVector moved = std::move(c);
    EXPECT_EQ(moved[1], 7.0);
    EXPECT_TRUE(c.empty());  // NOLINT(bugprone-use-after-move): moved-from is empty by contract
}

TEST(NumericsDynamicVector, ResizeReplacesTheBlockAndRejectsNegativeLengths) {
    nmrc::DynamicVector v(2, 3.0);
    v.resize(4);
    EXPECT_EQ(v.size(), 4);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(v[k], 0.0);
    EXPECT_MESSAGE(v.resize(-3), "nmrc::Vector::resize called with negative length = -3");
}

}  // namespace
