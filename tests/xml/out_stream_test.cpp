#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "support/expect_message.h"
#include "xml/out_stream.h"
#include "xml/querier.h"

namespace {

TEST(OutStream, WritesTheIndentedFormLazily) {
    std::ostringstream text;
    xml::OutStream out(text, "  ");
    out.tag("a").att("x", "1");
    out.tag("b").text(2).end_tag();
    out.tag("c").end_tag();
    out.end_tag();
    out.tag("d").text("t").text(3.5).end_tag();
    out.tag("e").text("").end_tag();
    out.close();
    EXPECT_EQ(text.str(), "<a x=\"1\">\n  <b>2</b>\n  <c/>\n</a>\n<d>t3.5</d>\n<e></e>\n");
}

TEST(OutStream, BooleansAreWrittenAsDigits) {
    std::ostringstream text;
    xml::OutStream out(text, "  ");
    out.element("g", true);
    out.element("h", false);
    EXPECT_EQ(text.str(), "<g>1</g>\n<h>0</h>\n");
}

TEST(OutStream, MisuseIsReportedWithItsMessage) {
    struct Case {
        const char* name;
        void (*action)(xml::OutStream&);
        const char* message;
    };
    const Case cases[] = {
        {"att without tag", [](xml::OutStream& o) { o.att("k", "v"); }, "xml::OutStream::att failed, tag does not exist"},
        {"att after text", [](xml::OutStream& o) { o.tag("a").text(1).att("k", "v"); },
         "xml::OutStream::att failed, text already added"},
        {"att after child", [](xml::OutStream& o) { o.tag("a").tag("b").end_tag().att("k", "v"); },
         "xml::OutStream::att failed, tags already added"},
        {"text without tag", [](xml::OutStream& o) { o.text("x"); }, "xml::OutStream::text failed, tag does not exist"},
        {"text after ended child", [](xml::OutStream& o) { o.tag("a").tag("b").end_tag().text("x"); },
         "xml::OutStream::text failed, tags already added"},
        {"end_tag with nothing open", [](xml::OutStream& o) { o.end_tag(); },
         "xml::OutStream::end_tag failed, tags is empty"},
        {"close with open tags", [](xml::OutStream& o) { o.tag("a").close(); },
         "xml::OutStream::close failed, there are opened tags"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ostringstream text;
        xml::OutStream out(text, "  ");
        EXPECT_MESSAGE(c.action(out), c.message);
    }
}

TEST(OutStream, OpenWritesTheDeclarationAndRefusesASecondOpen) {
    std::string path = ::testing::TempDir() + "out_stream_test.xml";
    {
        xml::OutStream out;
        out.open(path, "  ");
        ASSERT_TRUE(out.good());
        EXPECT_MESSAGE(out.open(path, "  "), "illegal open in xml::OutStream");
        out.element("v", 1);
        out.close();
    }
    std::ifstream in(path);
    std::stringstream contents;
    contents << in.rdbuf();
    EXPECT_EQ(contents.str(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<v>1</v>\n");
    std::remove(path.c_str());
}

TEST(OutStream, DestroyingWithOpenTagsDoesNotThrow) {
    std::ostringstream text;
    EXPECT_NO_THROW({
        xml::OutStream out(text, "  ");
        out.tag("a").tag("b");
    });
}

TEST(OutStream, WrittenTreeParsesBackToTheSameTree) {
    xml::Querier q = xml::Querier::parse("<?xml?>\n<r k=\"v\"><a>1 2 3</a><b><c>x</c><d/></b></r>");
    std::string once = q.current().to_string();
    xml::Querier again = xml::Querier::parse("\n" + once);
    EXPECT_EQ(again.current().to_string(), once);
    EXPECT_EQ(again.tag("b").tag("c").raw_text(), "x");
}

}  // namespace
