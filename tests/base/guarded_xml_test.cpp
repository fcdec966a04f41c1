// The guard in front of TinyXML and the bounded file reads under it: the scan
// must never count fewer open elements, attributes or nodes than TinyXML
// really makes, must not refuse big flat files of ours, and every reader gets
// "not loaded" from a file that is too long, too deep or too big for TinyXML.

#include <gtest/gtest.h>
#include <tinyxml.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/GuardedXml.h"
#include "base/SmallFile.h"

namespace {

// How deep TinyXML's elements nest in what it parsed.  After an error the
// document keeps every element it had begun, so this is also how deep the
// parser's recursion went.
std::size_t ElementDepth(const TiXmlNode& node) {
  std::size_t deepest = 0;
  for (const TiXmlNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) {
    deepest = std::max(deepest, ElementDepth(*child));
  }
  return deepest + (node.ToElement() != nullptr ? 1 : 0);
}

// Every node TinyXML keeps under `node`, attributes included, and the most
// attributes one element holds.
struct NodeCount {
  std::size_t nodes = 0;
  std::size_t mostAttributes = 0;
};
void CountNodes(const TiXmlNode& node, NodeCount& count) {
  for (const TiXmlNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) {
    ++count.nodes;
    if (const TiXmlElement* element = child->ToElement()) {
      std::size_t attributes = 0;
      for (const TiXmlAttribute* a = element->FirstAttribute(); a != nullptr; a = a->Next()) ++attributes;
      count.nodes += attributes;
      count.mostAttributes = std::max(count.mostAttributes, attributes);
    }
    CountNodes(*child, count);
  }
}
NodeCount CountNodes(const TiXmlDocument& document) {
  NodeCount count;
  CountNodes(document, count);
  return count;
}

std::string Repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(GuardedXml, ScanTable) {
  // With a limit of 3: each case either stays within it or, where a naive
  // scan would be fooled, goes past it in TinyXML's reading.
  struct Case {
    const char* name;
    std::string text;
    bool safe;
  };
  const std::vector<Case> cases = {
      {"three levels", "<a><b><c/></b></a>", true},
      {"exactly the limit", "<a><b><c></c></b></a>", true},
      {"one more", "<a><b><c><d></d></c></b></a>", false},
      {"thousands of flat siblings", "<r>" + Repeated("<s id=\"1\">text</s><e />", 3000) + "</r>", true},
      {"closed and reopened", Repeated("<a><b><c></c></b></a>", 50), true},
      {"unclosed at the end", "<a><b><c>", true},
      {"'/>' inside a value does not close", "<a x='/>'><b x=\"/>\"><c x='>'><d/></c></b></a>", false},
      {"end tags inside a comment do not close", "<a><!-- </a> --><b><!-- > </b> --><c><d/></c></b></a>", false},
      {"end tags inside CDATA do not close", "<a><![CDATA[ </a> ]]><b><![CDATA[</b>]]><c><d></d></c></b></a>", false},
      {"a character reference runs to the next ';'", "<a>&#x</a>x;<b>&#</b>#;<c>&#x</c>x;<d></d></c></b></a>", false},
      {"a reference inside a value too", "<a x='&#x'>x;'><b><c><d/></c></b></a>", false},
      {"a quoted declaration value may hold '>'",
       "<a><?xml version='> </a>'?><b><?xml encoding=\"</b>>\"?><c><d></d></c></b></a>", false},
      {"an unknown declaration word is not quoted", "<?xml foo='> <a><b><c><d>'?>", false},
      {"unknown markup ends at its first '>'", "<1 '> <a><b><c><d>'>", false},
      {"a DOCTYPE ends at its first '>'", "<!DOCTYPE x '> <a><b><c><d>'>", false},
      {"an end tag at the top closes nothing", "</a></a><a><b><c><d/></c></b></a>", false},
      {"a UTF-8 lead byte before '<'", "<a>\xE2</a><a></a>", false},
      {"a lead byte at the very end", "<a></a>\xF0", false},
      {"well-formed UTF-8", "<a t=\"\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\">\xC3\xA4</a>", true},
      {"bytes TinyXML reads alone", "<a t=\"\xFF\xC0\">\x80</a>", true},
      {"byte order marks and noncharacters between tags",
       "\xEF\xBB\xBF<a>\xEF\xBB\xBF<b>\xEF\xBF\xBE<c>\xEF\xBF\xBF<d/></c></b></a>", false},
      {"references above ASCII", "<a x='&#xE5;'>&#229;<b>&#x1F600;<c>&#xFFFF;<d/></c></b></a>", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SafeForXmlParser(c.text, {.nesting = 3}), c.safe);
    // The cases above fool a naive scan only because TinyXML really goes
    // that deep; the check keeps them honest.  The program has TinyXML read
    // UTF-8; left to guess, it reads the same markup.
    for (const TiXmlEncoding encoding : {kXmlEncoding, TIXML_ENCODING_UNKNOWN}) {
      TiXmlDocument document;
      document.Parse(c.text.c_str(), nullptr, encoding);
      if (!c.safe && std::string(c.name).find("UTF-8") == std::string::npos &&
          std::string(c.name).find("lead byte") == std::string::npos) {
        EXPECT_GT(ElementDepth(document), 3u) << encoding;
      }
    }
  }
}

TEST(GuardedXml, AttributesAndNodesTable) {
  // With at most 3 attributes an element and 8 nodes: each case either stays
  // within them or, where a naive count would be fooled, goes past them in
  // TinyXML's reading.
  const XmlLimits limits{.nesting = 100, .attributesPerElement = 3, .nodes = 8};
  struct Case {
    const char* name;
    std::string text;
    bool safe;
  };
  const std::vector<Case> cases = {
      {"three attributes", "<a x='1' y='2' z='3'/>", true},
      {"four attributes", "<a x='1' y='2' z='3' w='4'/>", false},
      {"'=' inside values counts nothing", "<a x='=' y=\"==\" z='a=b'/>", true},
      {"unquoted values", "<a x=1 y=2 z=3 w=4/>", false},
      {"attributes of many elements add up", "<r a='1' b='2'><s c='3' d='4'/><t e='5' f='6'/></r>", false},
      {"eight elements", Repeated("<s/>", 8), true},
      {"nine elements", Repeated("<s/>", 9), false},
      {"texts between elements", "<r>1<s/>2<s/>3<s/>4<s/>", false},
      {"comments, CDATA and unknown markup", "<r><!--1--><![CDATA[2]]><!x><!--3--><![CDATA[4]]><!y><!--5--><s/>",
       false},
      {"end tags at the top are kept", "</a></a></a></a></a></a></a><r/><r/>", false},
      {"a reference hides a '<' of the text", "<r>&#x<s/><s/><s/><s/><s/><s/><s/><s/>;</r>", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SafeForXmlParser(c.text, limits), c.safe);
    TiXmlDocument document;
    document.Parse(c.text.c_str(), nullptr, kXmlEncoding);
    const NodeCount made = CountNodes(document);
    if (c.safe) {
      EXPECT_LE(made.mostAttributes, 3u);
      EXPECT_LE(made.nodes, 8u);
    } else {
      EXPECT_TRUE(made.mostAttributes > 3 || made.nodes > 8) << made.mostAttributes << " " << made.nodes;
    }
  }
}

TEST(GuardedXml, NoTextTheScanPassesGoesPastALimitInTinyXml) {
  // Random texts from the pieces that change how TinyXML reads what
  // follows: whenever the scan lets a text through, TinyXML must stay within
  // the limits.  The counts make sure both verdicts really occur.
  const std::vector<std::string> pieces = {"<a>",
                                           "<a>",
                                           "<b>",
                                           "<b>",
                                           "</a>",
                                           "</b>",
                                           "<a/>",
                                           "<a x='1'>",
                                           "<b x='1' y=2 z='3'>",
                                           "<a x='1' y='2' z='3' w='4'/>",
                                           " v='=' w=",
                                           "'",
                                           "\"",
                                           ">",
                                           "/>",
                                           "/",
                                           "<!--",
                                           "-->",
                                           "<![CDATA[",
                                           "]]>",
                                           "<!",
                                           "<?xml ",
                                           "<?XML version=",
                                           "version=",
                                           "encoding='",
                                           "&#x",
                                           "&#",
                                           ";",
                                           "x",
                                           "#",
                                           "&amp;",
                                           " ",
                                           "=",
                                           "<1",
                                           "< ",
                                           "\xC3\xA4",
                                           "text",
                                           "&#xE5;",
                                           "&#229;",
                                           "\xEF\xBB\xBF",
                                           "\xEF\xBF\xBF",
                                           "\xE2"};
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(1, 60);
  int passed = 0;
  int refused = 0;
  const XmlLimits limits{.nesting = 3, .attributesPerElement = 3, .nodes = 40};
  for (int round = 0; round < 50000; ++round) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
    if (!SafeForXmlParser(text, limits)) {
      ++refused;
      continue;
    }
    ++passed;
    for (const TiXmlEncoding encoding : {kXmlEncoding, TIXML_ENCODING_UNKNOWN}) {
      TiXmlDocument document;
      document.Parse(text.c_str(), nullptr, encoding);
      ASSERT_LE(ElementDepth(document), 3u) << encoding << ' ' << text;
      const NodeCount made = CountNodes(document);
      ASSERT_LE(made.mostAttributes, 3u) << encoding << ' ' << text;
      ASSERT_LE(made.nodes, 40u) << encoding << ' ' << text;
    }
  }
  RecordProperty("passed", passed);
  RecordProperty("refused", refused);
  EXPECT_GT(passed, 5000);
  EXPECT_GT(refused, 5000);
}

TEST(GuardedXml, CharacterReferencesAboveAsciiGiveUtf8) {
  // The same letter as a hexadecimal and a decimal reference and as raw
  // UTF-8, in text and in a value, in a document without a declaration as
  // our resource file is, and with a UTF-8 declaration or byte order mark.
  const std::string body =
      "<resources><lang value=\"sv\"><Strings>"
      "<s id=\"1\" t=\"&#xE5;\">&#xE5;</s><s id=\"2\" t=\"&#229;\">&#229;</s>"
      "<s id=\"3\" t=\"\xC3\xA5\">\xC3\xA5</s><s id=\"4\">&#x20AC;&#x1F600;&#65;</s>"
      "</Strings></lang></resources>";
  for (const std::string& start :
       {std::string(), std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), std::string("\xEF\xBB\xBF")}) {
    SCOPED_TRACE(start);
    TiXmlDocument document;
    ASSERT_TRUE(ParseGuardedXml(start + body, document)) << document.ErrorDesc();
    const TiXmlElement* strings = TiXmlHandle(&document)
                                      .FirstChildElement("resources")
                                      .FirstChildElement("lang")
                                      .FirstChildElement("Strings")
                                      .ToElement();
    ASSERT_NE(strings, nullptr);
    std::vector<std::string> texts;
    std::vector<std::string> values;
    for (const TiXmlElement* s = strings->FirstChildElement("s"); s != nullptr; s = s->NextSiblingElement("s")) {
      texts.push_back(s->GetText() != nullptr ? s->GetText() : "");
      values.push_back(s->Attribute("t") != nullptr ? s->Attribute("t") : "");
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"\xC3\xA5", "\xC3\xA5", "\xC3\xA5",
                                               "\xE2\x82\xAC\xF0\x9F\x98\x80"
                                               "A"}));
    EXPECT_EQ(values, (std::vector<std::string>{"\xC3\xA5", "\xC3\xA5", "\xC3\xA5", ""}));
  }
}

class GuardedXmlFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-guarded-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  std::filesystem::path folder;
};

TEST_F(GuardedXmlFile, TooLongOrTooDeepIsNotLoaded) {
  TiXmlDocument document;
  document.Parse("<kept/>");

  // Missing and too long: the document stays as it was.
  EXPECT_FALSE(LoadGuardedXml((folder / "missing.xml").string(), 100, document));
  EXPECT_FALSE(LoadGuardedXml(Write("long.xml", "<a>" + std::string(100, ' ') + "</a>"), 100, document));
  ASSERT_NE(document.RootElement(), nullptr);
  EXPECT_EQ(document.RootElement()->ValueStr(), "kept");

  // 100000 levels would run TinyXML out of stack; the file fits the size cap.
  const std::string deep = Write("deep.xml", Repeated("<a>", 100000));
  EXPECT_FALSE(LoadGuardedXml(deep, 1024 * 1024, document));
  EXPECT_TRUE(document.Error());
  EXPECT_EQ(document.FirstChild(), nullptr);

  // Up to a logo's 1 MB cap: one element with 30,000 attributes, which
  // TinyXML reads in seconds, and a megabyte of empty elements, which it
  // keeps in some 60 MB.
  std::string attributes = "<svg";
  for (int k = 0; k < 30000; ++k) attributes += " a" + std::to_string(k) + "='1'";
  for (const std::string& big : {attributes + "/>", "<svg>" + Repeated("<g/>", 250000) + "</svg>"}) {
    ASSERT_LE(big.size(), 1024u * 1024u);
    EXPECT_FALSE(LoadGuardedXml(Write("big.xml", big), 1024 * 1024, document));
    EXPECT_TRUE(document.Error());
    EXPECT_EQ(document.FirstChild(), nullptr);
  }

  // A good file replaces the content and clears the error.
  EXPECT_TRUE(LoadGuardedXml(Write("good.xml", "<r><s/></r>"), 100, document));
  EXPECT_FALSE(document.Error());
  EXPECT_EQ(document.RootElement()->ValueStr(), "r");
  EXPECT_EQ(document.RootElement()->NextSiblingElement(), nullptr);
}

TEST_F(GuardedXmlFile, ReadsStopAtTheirLimit) {
  const std::string path = Write("ten.bin", std::string("0123456789"));
  EXPECT_EQ(ReadSmallFile(path, 10), "0123456789");
  EXPECT_EQ(ReadSmallFile(path, 9), std::nullopt);
  EXPECT_EQ(ReadFileStart(path, 4), "0123");
  EXPECT_EQ(ReadFileStart(path, 50), "0123456789");
  EXPECT_EQ(ReadSmallFile((folder / "missing").string(), 10), std::nullopt);
  EXPECT_EQ(ReadFileStart((folder / "missing").string(), 10), std::nullopt);
  // A device is not read at all.
  EXPECT_EQ(ReadSmallFile("/dev/zero", 1000), std::nullopt);
  EXPECT_EQ(ReadFileStart("/dev/zero", 3), std::nullopt);
}

}  // namespace
