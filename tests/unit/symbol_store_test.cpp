// The stores behind the symbol tables: texts in blocks, and the
// open-addressing name index over records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core.h"

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
    Text t;
    EXPECT_TRUE(t.empty());
    EXPECT_STREQ(t.c_str(), "");
    t.assign("abc", true);
    EXPECT_EQ(std::string("x") + t + "y", "xabcy");
}

TEST(SymbolStore, NameIndexFindsEveryRecordAndKeepsTheFirstOfAName) {
    std::vector<Named> recs(5000);
    std::vector<Named> dups(3);
    NameIndex<Named> index;
    EXPECT_EQ(index.get("a"), nullptr);  // empty table
    for (size_t i = 0; i < recs.size(); ++i) {
        recs[i].name.assign("s" + std::to_string(i));
        index.insert(&recs[i]);
    }
    for (Named& d : dups) {
        d.name.assign("s7");
        index.insert(&d);
    }
    EXPECT_EQ(index.size(), recs.size());
    for (size_t i = 0; i < recs.size(); ++i) ASSERT_EQ(index.get("s" + std::to_string(i)), &recs[i]);
    EXPECT_EQ(index.get("s7"), &recs[7]);
    EXPECT_EQ(index.get("s5000"), nullptr);
    EXPECT_EQ(index.count(""), 0u);
    index.clear();
    EXPECT_EQ(index.get("s1"), nullptr);
    EXPECT_TRUE(index.empty());
}

TEST(SymbolStore, PoolRecordsStayPutAndAreDestroyed) {
    // Records with heap-holding members over several growing blocks; the
    // sanitizer build reports any record that is not destroyed.
    struct Rec {
        std::string name;
        int n = 7;
    };
    Pool<Rec, 64> pool;
    std::vector<Rec*> made;
    for (int i = 0; i < 3000; ++i) {
        Rec* r = pool.make();
        ASSERT_EQ(r->n, 7);  // constructed fresh
        r->name = std::string(40, 'a') + std::to_string(i);
        made.push_back(r);
    }
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(made[i]->name, std::string(40, 'a') + std::to_string(i));
    pool.clear();
    pool.make()->name = std::string(100, 'b');
    Pool<Rec, 64> moved;
    moved = std::move(pool);  // a reset moves fresh pools over used ones
    moved = Pool<Rec, 64>();
}

}  // namespace
