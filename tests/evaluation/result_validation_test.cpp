#include <gtest/gtest.h>

#include "evaluation/result_validation.h"
#include "evaluation_test_support.h"

namespace {

using eval_test::table;

// Masks of frames 0, 1, 2 from the labels painted in each.
std::map<int, ctc::MaskLabels> masks(const std::vector<std::vector<ctc::Label>>& labels) {
    std::map<int, ctc::MaskLabels> result;
    for (std::size_t f = 0; f < labels.size(); ++f)
        result[static_cast<int>(f)] = ctc::MaskLabels{"mask00" + std::to_string(f) + ".tif", labels[f]};
    return result;
}

TEST(ResultValidationTest, ValidResultHasNoFault) {
    // 1 divides into 2 and 3 after frame 0; 4 continues 1's neighbour 5
    // across a gap in frame 1.
    EXPECT_TRUE(ctc::result_problems(table("1 0 0 0\n2 1 2 1\n3 1 2 1\n5 0 0 0\n4 2 2 5\n"),
                                     masks({{1, 5}, {2, 3}, {2, 3, 4}}))
                    .empty());
}

TEST(ResultValidationTest, EachFaultIsReportedAlone) {
    struct Case {
        const char* lineage;
        std::vector<std::vector<ctc::Label>> labels;
        const char* fault;
    };
    const Case cases[] = {
        {"1 0 2 0\n", {{1}, {}, {1}}, "Label 1 in res_track.txt but not in mask001.tif"},
        {"1 0 3 0\n", {{1}, {1}, {1}}, "Label 1 in res_track.txt spans frame 3, which has no mask"},
        {"1 0 1 0\n", {{1}, {1}, {1}}, "Label 1 in mask002.tif outside its frames 0-1 in res_track.txt"},
        {"1 0 2 0\n", {{1}, {1, 7}, {1}}, "Label 7 in mask001.tif but not in res_track.txt"},
        {"1 0 0 0\n2 1 2 9\n", {{1}, {2}, {2}}, "Label 2 has parent 9, which res_track.txt does not list"},
        {"1 0 1 0\n2 1 2 1\n", {{1}, {1, 2}, {2}}, "Label 2 begins in frame 1, not after its parent 1 ends in frame 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(ctc::result_problems(table(c.lineage), masks(c.labels)), std::vector<std::string>{c.fault});
    }
}

TEST(ResultValidationTest, FaultListStopsAtTheLimit) {
    EXPECT_EQ(ctc::result_problems(table("1 0 2 0\n2 0 2 0\n"), masks({{}, {}, {}}), 4).size(), 4u);
}

TEST(TrackTableTest, MalformedLinesNameTheFileAndLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"1 0 2 0\n2 0 x 0\n", "lineage.txt line 2: expected four non-negative integers \"L B E P\", got \"2 0 x 0\""},
        {"1 0 2 0 5\n", "lineage.txt line 1: more than four numbers in \"1 0 2 0 5\""},
        {"0 0 2 0\n", "lineage.txt line 1: label 0 is the background"},
        {"1 3 2 0\n", "lineage.txt line 1: label 1 ends in frame 2 before it begins in frame 3"},
        {"1 0 2 0\n\n1 0 1 0\n", "lineage.txt line 3: label 1 is listed twice"},
    };
    for (const Case& c : cases) {
        try {
            table(c.text);
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const std::exception& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

}  // namespace
