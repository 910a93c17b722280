// Reading a source file as one text with its comments blanked out.
#include "mygetline.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

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

namespace {

// The pieces a SourceReader makes of `bytes` with pieces of at least
// `piece_bytes`, and the comment state it publishes at the end.
std::vector<std::string> pieces(const std::string& bytes, size_t piece_bytes, int* end_state = nullptr) {
    reset_state();
    FILE* f = tmpfile();
    EXPECT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    rewind(f);
    std::vector<std::string> out;
    StatementEnds ends;
    SourceReader reader(f, piece_bytes, ends, g.comment);
    std::string piece;
    if (end_state) {
        // Published before the file is read: the state at its very end.
        reader.publish_end_state(g.comment);
        *end_state = g.comment.cm;
        g.comment.cm = 0;
    }
    while (reader.next(piece)) out.push_back(piece);
    fclose(f);
    return out;
}

TEST(SourceReader, PiecesEndOnlyBetweenStatements) {
    const std::string src =
        "module m {\n"
        " stage_name s { task t();\n"  // a stage_name body is read by one call
        " task_fast u(); }\n"
        " x = (a;\n"  // open parenthesis
        " b);\n"
        "%d N 8\n"  // a directive keeps its newline
        " y = 1; z = 2;\n"
        " /* a ; */ w = 3; // ;\n"
        " v = a}\n"  // a '}' inside a statement that goes on
        " ;\n"
        " par {\n"
        " }\n"  // a '}' that closes a block
        "}\n";
    std::vector<std::string> want = {
        "module m {\n stage_name s { task t();\n task_fast u(); }",
        "\n x = (a;\n b);",
        "\n%d N 8\n y = 1; z = 2;",
        "\n           w = 3; ",
        "\n v = a}\n ;",
        "\n par {\n }",
        "\n}",
        "\n",
    };
    EXPECT_EQ(pieces(src, 0), want);
    // Pieces are joined back into the whole text, whatever their size.
    std::string whole;
    for (const std::string& p : want) whole += p;
    for (size_t size : {size_t(0), size_t(20), size_t(40), size_t(1) << 20}) {
        std::string joined;
        for (const std::string& p : pieces(src, size)) joined += p;
        EXPECT_EQ(joined, whole) << "piece size " << size;
    }
    EXPECT_EQ(pieces(src, 1 << 20), std::vector<std::string>{whole});
    EXPECT_TRUE(pieces("", 0).empty());
}

TEST(SourceReader, PublishesTheCommentStateAtTheEndOfTheFile) {
    int end_state = -1;
    pieces("a;\n/* open\n", 0, &end_state);
    EXPECT_EQ(end_state, 1);
    pieces("a; /* x */\nb;\n", 0, &end_state);
    EXPECT_EQ(end_state, 0);
    // Publishing reads ahead without losing the place of the next piece.
    EXPECT_EQ(pieces("a;\nb;\n", 0, &end_state), (std::vector<std::string>{"a;", "\nb;", "\n"}));
}

}  // namespace
