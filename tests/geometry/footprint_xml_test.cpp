#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "geometry/ball.h"
#include "geometry/infinite.h"
#include "geometry/interval.h"
#include "geometry/parallelepiped.h"
#include "geometry/parallelogram.h"
#include "geometry/rectified_rectangle.h"
#include "geometry/spherical_shell.h"
#include "geometry_fixture.h"

namespace ftprnt::testing {
namespace {

using Children = std::vector<std::pair<std::string, std::string>>;

// The element name and its children (name, text) as a reader sees them.
std::pair<std::string, Children> structure(const std::string& text) {
    const xml::Querier root = xml::Querier::parse("<?xml version=\"1.0\"?>\n" + text);
    Children children;
    for (const auto& child : root.tags()) children.emplace_back(child.name(), child.raw_text());
    return {root.name(), children};
}

template <int N>
struct WriteCase {
    std::string element;
    std::string key;
    Children children;
};

// Writes the footprint built from `element`, checks the written element and
// builds it again from what was written: the copy writes the same text.
template <int N>
void check(const std::vector<WriteCase<N>>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        const std::string text = written(*build<N>(c.element));
        const auto [name, children] = structure(text);
        EXPECT_EQ(name, c.key);
        EXPECT_EQ(children, c.children);
        EXPECT_EQ(written(*build<N>(text)), text);
    }
}

TEST(FootprintXml, WritesItsKeyAndFieldsInOrderAndReadsThemBack) {
    check<1>({{"<interval><min>-1.5</min><max>2</max></interval>", "interval",
               {{"min", "-1.5"}, {"max", "2"}}},
              {"<infinite_1d/>", "infinite_1d", {}}});
    check<2>({{"<circle><radius>2.25</radius><center>1 -3</center></circle>", "circle",
               {{"center", "1 -3"}, {"radius", "2.25"}}},
              {"<parallelogram><v1>1 1</v1><v0>2 0</v0><p>1 1</p></parallelogram>", "parallelogram",
               {{"p", "1 1"}, {"v0", "2 0"}, {"v1", "1 1"}}},
              {"<infinite_2d/>", "infinite_2d", {}}});
    check<3>({{"<sphere><center>1 2 3</center><radius>4</radius></sphere>", "sphere",
               {{"center", "1 2 3"}, {"radius", "4"}}},
              {"<spherical_shell><outer_radius>3</outer_radius><inner_radius>0.5</inner_radius>"
               "<center>0 0 1</center></spherical_shell>",
               "spherical_shell",
               {{"center", "0 0 1"}, {"inner_radius", "0.5"}, {"outer_radius", "3"}}},
              {"<parallelepiped><p>0 0 0</p><v0>1 0 0</v0><v1>0 2 0</v1><v2>0 0 3</v2>"
               "</parallelepiped>",
               "parallelepiped",
               {{"p", "0 0 0"}, {"v0", "1 0 0"}, {"v1", "0 2 0"}, {"v2", "0 0 3"}}},
              {"<infinite_3d/>", "infinite_3d", {}}});
}

// The rectangle writes its ordered corners as "min" and "max"; reading that
// form back gives the same rectangle.
TEST(FootprintXml, RectangleWritesMinAndMaxCornersAndReadsThemBack) {
    check<2>({{"<rectified_rectangle><p0>1 5</p0><p2>3 2</p2></rectified_rectangle>",
               "rectified_rectangle",
               {{"min", "1 2"}, {"max", "3 5"}}}});
    const auto copy = build<2>("<rectified_rectangle><min>1 2</min><max>3 5</max></rectified_rectangle>");
    EXPECT_TRUE(copy->contains({3, 5}));
    EXPECT_FALSE(copy->contains({3, 5.5}));
}

TEST(FootprintRegistry, EachFactoryHoldsExactlyTheKeysOfItsDimension) {
    ensure_registered();
    auto keys_of = [](const auto& factory) {
        std::set<std::string> keys;
        factory.keys(std::inserter(keys, keys.end()));
        return keys;
    };
    using Keys = std::set<std::string>;
    EXPECT_EQ(keys_of(footprint_factory<1>()), (Keys{"interval", "infinite_1d"}));
    EXPECT_EQ(keys_of(footprint_factory<2>()),
              (Keys{"rectified_rectangle", "circle", "parallelogram", "infinite_2d"}));
    EXPECT_EQ(keys_of(footprint_factory<3>()),
              (Keys{"sphere", "spherical_shell", "parallelepiped", "infinite_3d"}));
    EXPECT_EQ(keys_of(uniform_footprint_factory<1>()), (Keys{"interval"}));
    EXPECT_EQ(keys_of(uniform_footprint_factory<2>()),
              (Keys{"rectified_rectangle", "parallelogram", "circle"}));
    EXPECT_EQ(keys_of(uniform_footprint_factory<3>()), (Keys{"parallelepiped"}));
}

TEST(FootprintTypeIdentity, ClassesOfOneDimensionHaveDistinctIdentities) {
    ensure_registered();
    const std::set<int> two{RectifiedRectangle::static_type_id(), Circle::static_type_id(),
                            Parallelogram::static_type_id(), Infinite<2>::static_type_id()};
    const std::set<int> three{Sphere::static_type_id(), SphericalShell::static_type_id(),
                              Parallelepiped::static_type_id(), Infinite<3>::static_type_id()};
    EXPECT_EQ(two.size(), 4u);
    EXPECT_EQ(three.size(), 4u);
    // Each dimension counts from 1 on its own.
    EXPECT_EQ(*two.begin(), 1);
    EXPECT_EQ(*two.rbegin(), 4);
    EXPECT_EQ(*three.rbegin(), 4);
    const std::set<int> one{Interval::static_type_id(), Infinite<1>::static_type_id()};
    EXPECT_EQ(one, (std::set<int>{1, 2}));
    // The virtual identity of a built footprint is its class's.
    EXPECT_EQ(build<2>("<circle><center>0 0</center><radius>1</radius></circle>")->type_id(),
              Circle::static_type_id());
}

}  // namespace
}  // namespace ftprnt::testing
