// Declaration lists: records entered into wire_list and declare ports,
// widths, duplicate names and the lines and nets of submodule instances.
#include "insert_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core.h"
#include "error.h"
#include "processes.h"

namespace {

const char kOutput[] = "/nonexistent-sflc-test-dir/t.v";

class InsertList : public ::testing::Test {
protected:
    void SetUp() override {
        reset_state();
        g.read_filename = "t.sfl";
        g.write_filename = kOutput;
        g.count = 1;
        g.count_ok = 1;  // line counting is live, as in the main source
    }

    // Enters one declaration into a fresh wire_list record; returns the
    // offset in `text` at which the reader stopped.
    size_t enter(std::string& text, int type, char mark = 'x') {
        char* end = insert_list(&text[0], append_wire_record(), type, mark);
        return static_cast<size_t>(end - text.data());
    }

    // Runs a declaration that must end the run; returns its stderr.
    std::string fails(const std::string& decl, int type) {
        std::string text = decl;
        testing::internal::CaptureStderr();
        int status = -1;
        try {
            enter(text, type);
        } catch (const FatalExit& e) {
            status = e.status;
        }
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, 1) << decl;
        return err;
    }

    // Reads a declare block header and its port declarations.
    void declare_block(std::string header, std::vector<std::string> ports) {
        process_declare(&header[0]);
        for (std::string& p : ports) process_wire(&p[0]);
        g.declare_flag = 0;
    }

    static std::string syntax_error_text() {
        return "t.sfl: 1: syntax error\n";
    }
};

// The connection lines of all instances made so far.
std::string instance_lines() {
    std::string text;
    for (const instance* in = g.instance_list; in; in = in->next) text += instance_line(in);
    return text;
}

struct Rec {
    std::string name;
    int width, type;
    char mark;
};

std::vector<Rec> records(const list* l) {
    std::vector<Rec> out;
    for (; l; l = l->next) out.push_back({l->name.str(), l->width, l->type, l->mark});
    return out;
}

bool operator==(const Rec& a, const Rec& b) {
    return a.name == b.name && a.width == b.width && a.type == b.type && a.mark == b.mark;
}

std::ostream& operator<<(std::ostream& os, const Rec& r) {
    return os << r.name << "<" << r.width << "> type " << r.type << " mark " << r.mark;
}

TEST_F(InsertList, ChainsOneRecordPerNameInOrder) {
    std::string text = "input a, b<8>, c; rest";
    EXPECT_EQ(enter(text, T_INPUT), text.find(" rest"));
    EXPECT_EQ(records(g.wire_list),
              (std::vector<Rec>{{"a", 1, 10, 'x'}, {"b", 8, 10, 'x'}, {"c", 1, 10, 'x'}}));
    std::string more = "instrout go<2>;";
    enter(more, T_INSTROUT, '0');
    EXPECT_EQ(records(g.wire_list).back(), (Rec{"go", 2, 18, '0'}));
    EXPECT_EQ(g.total_alloc_size, 4 * SIZE_LIST);
}

TEST_F(InsertList, WidthMayHoldBlanksAndNewlinesAndEdgeFollowsClockAspect) {
    std::string text = "reg r < 4\n > , s\n;";
    g.clock_aspect = 1;
    EXPECT_EQ(enter(text, T_REG_WR), text.size());
    EXPECT_EQ(g.count, 3);
    EXPECT_EQ(records(g.wire_list), (std::vector<Rec>{{"r", 4, 15, 'x'}, {"s", 1, 15, 'x'}}));
    EXPECT_EQ(g.wire_list->edge, 1);
    EXPECT_EQ(g.wire_list->next->edge, 1);
}

TEST_F(InsertList, MalformedDeclarationsAreSyntaxErrors) {
    for (const char* bad : {"input a<0>;", "input a<-2>;", "input a<+2>;", "input a<<2>;", "input a<2;",
                            "input a<2> b;", "input a b;", "input ;", "input a,;", "input 9a;"}) {
        SetUp();
        EXPECT_EQ(fails(bad, T_INPUT), syntax_error_text()) << bad;
    }
}

TEST_F(InsertList, DuplicateNameIsReportedWithoutRemovingOutput) {
    std::string first = "input a;";
    enter(first, T_INPUT);
    EXPECT_EQ(fails("sel b, a;", T_SEL), "t.sfl: 1: name duplication\n");
}

TEST_F(InsertList, CombinationalModuleRefusesOnlyRegisters) {
    g.combinational = 1;
    std::string ok = "sel s;";
    enter(ok, T_SEL);
    EXPECT_EQ(records(g.wire_list), (std::vector<Rec>{{"s", 1, 13, 'x'}}));
    for (int type : {T_REG, T_REG_WR, T_REG_WS}) EXPECT_EQ(fails("reg r;", type), syntax_error_text());
}

TEST_F(InsertList, DeclarePortsAreCheckedApartFromTheModule) {
    declare_block("declare sub {", {"input a<4>;", "instrin go;"});
    ASSERT_NE(g.declare_list, nullptr);
    EXPECT_EQ(g.declare_list->name, "sub");
    EXPECT_EQ(records(g.declare_list->port), (std::vector<Rec>{{"a", 4, 10, 'x'}, {"go", 1, 17, '0'}}));
    EXPECT_EQ(g.wire_list, nullptr);
    std::string same = "input a;";
    enter(same, T_INPUT);  // a module signal may share a port's name
    g.declare_flag = 1;
    std::string again = "output go;";
    testing::internal::CaptureStderr();
    EXPECT_THROW(process_wire(&again[0]), FatalExit);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "t.sfl: 1: name duplication\n");
}

TEST_F(InsertList, PortInDeclareWithoutDeclareRecordEndsTheRun) {
    g.declare_flag = 1;
    std::string text = "input a;";
    testing::internal::CaptureStderr();
    int status = -1;
    try {
        insert_list(&text[0], new_list(), T_INPUT, 'x');
    } catch (const FatalExit& e) {
        status = e.status;
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "declare is NULL! ... arienai\n");
    EXPECT_EQ(status, 1);
}

TEST_F(InsertList, InstanceStatementWritesLinesAndEntersPortNets) {
    declare_block("declare sub {", {"input d<8>;", "instrin go;", "instrout done;"});
    long long before = g.total_alloc_size;
    std::string text = "sub u1, u2;\nnext";
    EXPECT_EQ(enter(text, T_INSTANCE, '0'), text.find("\nnext"));
    EXPECT_EQ(instance_lines(),
              "   sub u1(.m_clock(m_clock), .p_reset(p_reset), .d(_u1_d), .go(_u1_go), .done(_u1_done));\n"
              "   sub u2(.m_clock(m_clock), .p_reset(p_reset), .d(_u2_d), .go(_u2_go), .done(_u2_done));\n");
    EXPECT_EQ(records(g.wire_list),
              (std::vector<Rec>{{"_u1_d", 8, 13, 'x'},
                                {"_u1_go", 1, 19, '0'},
                                {"_u1_done", 1, 19, 'x'},
                                {"_u2_d", 8, 13, 'x'},
                                {"_u2_go", 1, 19, '0'},
                                {"_u2_done", 1, 19, 'x'}}));
    // the statement's record, then one per port of each instance (the last
    // one spare and unlinked)
    EXPECT_EQ(g.total_alloc_size - before, (1 + 2 * 3) * SIZE_LIST);
    EXPECT_EQ(g.module_name, "sub");
}

TEST_F(InsertList, InterfaceInstanceHasNoClockAndReset) {
    declare_block("declare bus interface {", {"bidirect x<2>;"});
    std::string text = "bus b0;";
    enter(text, T_INSTANCE, '0');
    EXPECT_EQ(instance_lines(), "   bus b0(.x(_b0_x));\n");
    EXPECT_EQ(records(g.wire_list), (std::vector<Rec>{{"_b0_x", 2, 13, 'x'}}));
}

TEST_F(InsertList, InstanceErrors) {
    declare_block("declare sub {", {"input a;"});
    EXPECT_EQ(fails("sub u1<2>;", T_INSTANCE), syntax_error_text());
    SetUp();
    declare_block("declare sub {", {"input a;"});
    EXPECT_EQ(fails("sub u1, u1;", T_INSTANCE), "t.sfl: 1: name duplication\n");
}

}  // namespace
