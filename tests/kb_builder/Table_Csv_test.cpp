#include "Table_Csv.h"

#include <gtest/gtest.h>

namespace kestrane::kb {
namespace {

TEST(Table_Csv, ReadsQuotedFieldsSkipsBlankLinesPadsShortRowsAndAcceptsCrlfAndBom) {
    auto t = Table_Csv::Analyse("\uFEFFA,B\r\n\"x, y\",\"say \"\"hi\"\"\"\n\r\n\"two\nlines\",z\nlast\n", "t.csv");
    ASSERT_TRUE(t.ok()) << t.status().message();
    ASSERT_EQ(t->Lignes().size(), 3u);
    EXPECT_EQ(t->Colonnes(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(t->Lignes()[0].Champs, (std::vector<std::string>{"x, y", "say \"hi\""}));
    EXPECT_EQ(t->Lignes()[1].Champs, (std::vector<std::string>{"two\nlines", "z"}));
    EXPECT_EQ(t->Lignes()[2].Champs, (std::vector<std::string>{"last", ""}));
    // A row after a quoted line break starts two lines further down.
    EXPECT_EQ(std::tuple(t->Lignes()[1].Numero, t->Lignes()[2].Numero, t->Lieu(t->Lignes()[2])),
              std::tuple(4, 6, "t.csv:6"));
}

// An unterminated quote is named where it opens.
TEST(Table_Csv, RejectsUnterminatedQuotesExtraFieldsStrayQuotesAndDuplicateColumns) {
    const std::pair<const char*, const char*> cas[] = {
        {"A,B\n1,2\n3,\"oops\n4,5\n", "m.csv:3:"},
        {"A,B\n1,2,3\n", "m.csv:2:"}, {"A\nab\"c\n", "m.csv:2:"}, {"A,A\n", "m.csv:1:"}};
    for (const auto& [texte, lieu] : cas) {
        auto t = Table_Csv::Analyse(texte, "m.csv");
        ASSERT_FALSE(t.ok()) << texte;
        EXPECT_NE(t.status().message().find(lieu), std::string::npos) << t.status().message();
    }
}

}  // namespace
}  // namespace kestrane::kb
