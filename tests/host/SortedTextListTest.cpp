#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "FakeLocale.h"
#include "core/utils/SortedTextList.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;

// Passes everything to the fake locale, counting the calls that would cost a platform trip.
class CountingLocale final : public ILocale {
  public:
    int CompareText(const std::string& a, const std::string& b) override {
        ++compareCalls;
        return inner.CompareText(a, b);
    }
    std::string SortKey(const std::string& text) override {
        ++sortKeyCalls;
        return inner.SortKey(text);
    }
    std::string Lower(const std::string& t) override { return inner.Lower(t); }
    std::string Upper(const std::string& t) override { return inner.Upper(t); }
    std::string FormatDateTime(const DateTime& v) override { return inner.FormatDateTime(v); }
    std::optional<DateTime> ParseDateTime(const std::string& t) override {
        return inner.ParseDateTime(t);
    }
    std::optional<DateTime> FromFileTime(std::uint64_t t) override { return inner.FromFileTime(t); }

    FakeLocale inner;
    int compareCalls = 0;
    int sortKeyCalls = 0;
};

class SortedTextListTest : public ::testing::Test {
  protected:
    FakeLocale locale;
    SortedTextList list{locale};
};

TEST_F(SortedTextListTest, OrdersWithoutRegardToCase) {
    list.Add("banana");
    list.Add("Apple");
    list.Add("cherry");
    list.Add("apricot");
    EXPECT_THAT(list.Items(), ElementsAre("Apple", "apricot", "banana", "cherry"));
}

TEST_F(SortedTextListTest, KeepsTheFirstOfEntriesThatDifferOnlyInCase) {
    list.Add("C:\\Temp");
    list.Add("c:\\TEMP");
    list.Add("C:\\temp");
    EXPECT_THAT(list.Items(), ElementsAre("C:\\Temp"));
    EXPECT_EQ(list.Count(), 1U);
}

TEST_F(SortedTextListTest, AddsAfterAReadMergeIntoOrderAndLoseToEarlierEqualEntries) {
    list.Add("delta");
    list.Add("Bravo");
    EXPECT_EQ(list.Count(), 2U);

    list.Add("charlie");
    list.Add("BRAVO");
    list.Add("alpha");
    list.Add("Charlie");
    EXPECT_THAT(list.Items(), ElementsAre("alpha", "Bravo", "charlie", "delta"));

    list.Add("echo");
    list.Add("ALPHA");
    EXPECT_THAT(list.Items(), ElementsAre("alpha", "Bravo", "charlie", "delta", "echo"));
}

TEST_F(SortedTextListTest, FindsEntriesWithoutRegardToCase) {
    list.Add("zulu");
    list.Add("Mike");
    list.Add("alpha");

    EXPECT_EQ(list.IndexOf("ALPHA"), 0U);
    EXPECT_EQ(list.IndexOf("mike"), 1U);
    EXPECT_EQ(list.IndexOf("Zulu"), 2U);
    EXPECT_EQ(list.IndexOf("mik"), std::nullopt);
    EXPECT_EQ(list.IndexOf("zzz"), std::nullopt);
    EXPECT_TRUE(list.Contains("MIKE"));
    EXPECT_FALSE(list.Contains(""));
}

TEST_F(SortedTextListTest, RemovesByPositionAndRefusesPositionsPastTheEnd) {
    list.Add("b");
    list.Add("a");
    list.Add("c");

    list.RemoveAt(1);
    EXPECT_THAT(list.Items(), ElementsAre("a", "c"));
    EXPECT_EQ(list.IndexOf("c"), 1U);

    EXPECT_THROW(list.RemoveAt(2), std::out_of_range);
    EXPECT_THROW((void)list[2], std::out_of_range);
    EXPECT_THAT(list.Items(), ElementsAre("a", "c"));

    list.Add("B");
    EXPECT_THAT(list.Items(), ElementsAre("a", "B", "c"));
}

TEST_F(SortedTextListTest, ClearEmptiesTheList) {
    list.Add("x");
    list.Clear();
    EXPECT_TRUE(list.Empty());
    list.Add("X");
    EXPECT_THAT(list.Items(), ElementsAre("X"));
}

TEST(SortedTextListKeys, TakesOneSortKeyPerEntryAndNoPlatformComparison) {
    CountingLocale locale;
    SortedTextList list(locale);
    for (int i = 0; i < 200; ++i) list.Add("entry" + std::to_string(i % 150));
    EXPECT_EQ(list.Count(), 150U);
    list.Add("extra");
    EXPECT_EQ(list.Count(), 151U);
    EXPECT_EQ(list[0], "entry0");

    EXPECT_EQ(locale.sortKeyCalls, 201);
    EXPECT_EQ(locale.compareCalls, 0);
}

TEST(SortedTextListScale, SortsAMillionEntriesWithDuplicates) {
    FakeLocale locale;
    SortedTextList list(locale);
    constexpr int kDistinct = 500'000;
    // The second half repeats the first in capitals; those repeats must all drop out.
    for (std::int64_t i = 0; i < 2 * kDistinct; ++i) {
        const std::int64_t n = (i * 7919) % kDistinct;  // coprime to kDistinct: a permutation
        list.Add((i < kDistinct ? "Dir" : "DIR") + std::to_string(n));
    }

    ASSERT_EQ(list.Count(), static_cast<std::size_t>(kDistinct));
    // One pass with plain checks: half a million assertion macros would cost more than the sort.
    std::size_t outOfOrder = 0;
    std::size_t laterSpellings = 0;
    std::string previousKey;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        std::string key = locale.SortKey(list[i]);
        if (i > 0 && !(previousKey < key)) ++outOfOrder;
        if (list[i].compare(0, 3, "Dir") != 0) ++laterSpellings;
        previousKey = std::move(key);
    }
    EXPECT_EQ(outOfOrder, 0U);
    EXPECT_EQ(laterSpellings, 0U);
    EXPECT_EQ(list.IndexOf("DIR0"), 0U);
    EXPECT_EQ(list.IndexOf("dir99999"), list.Count() - 1);
}

}  // namespace
}  // namespace sorvane
