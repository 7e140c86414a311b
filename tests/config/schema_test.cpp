#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "config/catalogue.h"
#include "config/schema.h"
#include "numerics/value_forms.h"
#include "support/expect_message.h"
#include "util/system_test_support.h"
#include "xml/strictness.h"

namespace {

const double kInfinity = std::numeric_limits<double>::infinity();

// A key with one parameter of each kind the binder handles.
struct Probe {
    int count = 0;
    double rate = 0.5;
    double gate = 1.0;
    bool verbose = false;
    std::string mode = "fast";
    nmrc::Vector<2> centre;
    nmrc::SymmetricMatrix<2> covariance = nmrc::SymmetricMatrix<2>::identity();
    double low = 0, high = 1;
};

const config::Schema<Probe>& probe_schema() {
    using config::Word;
    static const auto schema =
        config::Schema<Probe>("probe", "a key for the binder's tests")
            .required(&Probe::count, "count", "how many", config::positive<int>())
            .optional(&Probe::rate, "rate", "per unit time", config::non_negative_finite(),
                      config::also_named("old_rate"))
            .optional(&Probe::gate, "gate", "a limit", config::non_negative<double>(),
                      Word<double>{"infinity", kInfinity})
            .optional(&Probe::verbose, "verbose", "talk more")
            .optional(&Probe::mode, "mode", "how", config::one_of({"fast", "exact"}))
            .optional(&Probe::centre, "centre", "where", config::finite())
            .optional(&Probe::covariance, "covariance", "spread", config::positive_definite<2>(),
                      config::finite().says("{entry} is not finite: {entry} = {value}"))
            .optional(&Probe::low, "low", "lower end")
            .optional(&Probe::high, "high", "upper end")
            .rule("high", "greater than low", [](const Probe& p) { return p.high > p.low; },
                  [](const Probe& p) { return config::quote(p.high); }, "the range is empty");
    return schema;
}

Probe bind(const std::string& body) {
    return probe_schema().bind(xml::Querier::parse("\n<probe>" + body + "</probe>"));
}

TEST(Schema, ReadsEachFormAndKeepsDefaultsOfAbsentParameters) {
    const Probe p = bind(
        "<count>3</count><gate>infinity</gate><verbose>true</verbose><mode>exact</mode>"
        "<centre>1 -2</centre><covariance>4 1 1 9</covariance>");
    EXPECT_EQ(p.count, 3);
    EXPECT_EQ(p.rate, 0.5);
    EXPECT_EQ(p.gate, kInfinity);
    EXPECT_TRUE(p.verbose);
    EXPECT_EQ(p.mode, "exact");
    EXPECT_EQ(p.centre[1], -2.0);
    EXPECT_EQ(p.covariance(1, 0), 1.0);
    // Only the exact text "true" is true; an alternative name is read too.
    EXPECT_FALSE(bind("<count>1</count><verbose>True</verbose>").verbose);
    EXPECT_EQ(bind("<count>1</count><old_rate>2</old_rate>").rate, 2.0);
}

TEST(Schema, EachProblemNamesKeyElementTextAndExpectedForm) {
    struct Case {
        const char* body;
        const char* message;
    };
    const Case cases[] = {
        {"", "Tag::tag failed, key not found: key = count (probe: count is missing: expected an integer)"},
        {"<count>x</count>",
         "unable to convert text from tag = count (probe: count must be an integer: count = \"x\")"},
        {"<count>0</count>", "probe: count must be positive: count = 0"},
        {"<count>1</count><rate>inf</rate>", "probe: rate must be non-negative and finite: rate = inf"},
        {"<count>1</count><gate>-1</gate>", "probe: gate must be non-negative: gate = -1"},
        {"<count>1</count><mode>quick</mode>", "probe: mode must be one of fast, exact: mode = \"quick\""},
        {"<count>1</count><centre>0 nan</centre>", "probe: centre must be finite: centre[1] = nan"},
        {"<count>1</count><covariance>1 0 0 -1</covariance>",
         "probe: covariance must be positive definite: covariance = 1 0 0 -1"},
        {"<count>1</count><low>2</low><high>2</high>",
         "the range is empty (probe: high must be greater than low: high = 2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_MESSAGE(bind(c.body), c.message);
    }
}

TEST(Schema, ReportsEveryProblemAtOnceAndRulesOnlyOnceFieldsPass) {
    EXPECT_MESSAGE(bind("<count>-1</count><rate>-2</rate><low>5</low>"),
                   "probe: count must be positive: count = -1\n"
                   "probe: rate must be non-negative and finite: rate = -2");
}

TEST(Schema, ValidatesStructsBuiltInCode) {
    Probe p;
    p.count = 2;
    EXPECT_NO_THROW(probe_schema().validate(p));
    p.covariance(0, 1) = kInfinity;
    EXPECT_MESSAGE(probe_schema().validate(p), "covariance(1, 0) is not finite: covariance(1, 0) = inf (in probe, element covariance)");
}

TEST(Schema, UnknownChildrenAreWarnedOfOrRefusedInStrictMode) {
    test_support::CoutCapture out;
    bind("<count>1</count><cuont>2</cuont>");
    EXPECT_EQ(out.text(), "warning: probe has no element cuont; did you mean count?\n");
    xml::set_strict_mode(true);
    EXPECT_MESSAGE(bind("<count>1</count><zzzzzz/>"), "probe has no element zzzzzz");
    xml::set_strict_mode(false);
}

// A parameter element read by its own schema inside another key's element.
struct Inner {
    double sigma = 1;
};
struct Outer {
    Inner process;
    int size = 1;
};

const config::Schema<Inner>& inner_schema() {
    static const auto schema = config::Schema<Inner>("process_1d", "a process")
                                   .required(&Inner::sigma, "sigma", "spread", config::positive_finite());
    return schema;
}

const config::Schema<Outer>& outer_schema() {
    static const auto schema = config::Schema<Outer>("outer", "a key holding a process")
                                   .nested(&Outer::process, inner_schema(), "the process")
                                   .optional(&Outer::size, "size", "how many", config::positive<int>());
    return schema;
}

TEST(Schema, NestedElementsAreReportedUnderTheOuterKey) {
    const auto bind_outer = [](const std::string& body) {
        return outer_schema().bind(xml::Querier::parse("\n<outer>" + body + "</outer>"));
    };
    EXPECT_EQ(bind_outer("<process_1d><sigma>2</sigma></process_1d>").process.sigma, 2.0);
    EXPECT_MESSAGE(bind_outer("<process_1d><sigma>0</sigma></process_1d>"),
                   "process_1d: sigma must be positive and finite: sigma = 0 (in outer)");
    EXPECT_MESSAGE(bind_outer("<size>2</size>"),
                   "Tag::tag failed, key not found: key = process_1d (outer: process_1d is missing: expected a "
                   "process_1d element)");
    test_support::CoutCapture out;
    bind_outer("<process_1d><sigma>2</sigma><sigmaa>1</sigmaa></process_1d>");
    EXPECT_EQ(out.text(), "warning: outer/process_1d has no element sigmaa; did you mean sigma?\n");
}

TEST(Catalogue, DescribesDeclaredKeysAndSaysPlainlyWhenAKeyIsNot) {
    config::declare(outer_schema());
    const std::string text = config::describe_key("outer");
    EXPECT_NE(text.find("outer: a key holding a process"), std::string::npos) << text;
    EXPECT_NE(text.find("sigma"), std::string::npos) << text;
    EXPECT_NE(text.find("a number, positive and finite; required"), std::string::npos) << text;
    EXPECT_NE(text.find("an integer, positive; default 1"), std::string::npos) << text;
    EXPECT_NE(config::describe_key("outr").find("not declared in a schema yet"), std::string::npos);
    EXPECT_NE(config::describe_key("outr").find("did you mean outer?"), std::string::npos);
}

}  // namespace
