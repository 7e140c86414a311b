#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <limits>

#include "numerics/vector.h"
#include "support/expect_message.h"
#include "support/temp_dir.h"
#include "xml/parser.h"
#include "xml/querier.h"
#include "xml/strictness.h"

namespace {

xml::Querier parse(const std::string& body) { return xml::Querier::parse("<?xml version=\"1.0\"?>\n" + body); }

std::string nested(int levels) {
    std::string text;
    for (int i = 0; i < levels; ++i) text += "<e>";
    for (int i = 0; i < levels; ++i) text += "</e>";
    return text;
}

// Runs action once in the default mode, returning what it printed, and
// returns through `strict_error` the message it throws in strict mode.
std::string warned(const std::function<void()>& action, std::string& strict_error) {
    testing::internal::CaptureStdout();
    action();
    std::string printed = testing::internal::GetCapturedStdout();
    xml::set_strict_mode(true);
    strict_error.clear();
    try {
        action();
    } catch (const std::exception& error) {
        strict_error = error.what();
    }
    xml::set_strict_mode(false);
    return printed;
}

TEST(XmlNesting, TheDocumentedDepthLoadsAndOneMoreLevelIsRefusedWithItsLine) {
    EXPECT_NO_THROW(parse(nested(xml::kMaxElementDepth)));
    EXPECT_MESSAGE(parse(nested(xml::kMaxElementDepth + 1)),
                   "elements nested deeper than 256 levels in <text> at line 2");
    // Far deeper input (a stack overflow before the limit existed) ends the same way.
    EXPECT_THROW(parse(nested(60000)), util::Exception);
}

TEST(XmlNesting, IncludedFilesCannotTogetherNestDeeperThanTheLimit) {
    test_support::ScopedWorkingDir dir("xml_nesting");
    std::ofstream("inner.xml") << "<?xml version=\"1.0\"?>\n" << nested(255) << "\n";
    std::ofstream("main.xml") << "<?xml version=\"1.0\"?>\n<r>\n" << std::string(100, ' ') << "<a><b><inner/></b></a></r>\n";
    xml::Querier q = xml::Querier::open("main.xml");
    EXPECT_MESSAGE(xml::expand_includes(q),
                   "elements nested deeper than 256 levels after including files in inner.xml at line 2");
}

// Found by the fuzzer: a folder named as an included file ended the run
// with an uncaught exception of the standard library.
TEST(XmlInclude, AFolderNamedAsAFileIsRefusedByName) {
    test_support::ScopedWorkingDir dir("xml_include_folder");
    std::ofstream("main.xml") << "<?xml version=\"1.0\"?>\n<r>\n  <f file=\"..\"/>\n</r>\n";
    xml::Querier q = xml::Querier::open("main.xml");
    EXPECT_MESSAGE_CONTAINS(xml::expand_includes(q), ": it is a folder");
    EXPECT_MESSAGE_CONTAINS(xml::Querier::open("."), "Querier::open is unable to open .: it is a folder");
}

TEST(XmlStrictness, AMismatchedEndTagIsAWarningByDefaultAndAnErrorWhenStrict) {
    std::string error;
    std::string printed = warned([] { parse("<r>\n<b>1</c>\n</r>"); }, error);
    const std::string message = "end tag </c> does not match start tag <b> in <text> at line 3";
    EXPECT_EQ(printed, "warning: " + message + "\n");
    EXPECT_EQ(error, message);
    // Matching end tags, empty elements and end tags with blanks say nothing.
    printed = warned([] { parse("<r><b>1</b ><c/><d></d></r>"); }, error);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(error, "");
}

TEST(XmlStrictness, TextAfterANumberIsReportedWithTheElementAndLine) {
    xml::Querier q = parse("<r n=\"3x\">\n<i>12abc</i>\n<d>2.5 e</d>\n<v>1 2 3</v>\n<ok> 7 </ok>\n<s>two words</s>\n</r>");
    struct Case {
        std::function<void()> read;
        std::string message;  // empty: nothing to report
    };
    const std::vector<Case> cases{
        {[&] { q.read<int>("i"); }, "text after the value of element i is ignored: \"12abc\" in <text> at line 3"},
        {[&] { q.read<double>("d"); }, "text after the value of element d is ignored: \"2.5 e\" in <text> at line 4"},
        {[&] { q.read<std::int64_t>("v"); }, "text after the value of element v is ignored: \"1 2 3\" in <text> at line 5"},
        {[&] { int n; q.att("n", n); },
         "text after the value of attribute n of element r is ignored: \"3x\" in <text> at line 2"},
        {[&] { EXPECT_EQ(q.read<int>("ok"), 7); }, ""},
        {[&] { EXPECT_EQ(q.read<std::string>("s"), "two"); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::string error;
        std::string printed = warned(c.read, error);
        EXPECT_EQ(printed, c.message.empty() ? "" : "warning: " + c.message + "\n");
        EXPECT_EQ(error, c.message);
    }
    // The value itself is still read in the default mode.
    testing::internal::CaptureStdout();
    EXPECT_EQ(q.read<int>("i"), 12);
    testing::internal::GetCapturedStdout();
}

TEST(XmlPlaces, MessagesAfterIncludeExpansionNameTheIncludedFileAndLine) {
    test_support::ScopedWorkingDir dir("xml_places");
    std::ofstream("filters.xml") << "<?xml version=\"1.0\"?>\n<set>\n\n  <gate>nan</gate>\n</set>\n";
    std::ofstream("main.xml") << "<?xml version=\"1.0\"?>\n<r>\n  <f file=\"filters.xml\"/>\n  <t>1</t>\n</r>\n";
    xml::Querier q = xml::Querier::open("main.xml");
    xml::expand_includes(q);
    EXPECT_EQ(q.tag("f").tag("gate").current().location(), "in filters.xml at line 4");
    EXPECT_EQ(q.tag("f").current().location(), "in filters.xml at line 2");
    EXPECT_EQ(q.tag("t").current().location(), "in main.xml at line 4");
}

TEST(XmlFiniteReads, NonFiniteNumbersAreRefusedNamingTheChildAndTheElement) {
    xml::Querier q = parse("<state>\n<time>nan</time>\n<mean>1 inf</mean>\n<upper>inf</upper>\n<ok>1 2</ok>\n</state>");
    EXPECT_MESSAGE(q.read_finite<double>("time"),
                   "time of state must be a finite number, text = \"nan\" in <text> at line 3");
    EXPECT_MESSAGE(q.read_finite<nmrc::Vector<2>>("mean"),
                   "mean of state must be a finite number, text = \"1 inf\" in <text> at line 4");
    EXPECT_EQ(q.read_bound<double>("upper"), std::numeric_limits<double>::infinity());
    EXPECT_MESSAGE(q.read_bound<double>("time"),
                   "time of state must be a number or inf, not NaN, text = \"nan\" in <text> at line 3");
    EXPECT_EQ(q.read_finite<nmrc::Vector<2>>("ok")[1], 2);
}

}  // namespace
