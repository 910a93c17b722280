// The stores behind the symbol tables: texts in blocks, and the
// open-addressing name index over records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core.h"
#include "insert_list.h"
#include "set_logic.h"

namespace {

struct Named {
    Text name;
};

TEST(SymbolStore, TextsKeepTheirBytesAcrossBlocksAndLongTexts) {
    reset_state();
    std::vector<std::pair<Text, std::string>> kept;
    // Enough small texts to fill several blocks, one text longer than a
    // block, an empty one and one with an embedded NUL byte.
    for (int i = 0; i < 20000; ++i) {
        std::string s = "n" + std::to_string(i);
        kept.emplace_back(g.module_texts.add(s), s);
    }
    std::string big(200000, 'x');
    big[100] = 'y';
    kept.emplace_back(g.module_texts.add(big), big);
    kept.emplace_back(g.module_texts.add(""), "");
    kept.emplace_back(g.module_texts.add(std::string("a\0b", 3)), std::string("a\0b", 3));
    for (const auto& k : kept) {
        ASSERT_EQ(k.first.size(), k.second.size());
        ASSERT_EQ(k.first.view(), k.second);
        ASSERT_EQ(k.first.c_str()[k.second.size()], '\0');
    }
    // A text with room grows in place; one that is recycled lends its
    // bytes to the next text of that room, and to no other.
    Text grown = g.module_texts.add("ab", 100);
    TextStore::extend(grown, "cd");
    EXPECT_EQ(grown, "abcd");
    Text other = g.module_texts.add("keep", 100);
    g.module_texts.recycle(grown, 100);
    Text small = g.module_texts.add("zz", 50);
    Text reused = g.module_texts.add("xyz", 100);
    EXPECT_EQ(reused.data(), grown.data());
    EXPECT_NE(small.data(), grown.data());
    EXPECT_EQ(reused, "xyz");
    EXPECT_EQ(other, "keep");
    EXPECT_NE(g.module_texts.add("new", 100).data(), grown.data());
    // The long form of the length, and growth across 0xFFFF characters.
    Text longer = g.module_texts.add(std::string(0xFFFE, 'a'), 0x10010);
    TextStore::extend(longer, "bcd");
    EXPECT_EQ(longer.size(), 0x10001u);
    EXPECT_EQ(longer.view().substr(0xFFFC), "aabcd");
    for (const auto& k : kept) ASSERT_EQ(k.first.view(), k.second);
    Text t;
    EXPECT_TRUE(t.empty());
    EXPECT_STREQ(t.c_str(), "");
    t = store_text("abc", true);
    EXPECT_EQ(std::string("x") + t + "y", "xabcy");
}

TEST(SymbolStore, NameIndexFindsEveryRecordAndKeepsTheFirstOfAName) {
    // Indexed records come from a pool, which they are referenced into.
    Pool<Named> pool;
    std::vector<Named*> made;
    for (int i = 0; i < 5004; ++i) made.push_back(pool.make());
    std::vector<Named*> recs(made.begin(), made.begin() + 5000);
    std::vector<Named*> dups(made.begin() + 5000, made.end());
    NameIndex<Named> index;
    EXPECT_EQ(index.get("a"), nullptr);  // empty table
    for (size_t i = 0; i < recs.size(); ++i) {
        recs[i]->name = store_text("s" + std::to_string(i));
        index.insert(recs[i]);
        if (i == 1) {
            // A second record of a name, while the index holds its records inline.
            dups[0]->name = store_text("s0");
            index.insert(dups[0]);
            ASSERT_EQ(index.size(), 2u);
        }
        if (i < 20) {
            // Every record stays found through the move into a table.
            for (size_t k = 0; k <= i; ++k) ASSERT_EQ(index.get("s" + std::to_string(k)), recs[k]);
            ASSERT_EQ(index.get("s" + std::to_string(i + 1)), nullptr);
        }
    }
    for (size_t k = 1; k < dups.size(); ++k) {
        Named& d = *dups[k];
        d.name = store_text("s7");
        index.insert(&d);
    }
    EXPECT_EQ(index.size(), recs.size());
    for (size_t i = 0; i < recs.size(); ++i) ASSERT_EQ(index.get("s" + std::to_string(i)), recs[i]);
    EXPECT_EQ(index.get("s7"), recs[7]);
    EXPECT_EQ(index.get("s0"), recs[0]);
    EXPECT_EQ(index.get("s5000"), nullptr);
    EXPECT_EQ(index.count(""), 0u);
    index.clear();
    EXPECT_EQ(index.get("s1"), nullptr);
    EXPECT_TRUE(index.empty());
}

TEST(SymbolStore, PairTextsShareSignalNamesAndConstants) {
    reset_state();
    list* sig = append_wire_record();
    sig->name = store_text("data");
    g.wire_index.insert(sig);
    // A value naming a signal is the signal's own text.
    EXPECT_EQ(value_text("data").data(), sig->name.data());
    // A constant is stored once, whatever came in between.
    Text one = value_text("1'b1");
    EXPECT_EQ(value_text("x+y"), "x+y");
    EXPECT_EQ(value_text("1'b1").data(), one.data());
    EXPECT_EQ(condition_text("(1'b1)").data(), condition_text("(1'b1)").data());
    // Other texts hold their own bytes, and an unknown name is no signal.
    EXPECT_EQ(value_text("datb"), "datb");
    EXPECT_NE(value_text("data2").data(), sig->name.data());
    reset_state();
}

TEST(SymbolStore, StateConstantsAreFoundByTheEndOfTheirNames) {
    reset_state();
    ParamIndex params;
    params.add(store_text("_st1_s0"), 1, 0, true, false);
    params.add(store_text("_st1_s1"), 1, 1, false, true);
    params.add(store_text("_st2_s0"), 2, 0, true, false);
    params.add(store_text("_st2_s3"), 2, 3, false, true);
    // The first constant whose name ends with the token gives the width.
    EXPECT_EQ(params.find_suffix("_s0"), 1);
    EXPECT_EQ(params.find_suffix("_st2_s0"), 2);
    EXPECT_EQ(params.find_suffix("_s3"), 2);
    EXPECT_EQ(params.find_suffix("s3"), 2);  // not at a '_': found by a scan
    EXPECT_EQ(params.find_suffix("_st3_s0"), -1);
    EXPECT_EQ(params.find_suffix("_"), -1);
    EXPECT_EQ(params.find_suffix(""), -1);
    // A whole name gives its stored text, which a value naming the
    // constant shares; the end of a name is no name.
    g.param_index.add(store_text("_st1_s0"), 1, 0, true, false);
    g.param_index.add(store_text("_st1_s1"), 1, 1, false, true);
    Text stored;
    ASSERT_TRUE(g.param_index.find_name("_st1_s1", stored));
    EXPECT_EQ(stored, "_st1_s1");
    EXPECT_EQ(value_text("_st1_s1").data(), stored.data());
    EXPECT_FALSE(g.param_index.find_name("_s1", stored));
    EXPECT_FALSE(g.param_index.find_name("_st1_s2", stored));
    reset_state();
}

TEST(SymbolStore, PoolRecordsStayPutAndAreDestroyed) {
    // Records with heap-holding members over several chunks; the
    // sanitizer build reports any record that is not destroyed.
    struct Rec {
        std::string name;
        int n = 7;
    };
    Pool<Rec> pool;
    std::vector<Rec*> made;
    for (int i = 0; i < 120000; ++i) {
        Rec* r = pool.make();
        ASSERT_EQ(r->n, 7);  // constructed fresh
        r->name = std::string(40, 'a') + std::to_string(i);
        made.push_back(r);
    }
    // Records are found by their number, across blocks.
    ASSERT_EQ(pool.size(), made.size());
    for (int i = 0; i < 120000; ++i) {
        ASSERT_EQ(pool.at(i), made[i]);
        ASSERT_EQ(made[i]->name, std::string(40, 'a') + std::to_string(i));
    }
    pool.clear();
    pool.make()->name = std::string(100, 'b');
    Pool<Rec> moved;
    moved = std::move(pool);  // a reset moves fresh pools over used ones
    moved = Pool<Rec>();
}

}  // namespace
