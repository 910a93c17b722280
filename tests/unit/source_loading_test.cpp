// Reading a source file as one text with its comments blanked out.
#include "mygetline.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core.h"

namespace {

// Runs readfile_as_oneline over a stream holding exactly `bytes`.
std::string load(const std::string& bytes) {
    FILE* f = tmpfile();
    EXPECT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    rewind(f);
    std::string text = readfile_as_oneline(f);
    fclose(f);
    return text;
}

struct Blanked {
    const char* in;
    const char* out;
};

// Each source is loaded with the comment state fresh.
const Blanked kBlanked[] = {
    {"", ""},
    {"abc", "abc"},
    // a line comment ends the line where it starts, even on a last line
    {"a = b; // c\nx;\n", "a = b; \nx;\n"},
    {"y // z", "y \n"},
    // block comments become blanks of their own length, newlines stay
    {"x /* a\nb\nc */ y\n", "x     \n \n     y\n"},
    {"/*/ x */y\n", "        y\n"},
    {"a */ b\n", "a */ b\n"},
    // comment markers inside strings are text
    {"\"a//b\" // c\n", "\"a//b\" \n"},
    {"'/*' x // y\n", "'/*' x \n"},
    {"\"'\" // c\n", "\"'\" \n"},
    // one backslash escapes a quote, two do not
    {"\"a\\\"//b\" //c\n", "\"a\\\"//b\" \n"},
    {"\"a\\\\\" // c\n", "\"a\\\\\" \n"},
    // quotes inside a comment open no string
    {"/* ' */ // x\n", "        \n"},
    // an open string goes on over the line end
    {"\"abc\n// kept\" // gone\n", "\"abc\n// kept\" \n"},
    // a backslash at the end of a line does not escape the next line's quote
    {"\"x\\\n\" // c\n", "\"x\\\n\" \n"},
    // CR LF reads like LF
    {"a\r\nb // c\r\n/* d\r\n*/e\r\n", "a\nb \n    \n  e\n"},
};

TEST(SourceLoading, BlanksCommentsAndKeepsLines) {
    for (const Blanked& c : kBlanked) {
        reset_state();
        EXPECT_EQ(load(c.in), c.out) << "source: " << c.in;
    }
}

TEST(SourceLoading, LongLineIsReadWhole) {
    reset_state();
    std::string line(10000, 'q');
    EXPECT_EQ(load(line + "\n" + line), line + "\n" + line);
}

TEST(SourceLoading, CommentStateCarriesIntoTheNextFile) {
    reset_state();
    EXPECT_EQ(load("a /* open\n"), "a        \n");
    EXPECT_EQ(load("b */ c\n"), "     c\n");
    EXPECT_EQ(load("'s\n"), "'s\n");
    EXPECT_EQ(load("// in the string' // gone\n"), "// in the string' \n");
}

TEST(SourceLoading, DelCommentWorksLineByLine) {
    reset_state();
    std::string l1 = "p; /* q\n", l2 = "r */ s; // t\n", l3 = "u\n";
    del_comment(l1);
    del_comment(l2);
    del_comment(l3);
    EXPECT_EQ(l1, "p;     \n");
    EXPECT_EQ(l2, "     s; \n");
    EXPECT_EQ(l3, "u\n");
}

}  // namespace
