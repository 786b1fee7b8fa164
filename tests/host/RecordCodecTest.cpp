#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/utils/RecordCodec.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(EncodeRecord, QuotesEveryFieldAndDoublesQuotesInside) {
    EXPECT_EQ(EncodeRecord({"C:\\Temp", "say \"hi\"", ""}), R"("C:\Temp","say ""hi""","")");
    EXPECT_EQ(EncodeRecord({}), "");
}

TEST(DecodeRecord, KeepsCommasThatStandInsideQuotes) {
    EXPECT_THAT(DecodeRecord(R"("a,b","c")"), ElementsAre("a,b", "c"));
    EXPECT_THAT(DecodeRecord(R"("1,234 KB",",")"), ElementsAre("1,234 KB", ","));
}

TEST(DecodeRecord, TurnsDoubledQuotesIntoOne) {
    EXPECT_THAT(DecodeRecord(R"("say ""hi""","""")"), ElementsAre("say \"hi\"", "\""));
}

TEST(DecodeRecord, KeepsEmptyFields) {
    EXPECT_THAT(DecodeRecord(""), IsEmpty());
    EXPECT_THAT(DecodeRecord(R"("")"), ElementsAre(""));
    EXPECT_THAT(DecodeRecord(R"("","x","")"), ElementsAre("", "x", ""));
    EXPECT_THAT(DecodeRecord("a,,b"), ElementsAre("a", "", "b"));
    EXPECT_THAT(DecodeRecord(","), ElementsAre("", ""));
    EXPECT_THAT(DecodeRecord(R"("a",)"), ElementsAre("a", ""));
}

TEST(DecodeRecord, TakesUnquotedFieldsAsTheyStand) {
    EXPECT_THAT(DecodeRecord(R"(12, spaced ,"q",x"y)"), ElementsAre("12", " spaced ", "q", "x\"y"));
}

TEST(DecodeRecord, KeepsTheTextOfBrokenQuoting) {
    EXPECT_THAT(DecodeRecord(R"("never closed,still here)"),
                ElementsAre("never closed,still here"));
    EXPECT_THAT(DecodeRecord(R"("ab"cd,"e")"), ElementsAre("abcd", "e"));
}

TEST(RecordCodec, RoundTripsAnyFields) {
    const std::vector<std::vector<std::string>> records = {
        {"C:\\Dokumente\\Größe.txt", "日本語のファイル", "12,5 MB", "😀"},
        {"", "", ""},
        {"\"", "\"\"", ",", "\",\"", " "},
        {"single"},
        {"Ärger \"mit\", Kommas", "déjà vu"},
    };
    for (const auto& fields : records) {
        EXPECT_EQ(DecodeRecord(EncodeRecord(fields)), fields) << EncodeRecord(fields);
    }
}

}  // namespace
}  // namespace sorvane
