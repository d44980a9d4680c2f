#include "core/storage/TextFile.h"
#include "core/storage/XmlDocument.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

XmlNode Parse(std::string_view text)
{
    XmlDocument document;
    EXPECT_TRUE(document.LoadText(text)) << text;
    return document.root;
}

void ExpectFormatError(std::string_view text)
{
    XmlDocument document;
    int reported = 0;
    const bool parsed = document.LoadText(text, [&](const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), messages::kBadXmlFormat);
        EXPECT_TRUE(error.Parameter().empty());
        ++reported;
    });
    EXPECT_FALSE(parsed) << text;
    EXPECT_EQ(reported, 1) << text;
}

std::string Nested(int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    return text;
}

TEST(XmlReader, ReadsElementsAttributesAndChildrenInOrder)
{
    const XmlNode root = Parse(
        "<?xml version=\"1.0\"?>\r\n<!-- made by hand -->\n"
        "<root b=\"2\" a=x1 b=\"3\">\t<first/><second k=\"v\" <!-- inside --> /></root>trailing < junk");
    EXPECT_EQ(root.name, "root");
    EXPECT_EQ(root.GetAttribute("a"), "x1");
    EXPECT_EQ(root.GetAttribute("b"), "3");
    EXPECT_EQ(root.GetAttribute("missing"), "");
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[0].name, "first");
    EXPECT_EQ(root.children[1].GetAttribute("k"), "v");
    EXPECT_TRUE(root.children[0].children.empty());

    const XmlNode entities = Parse("<a v=\"&lt;&amp;&quot;&gt;\" twice=\"&amp;lt;\" plain=\"a&amp;amp;b\"/>");
    EXPECT_EQ(entities.GetAttribute("v"), "<&\">");
    EXPECT_EQ(entities.GetAttribute("twice"), "<") << "one kind of entity after another";
    EXPECT_EQ(entities.GetAttribute("plain"), "a&amp;b");
}

TEST(XmlReader, NamesMayBeNonLatinWordsOrQuotedText)
{
    const XmlNode root = Parse("<Настройки Ключ_1=\"Значение\" \"две части\"=\"x\" 東京=y/>");
    EXPECT_EQ(root.name, "Настройки");
    EXPECT_EQ(root.GetAttribute("Ключ_1"), "Значение");
    EXPECT_EQ(root.GetAttribute("две части"), "x");
    EXPECT_EQ(root.GetAttribute("東京"), "y");
    ExpectFormatError("<a №=\"1\"/>");
    ExpectFormatError("<a x-y=\"1\"/>");
}

TEST(XmlReader, MalformedTextIsAFormatError)
{
    for (const char* text : {
             "<a>text</a>",                 // text content
             "<Root></root>",               // end tag differs in case
             "<a><b></a></b>",              // crossed
             "<a><b>",                      // ends inside an element
             "<a b=\"1",                    // ends inside a value
             "<a b=\"1\"",                  // ends inside a tag
             "</a>",                        // end tag first
             "<a b/>", "<a b=/>", "<a / x>", "<a =\"1\"/>", "<>", "a",
         })
        ExpectFormatError(text);
}

TEST(XmlReader, UnterminatedCommentsAndEmptyTextEndQuietlyAndErrorsKeepWhatWasRead)
{
    EXPECT_TRUE(Parse("").name.empty());
    EXPECT_TRUE(Parse("  <!-- never closed <a/>").name.empty());
    EXPECT_TRUE(Parse("<?xml never closed").name.empty());
    EXPECT_EQ(Parse("<a/><!--").name, "a");

    XmlDocument document;
    EXPECT_FALSE(document.LoadText("<a x=\"1\"><b/><c>oops</c></a>"));
    EXPECT_EQ(document.root.GetAttribute("x"), "1");
    ASSERT_EQ(document.root.children.size(), 2u);
    EXPECT_EQ(document.root.children[0].name, "b");
}

TEST(XmlReader, DeepNestingStopsWithAFormatErrorNotAStackOverflow)
{
    EXPECT_EQ(Parse(Nested(1000)).name, "a");
    ExpectFormatError(Nested(1001));
    std::string unclosed;
    for (int i = 0; i < 300'000; ++i)
        unclosed += "<a>";
    ExpectFormatError(unclosed);
}

XmlNode SampleTree()
{
    XmlNode root("settings");
    XmlNode& category = root.AddChild("category");
    category.SetAttribute("name", "Ток \"фазы\" A");
    category.SetAttribute("formula", "a<b & c>d");
    category.AddChild("empty");
    root.AddChild("category").SetAttribute("odd key", "1");
    return root;
}

TEST(XmlWriters, TextLayoutAndEscapesAndTheFileInUtf16WithByteOrderMark)
{
    EXPECT_EQ(SampleTree().ToText(),
              "<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n"
              "<settings>\r\n"
              "\t<category formula=\"a&lt;b &amp; c&gt;d\" name=\"Ток &amp;quot;фазы&amp;quot; A\">\r\n"
              "\t\t<empty/>\r\n"
              "\t</category>\r\n"
              "\t<category \"odd key\"=\"1\"/>\r\n"
              "</settings>\r\n");

    const test::TempFolder folder;
    XmlNode root("r");
    root.SetAttribute("q", "\"");
    root.WriteFile(folder / "r.xml");
    EXPECT_EQ(test::FileBytes(folder / "r.xml"), "\xFF\xFE" + Utf8ToUtf16Le("<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n"
                                                "<r q=\"&quot;\"/>\r\n")) << "ampersands escaped first";
}

void ExpectSameTree(const XmlNode& read, const XmlNode& written)
{
    EXPECT_EQ(read.name, written.name);
    EXPECT_EQ(read.attributes, written.attributes);
    ASSERT_EQ(read.children.size(), written.children.size());
    for (std::size_t i = 0; i < read.children.size(); ++i)
        ExpectSameTree(read.children[i], written.children[i]);
}

TEST(XmlWriters, BothWritersReadBackUnchanged)
{
    const test::TempFolder folder;
    XmlNode tree = SampleTree();
    tree.SetAttribute("", "empty name");
    tree.SetAttribute("tricky", "\"<>&\r\n\t кириллица 𝄞");
    ExpectSameTree(Parse(tree.ToText()), tree);

    tree.WriteFile(folder / "tree.xml");
    XmlDocument document;
    document.LoadFile(folder / "tree.xml");
    ExpectSameTree(document.root, tree);

    XmlNode quoted("r");
    quoted.SetAttribute("say \"hi\"", "1");
    EXPECT_EQ(Parse(quoted.ToText()).GetAttribute("say 'hi'"), "1") << "a name with a double quote stays readable";
}

TEST(XmlFiles, FailuresAreReportedWithThePathAndTheEncodingFollowsTheByteOrderMark)
{
    const test::TempFolder folder;
    XmlDocument document;
    try {
        document.LoadFile(folder.Write("empty.xml", ""));
        FAIL() << "an empty file was read";
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), messages::kBadFileFormat);
        EXPECT_EQ(error.Parameter(), (folder / "empty.xml").string());
    }
    EXPECT_THROW(document.LoadFile(folder / "missing.xml"), FileException);
    EXPECT_THROW(document.LoadFile(folder.Write("bad.xml", std::string("\xFF\xFE<\0a\0", 6))), CZarvaException);

    document.LoadFile(folder.Write("utf16.xml", "\xFF\xFE" + Utf8ToUtf16Le("<Ф a=\"б\"/>") + "\x01"));
    EXPECT_EQ(document.root.name, "Ф");
    document.LoadFile(folder.Write("cp1251.xml", "<\xD4 a=\"\xE1\"/>"));
    EXPECT_EQ(document.root.GetAttribute("a"), "б");
    document.LoadFile(folder.Write("utf8.xml", "\xEF\xBB\xBF<\xD0\xA4/>"));
    EXPECT_EQ(document.root.name, "Ф");
}

TEST(TextFile, Utf16ConversionCarriesSurrogatesAndReplacesBrokenUnits)
{
    EXPECT_EQ(Utf16LeToUtf8(Utf8ToUtf16Le("a Ж 𝄞")), "a Ж 𝄞");
    EXPECT_EQ(Utf8ToUtf16Le("𝄞"), std::string("\x34\xD8\x1E\xDD", 4));
    EXPECT_EQ(Utf16LeToUtf8(std::string("\x34\xD8\x41\x00", 4)), "\xEF\xBF\xBD" "A");
    EXPECT_EQ(Utf8ToUtf16Le("\xFF"), std::string("\xFD\xFF", 2));
}

} // namespace
} // namespace zarva
