// Collation, case mapping and date-time texts of the user's locale, and the UTF-8 boundary.
#include <gtest/gtest.h>

#include <vector>

#include "win/platform/Utf.h"
#include "win/platform/WinLocale.h"

namespace sorvane {
namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(UtfTest, TextRoundTripsThroughUtf16) {
    const std::string text = "ASCII Ελληνικά Кириллица 中文 😀";
    const std::wstring wide = Widen(text);
    EXPECT_EQ(wide.size(), 30u);  // the emoji is a surrogate pair
    EXPECT_EQ(Narrow(wide), text);
    EXPECT_EQ(Narrow(wide.c_str()), text);
}

TEST(UtfTest, EmptyAndNullTextsAndEmbeddedNuls) {
    EXPECT_EQ(Widen(""), L"");
    EXPECT_EQ(Narrow(std::wstring()), "");
    EXPECT_EQ(Narrow(static_cast<const wchar_t*>(nullptr)), "");
    const std::string block("a\0b\0", 4);
    EXPECT_EQ(Narrow(Widen(block)), block);
}

TEST(LocaleTest, SortKeysOrderLikeTheComparison) {
    WinLocale locale;
    const std::vector<std::string> texts = {
        "",      "a",     "A",          "abc",      "ABC",    "Abd",     "apple",
        "Äpfel", "äpfel", "Apfel",      "resume",   "résumé", "RÉSUMÉ",  "Zebra",
        "zebra", "file9", "file10",     "co-op",    "coop",   "Ωmega",   "ωMEGA",
        "Жук",   "жук",   "C:\\Temp\\", "C:\\TEMP", "straße", "STRASSE", "Ñandú",
    };
    for (const std::string& a : texts) {
        const std::string keyA = locale.SortKey(a);
        for (const std::string& b : texts) {
            const std::string keyB = locale.SortKey(b);
            EXPECT_EQ(Sign(keyA.compare(keyB)), Sign(locale.CompareText(a, b)))
                << '"' << a << "\" against \"" << b << '"';
        }
    }
}

TEST(LocaleTest, ComparisonIgnoresLetterCaseOnly) {
    WinLocale locale;
    EXPECT_EQ(locale.CompareText("Résumé", "RÉSUMÉ"), 0);
    EXPECT_EQ(locale.CompareText("жук", "ЖУК"), 0);
    EXPECT_NE(locale.CompareText("resume", "résumé"), 0);
    EXPECT_LT(locale.CompareText("apple", "Banana"), 0);
    EXPECT_GT(locale.CompareText("zebra", "Apple"), 0);
}

TEST(LocaleTest, CaseMappingCoversLettersBeyondAscii) {
    WinLocale locale;
    EXPECT_EQ(locale.Upper("àéî σω жя abc"), "ÀÉÎ ΣΩ ЖЯ ABC");
    EXPECT_EQ(locale.Lower("ÀÉÎ ΣΩ ЖЯ ABC"), "àéî σω жя abc");
    EXPECT_EQ(locale.Upper(""), "");
}

TEST(LocaleTest, FormattedDatesAndTimesReadBack) {
    WinLocale locale;
    const DateTime values[] = {
        {2023, 12, 31, 15, 5, 9},  // afternoon: a 12-hour format must keep it apart from 3 AM
        {2001, 2, 3, 4, 5, 6},    {1999, 11, 22, 12, 0, 1},  // noon
        {2024, 2, 29, 0, 0, 1},                              // just after midnight
        {2010, 7, 8, 23, 59, 59},
    };
    for (const DateTime& value : values) {
        const std::string text = locale.FormatDateTime(value);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(locale.ParseDateTime(text), value) << text;
    }
}

TEST(LocaleTest, MidnightShowsTheDateAlone) {
    WinLocale locale;
    const DateTime midnight{2022, 6, 15, 0, 0, 0};
    const std::string text = locale.FormatDateTime(midnight);
    EXPECT_EQ(text.find(' '), std::string::npos) << text;
    EXPECT_EQ(locale.ParseDateTime(text), midnight);
    EXPECT_EQ(locale.FormatDateTime({2022, 6, 15, 0, 0, 1}).find(text + " "), 0u);
}

TEST(LocaleTest, TextsThatAreNoDatesAreRejected) {
    WinLocale locale;
    const std::string valid = locale.FormatDateTime({2021, 3, 4, 0, 0, 0});
    ASSERT_TRUE(locale.ParseDateTime(valid));
    EXPECT_FALSE(locale.ParseDateTime(""));
    EXPECT_FALSE(locale.ParseDateTime("abc"));
    EXPECT_FALSE(locale.ParseDateTime("12"));
    EXPECT_FALSE(locale.ParseDateTime(valid + " nonsense"));
    EXPECT_FALSE(locale.ParseDateTime(valid + " 25:00"));
    EXPECT_FALSE(locale.ParseDateTime(locale.FormatDateTime({2021, 3, 4, 0, 0, 0}) + " 10:61"));
    // 30 February, written in the user's own field order.
    const std::string february = locale.FormatDateTime({2021, 2, 28, 0, 0, 0});
    const std::size_t at = february.find("28");
    ASSERT_NE(at, std::string::npos);
    EXPECT_FALSE(locale.ParseDateTime(february.substr(0, at) + "30" + february.substr(at + 2)));
}

TEST(LocaleTest, AnHourAndMinuteWithoutSecondsAreEnough) {
    WinLocale locale;
    const std::string date = locale.FormatDateTime({2020, 1, 2, 0, 0, 0});
    EXPECT_EQ(locale.ParseDateTime(date + " 13:45"), (DateTime{2020, 1, 2, 13, 45, 0}));
    EXPECT_EQ(locale.ParseDateTime("  " + date + " 7:08:09  "), (DateTime{2020, 1, 2, 7, 8, 9}));
}

TEST(LocaleTest, FileTimesSplitIntoCalendarFields) {
    WinLocale locale;
    EXPECT_EQ(locale.FromFileTime(116444736000000000ull), (DateTime{1970, 1, 1, 0, 0, 0}));
    // One second and a tenth later: the fraction is dropped.
    EXPECT_EQ(locale.FromFileTime(116444736000000000ull + 11'000'000ull),
              (DateTime{1970, 1, 1, 0, 0, 1}));
    EXPECT_FALSE(locale.FromFileTime(0x8000'0000'0000'0000ull));
}

}  // namespace
}  // namespace sorvane
