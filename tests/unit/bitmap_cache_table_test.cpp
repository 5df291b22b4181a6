#include "controls/bitmap_cache_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// A fake resource module: names it holds load to distinct handles; every load and report is
// recorded in order.
struct FakeModule {
    std::map<std::string, int> resources;
    std::vector<std::string> loads;
    std::vector<std::string> reports;
    int nextHandle = 1;

    static bitmap_cache::Handle Load(void* ctx, const char* name) {
        auto* m = static_cast<FakeModule*>(ctx);
        m->loads.push_back(name);
        auto it = m->resources.find(name);
        if (it == m->resources.end()) return nullptr;
        return reinterpret_cast<bitmap_cache::Handle>(static_cast<std::uintptr_t>(0x1000 + m->nextHandle++));
    }
    static void Report(void* ctx, const char* name) {
        static_cast<FakeModule*>(ctx)->reports.push_back(name);
    }
    bitmap_cache::Ops ops() { return {Load, Report, this}; }
};

class BitmapCacheTable : public ::testing::Test {
protected:
    bitmap_cache::Table table{};
    FakeModule module;
    bitmap_cache::Handle Get(const char* name) { return bitmap_cache::Lookup(table, name, module.ops()); }
};

TEST_F(BitmapCacheTable, SameNameLoadsOnceAndSharesTheHandleCaseSensitively) {
    module.resources = {{"24_on", 1}, {"24_ON", 1}};
    bitmap_cache::Handle a = Get("24_on");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(Get("24_on"), a);
    EXPECT_EQ(module.loads, std::vector<std::string>({"24_on"}));
    // Upper case is another name: a second entry and a second load.
    bitmap_cache::Handle b = Get("24_ON");
    EXPECT_NE(b, nullptr);
    EXPECT_NE(b, a);
    EXPECT_EQ(module.loads.size(), 2u);
    EXPECT_STREQ(table.entries[0].name, "24_on");
    EXPECT_STREQ(table.entries[1].name, "24_ON");
    EXPECT_TRUE(module.reports.empty());
}

TEST_F(BitmapCacheTable, FailedLoadIsReportedOnceUntilAnotherNameTakesItsEntryOver) {
    module.resources = {{"smptebak", 1}, {"start_on", 1}};
    ASSERT_NE(Get("smptebak"), nullptr);
    EXPECT_EQ(Get("missing"), nullptr);
    EXPECT_EQ(module.reports, std::vector<std::string>({"missing"}));
    EXPECT_STREQ(table.entries[1].name, "missing");
    // Asked again at once: null, no load, no report.
    EXPECT_EQ(Get("missing"), nullptr);
    EXPECT_EQ(module.loads.size(), 2u);
    EXPECT_EQ(module.reports.size(), 1u);
    // Another new name takes the failed entry over ...
    ASSERT_NE(Get("start_on"), nullptr);
    EXPECT_STREQ(table.entries[1].name, "start_on");
    // ... so the failed name loads (and is reported) again.
    EXPECT_EQ(Get("missing"), nullptr);
    EXPECT_EQ(module.reports, std::vector<std::string>({"missing", "missing"}));
    EXPECT_STREQ(table.entries[2].name, "missing");
}

TEST_F(BitmapCacheTable, EmptyNameMatchesAnUnusedEntryWithoutLoading) {
    EXPECT_EQ(Get(""), nullptr);
    EXPECT_TRUE(module.loads.empty());
    EXPECT_TRUE(module.reports.empty());
}

TEST_F(BitmapCacheTable, OverlongNameIsRefusedWithoutLoadingOrOverrun) {
    const std::string fits(31, 'a');
    const std::string tooLong(32, 'b');
    module.resources = {{fits, 1}, {tooLong, 1}};
    EXPECT_NE(Get(fits.c_str()), nullptr);
    EXPECT_STREQ(table.entries[0].name, fits.c_str());
    EXPECT_EQ(Get(tooLong.c_str()), nullptr);
    EXPECT_EQ(module.loads, std::vector<std::string>({fits}));
    EXPECT_EQ(module.reports, std::vector<std::string>({tooLong}));
    EXPECT_EQ(table.entries[1].name[0], '\0');
    // A 32-character name that shares the first 31 with a cached one is not confused with it.
    EXPECT_EQ(Get((fits + "a").c_str()), nullptr);
}

TEST_F(BitmapCacheTable, FullTableRefusesNewNamesButStillAnswersCachedOnes) {
    std::vector<std::string> names;
    for (int i = 0; i < bitmap_cache::kEntryCount; ++i) {
        names.push_back("bmp" + std::to_string(i));
        module.resources[names.back()] = 1;
    }
    for (const std::string& n : names) ASSERT_NE(Get(n.c_str()), nullptr);
    EXPECT_EQ(bitmap_cache::CountLoaded(table), bitmap_cache::kEntryCount);
    module.resources["one_more"] = 1;
    const std::size_t loads = module.loads.size();
    EXPECT_EQ(Get("one_more"), nullptr);
    EXPECT_EQ(module.loads.size(), loads);
    EXPECT_EQ(module.reports, std::vector<std::string>({"one_more"}));
    EXPECT_NE(Get("bmp255"), nullptr);
}

TEST_F(BitmapCacheTable, ClearReleasesEveryEntryInOrderAndEmptiesTheTable) {
    module.resources = {{"a", 1}, {"b", 1}};
    bitmap_cache::Handle a = Get("a");
    Get("missing");
    bitmap_cache::Handle b = Get("b");  // takes over the failed entry
    std::vector<bitmap_cache::Handle> released;
    bitmap_cache::Clear(table, [](void* ctx, bitmap_cache::Handle h) {
        static_cast<std::vector<bitmap_cache::Handle>*>(ctx)->push_back(h);
    }, &released);
    ASSERT_EQ(released.size(), static_cast<std::size_t>(bitmap_cache::kEntryCount));
    EXPECT_EQ(released[0], a);
    EXPECT_EQ(released[1], b);
    EXPECT_EQ(released[2], nullptr);  // null entries are released too
    EXPECT_EQ(bitmap_cache::CountLoaded(table), 0);
    for (const auto& e : table.entries) EXPECT_EQ(e.name[0], '\0');
    // After clearing, a name loads anew.
    EXPECT_NE(Get("a"), nullptr);
    EXPECT_EQ(module.loads.back(), "a");
}

TEST(BitmapCacheIds, IntegerIdentifiersUseTheResourceCompilersSpelling) {
    char name[bitmap_cache::kNameBytes];
    bitmap_cache::IdToName(0x81, name);
    EXPECT_STREQ(name, "#129");
    bitmap_cache::IdToName(65535, name);
    EXPECT_STREQ(name, "#65535");
    // and back: only "#" with decimal digits up to 65535 is an identifier
    const struct { const char* name; bool isId; unsigned id; } cases[] = {
        {"#129", true, 129}, {"#0", true, 0}, {"#65535", true, 65535}, {"#00042", true, 42},
        {"#65536", false, 0}, {"#70000", false, 0}, {"#4294967425", false, 0}, {"#abc", false, 0},
        {"#12a", false, 0}, {"#", false, 0}, {"#-1", false, 0}, {"129", false, 0}, {"", false, 0}};
    for (const auto& c : cases) {
        unsigned id = 0;
        EXPECT_EQ(bitmap_cache::ParseIntegerId(c.name, &id), c.isId) << c.name;
        if (c.isId) {
            EXPECT_EQ(id, c.id) << c.name;
        }
    }
}

}  // namespace

// The report may run a nested message loop (the "NotFound" box) in which another window asks
// for a name not yet cached: that request takes the failed entry over, and nothing it loaded
// is overwritten or lost when the outer request goes on.
TEST(BitmapCacheNested, RequestDuringTheReportKeepsItsOwnEntry) {
    struct Nested {
        bitmap_cache::Table table{};
        FakeModule module;
        bitmap_cache::Handle inner = nullptr;
        static void Report(void* ctx, const char* name) {
            auto* n = static_cast<Nested*>(ctx);
            n->module.reports.push_back(name);
            if (n->inner == nullptr)
                n->inner = bitmap_cache::Lookup(n->table, "start_on", {Load, Report, n});
        }
        static bitmap_cache::Handle Load(void* ctx, const char* name) {
            return FakeModule::Load(&static_cast<Nested*>(ctx)->module, name);
        }
    } n;
    n.module.resources = {{"start_on", 1}};
    EXPECT_EQ(bitmap_cache::Lookup(n.table, "missing", {Nested::Load, Nested::Report, &n}), nullptr);
    ASSERT_NE(n.inner, nullptr);
    EXPECT_STREQ(n.table.entries[0].name, "start_on");
    EXPECT_EQ(n.table.entries[0].bitmap, n.inner);
    EXPECT_EQ(bitmap_cache::CountLoaded(n.table), 1);
    EXPECT_EQ(n.module.reports, std::vector<std::string>({"missing"}));
}
