// The INI engine: integer grammar, matching, value rules, in-place edits and exact bytes.
#include "settings/inidocument.h"

#include "settings/errors.h"
#include "testutil.h"

#include <gtest/gtest.h>

using settings::IniDocument;
using settings::ParseInteger;

namespace {

struct IntCase {
    const char* text;
    std::int32_t expected;
};

TEST(ParseInteger, Grammar) {
    const IntCase cases[] = {
        {"3", 3},
        {" 3", 3},  // leading spaces are skipped
        {"+3", 3},
        {"-3", -3},
        {"0x3", 3},
        {"0X1f", 31},
        {"$3", 3},
        {"$00000003", 3},
        {"$000000003", 3},  // leading zeros are not significant digits
        {"X3", 3},
        {"x10", 16},
        {"-$3", 0},  // no sign before hexadecimal
        {"+0x3", 0},
        {"three", 0},
        {"3;", 0},  // the text must end after the digits
        {"3 ", 0},  // trailing blanks are the reader's job, not the parser's
        {"", 0},
        {"$", 0},
        {"0x", 0},
        {"-", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 0},
        {"-2147483649", 0},
        {"00000000000000000007", 7},
        {"$FFFFFFFF", -1},
        {"$80000000", -2147483647 - 1},
        {"$100000000", 0},  // nine significant digits
        {"$12G", 0},
    };
    for (const IntCase& c : cases) {
        EXPECT_EQ(ParseInteger(c.text), c.expected) << '"' << c.text << '"';
    }
    EXPECT_EQ(ParseInteger("junk", 42), 42);
}

TEST(IniDocument, CountTextsAsReadFromTheFile) {
    // Blanks around the value are dropped before parsing, so "3 " loads three here.
    const IntCase cases[] = {{"3", 3},  {" 3", 3},        {"3 ", 3},  {"0x3", 3},
                             {"$3", 3}, {"$00000003", 3}, {"-$3", 0}, {"three", 0},
                             {"3;", 0}, {"\"3\"", 3},     {"", 0}};
    for (const IntCase& c : cases) {
        auto doc = IniDocument::Parse(std::string("[BUTTON]\ncount=") + c.text + "\n");
        EXPECT_EQ(doc.ReadInteger("BUTTON", "count"), c.expected) << '"' << c.text << '"';
    }
}

TEST(IniDocument, MatchingTrimmingAndQuotes) {
    auto doc = IniDocument::Parse(
        "[ button ]\n"
        "  Count =   2  \n"
        "[OnClick]\n"
        "BTN1=  \"/opt/a b\"  \n"
        "BTN2='/x y'\n"
        "BTN3='unbalanced\n"
        "BTN4=\"\"\n"
        "BTN5=a=b\n"
        "; BTN6=commented\n"
        "BTN7\n"
        "BTN8=first\n"
        "btn8=second\n"
        "[onclick]\n"
        "BTN9=in a duplicate section\n");
    EXPECT_EQ(doc.ReadInteger("BUTTON", "count"), 2);
    EXPECT_EQ(doc.ReadString("button", "COUNT"), "2");
    EXPECT_EQ(doc.ReadString("OnClick", "BTN1"), "/opt/a b");
    EXPECT_EQ(doc.ReadString("OnClick", "BTN2"), "/x y");
    EXPECT_EQ(doc.ReadString("OnClick", "BTN3"), "'unbalanced");
    EXPECT_EQ(doc.ReadString("OnClick", "BTN4"), "");
    EXPECT_EQ(doc.ReadString("OnClick", "BTN5"), "a=b");
    EXPECT_FALSE(doc.HasKey("OnClick", "; BTN6"));
    EXPECT_FALSE(doc.HasKey("OnClick", "BTN6"));
    EXPECT_FALSE(doc.HasKey("OnClick", "BTN7"));
    EXPECT_EQ(doc.ReadString("OnClick", "BTN8"), "first");
    EXPECT_FALSE(doc.HasKey("OnClick", "BTN9"));  // the first section of a name is the one read
    EXPECT_EQ(doc.ReadString("Missing", "BTN1"), "");
    EXPECT_EQ(doc.ReadString("OnClick", "Missing"), "");
}

TEST(IniDocument, LongValuesAreCutTo2047Bytes) {
    std::string value(3000, 'v');
    auto doc = IniDocument::Parse("[OnClick]\nBTN1=" + value + "\n");
    EXPECT_EQ(doc.ReadString("OnClick", "BTN1"), std::string(2047, 'v'));
}

TEST(IniDocument, TheFirstRunWritesGiveTheExampleFileByteForByte) {
    IniDocument doc;
    doc.WriteInteger("POSITION", "top", 120);
    doc.WriteInteger("POSITION", "left", 300);
    doc.WriteInteger("BUTTON", "count", 1);
    doc.WriteString("OnClick", "BTN1", "C:\\Tools\\edit.exe");
    doc.WriteString("Button_Name", "BTN1", "edit.exe");
    doc.WriteInteger("POSITION", "top", 120);
    doc.WriteInteger("POSITION", "left", 300);
    doc.WriteInteger("BUTTON", "count", 2);
    doc.WriteString("OnClick", "BTN2", "C:\\Data\\Photos");
    doc.WriteString("Button_Name", "BTN2", "[Photos]");
    EXPECT_EQ(doc.Serialize(), testutil::Fixture("example.ini"));
}

TEST(IniDocument, EditsKeepLineEndsCommentsBomAndPlaces) {
    const std::string before = testutil::Fixture("handmade.ini");
    auto doc = IniDocument::Parse(before);
    EXPECT_EQ(doc.Serialize(), before);  // nothing changed: the same bytes
    EXPECT_EQ(doc.ReadInteger("BUTTON", "count"), 3);
    EXPECT_EQ(doc.ReadString("OnClick", "BTN1"), "/opt/app one/run");
    EXPECT_EQ(doc.ReadString("Button_Name", "BTN2"), "x");

    doc.WriteInteger("BUTTON", "count", 4);
    doc.WriteString("OnClick", "BTN3", "/new");
    doc.WriteString("Button_Name", "BTN3", "new");
    doc.WriteInteger("POSITION", "top", 5);
    EXPECT_EQ(doc.Serialize(), testutil::Fixture("handmade-after.ini"));
}

TEST(IniDocument, NewKeysFollowTheLastNonBlankLineOfTheirSection) {
    auto doc = IniDocument::Parse("[A]\nk1=1\n; note\n\n\n[B]\nx=1");
    doc.WriteString("A", "k2", "2");
    doc.WriteString("B", "y", "2");
    EXPECT_EQ(doc.Serialize(), "[A]\nk1=1\n; note\nk2=2\n\n\n[B]\nx=1\ny=2\n");
}

TEST(IniDocument, ValuesReadBackExactly) {
    const char* values[] = {" lead", "trail ", "\"quoted\"", "'single'",  "\"",     "'", "a\"b",
                            "\t",    "x = y",  "[section]",  "; comment", "表.txt", ""};
    for (const char* v : values) {
        IniDocument doc;
        doc.WriteString("OnClick", "BTN1", v);
        auto back = IniDocument::Parse(doc.Serialize());
        EXPECT_EQ(back.ReadString("OnClick", "BTN1"), v) << '"' << v << '"';
    }
}

TEST(IniDocument, UnstorableTextsAreRefusedAndChangeNothing) {
    struct Case {
        std::string section, key, value;
    };
    const Case cases[] = {
        {"OnClick", "BTN1", "/tmp/new\nline"},
        {"OnClick", "BTN1", "/tmp/cr\rhere"},
        {"OnClick", "BTN1", std::string("/tmp/nul\0x", 10)},
        {"OnClick", "BTN1", std::string(2048, 'a')},
        {"On]Click", "BTN1", "v"},
        {"OnClick", "BT=N1", "v"},
        {"OnClick", "", "v"},
        {"", "BTN1", "v"},
    };
    for (const Case& c : cases) {
        auto doc = IniDocument::Parse("[OnClick]\nBTN1=old\n");
        EXPECT_THROW(doc.WriteString(c.section, c.key, c.value), settings::UnstorableValue);
        EXPECT_EQ(doc.Serialize(), "[OnClick]\nBTN1=old\n");
        EXPECT_FALSE(doc.Modified());
    }
}

TEST(IniDocument, HostileInputsParseAndRoundTrip) {
    std::string binary;
    for (int i = 0; i < 70000; ++i)
        binary.push_back(static_cast<char>((i * 7919) % 256));
    std::string manySections;
    for (int i = 0; i < 100000; ++i)
        manySections += "[s" + std::to_string(i) + "]\nk=v\n";
    const std::string inputs[] = {
        binary,       std::string(1 << 20, 'x'),         "[" + std::string(1 << 20, 'y'),
        manySections, std::string("[a]\0b=c\n\0\0", 11), "\r\r\n\n\r",
    };
    for (const std::string& in : inputs) {
        auto doc = IniDocument::Parse(in);
        EXPECT_EQ(doc.Serialize(), in);
        doc.WriteString("OnClick", "BTN1", "v");
        EXPECT_EQ(IniDocument::Parse(doc.Serialize()).ReadString("OnClick", "BTN1"), "v");
    }
    auto many = IniDocument::Parse(manySections);
    EXPECT_EQ(many.ReadString("s99999", "k"), "v");
}

}  // namespace
