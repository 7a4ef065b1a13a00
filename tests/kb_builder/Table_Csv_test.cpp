#include "Table_Csv.h"

#include <gtest/gtest.h>

namespace kestrane::kb {
namespace {

TEST(Table_Csv, ReadsQuotedFieldsWithCommasQuotesAndLineBreaks) {
    auto t = Table_Csv::Analyse("A,B\n\"x, y\",\"say \"\"hi\"\"\"\n\"two\nlines\",z\nlast,\n", "t.csv");
    ASSERT_TRUE(t.ok()) << t.status().message();
    ASSERT_EQ(t->Lignes().size(), 3u);
    EXPECT_EQ(t->Lignes()[0].Champs[0], "x, y");
    EXPECT_EQ(t->Lignes()[0].Champs[1], "say \"hi\"");
    EXPECT_EQ(t->Lignes()[1].Champs[0], "two\nlines");
    // A row after a quoted line break starts two lines further down.
    EXPECT_EQ(t->Lignes()[1].Numero, 3);
    EXPECT_EQ(t->Lignes()[2].Numero, 5);
    EXPECT_EQ(t->Lieu(t->Lignes()[2]), "t.csv:5");
}

TEST(Table_Csv, SkipsBlankLinesPadsShortRowsAndAcceptsCrlfAndBom) {
    auto t = Table_Csv::Analyse(
        "\xEF\xBB\xBF"
        "A,B,C\r\n\r\n1\r\n",
        "t.csv");
    ASSERT_TRUE(t.ok()) << t.status().message();
    EXPECT_EQ(t->Colonnes()[0], "A");
    ASSERT_EQ(t->Lignes().size(), 1u);
    EXPECT_EQ(t->Lignes()[0].Numero, 3);
    EXPECT_EQ(t->Lignes()[0].Champs.size(), 3u);
}

TEST(Table_Csv, UnterminatedQuoteNamesTheLineWhereItOpens) {
    auto t = Table_Csv::Analyse("A,B\n1,2\n3,\"oops\n4,5\n", "m.csv");
    ASSERT_FALSE(t.ok());
    EXPECT_NE(t.status().message().find("m.csv:3:"), std::string::npos) << t.status().message();
}

TEST(Table_Csv, RejectsExtraFieldsStrayQuotesAndDuplicateColumns) {
    auto trop = Table_Csv::Analyse("A,B\n1,2,3\n", "m.csv");
    ASSERT_FALSE(trop.ok());
    EXPECT_NE(trop.status().message().find("m.csv:2:"), std::string::npos);
    auto guillemet = Table_Csv::Analyse("A\nab\"c\n", "m.csv");
    ASSERT_FALSE(guillemet.ok());
    EXPECT_NE(guillemet.status().message().find("m.csv:2:"), std::string::npos);
    auto double_colonne = Table_Csv::Analyse("A,A\n", "m.csv");
    ASSERT_FALSE(double_colonne.ok());
    EXPECT_NE(double_colonne.status().message().find("m.csv:1:"), std::string::npos);
}

}  // namespace
}  // namespace kestrane::kb
