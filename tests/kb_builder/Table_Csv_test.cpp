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

// An unterminated quote is named where it opens; bytes that are not UTF-8 text on their own line.
TEST(Table_Csv, RejectsUnterminatedQuotesExtraFieldsStrayQuotesDuplicateColumnsAndWhatIsNotUtf8) {
    using namespace std::string_literals;
    const std::pair<std::string, const char*> cas[] = {
        {"A,B\n1,2\n3,\"oops\n4,5\n", "m.csv:3:"},
        {"A,B\n1,2,3\n", "m.csv:2:"},
        {"A\nab\"c\n", "m.csv:2:"},
        {"A,A\n", "m.csv:1:"},
        {"A\n\"x\ny\"\nab\0c\n"s, "m.csv:4: a NUL byte"},
        {"A\n\xEF\xBB\xBF\nb\xE9\n", "m.csv:3: the text is not UTF-8"},
        {"A\n\xC0\xAF\n", "m.csv:2: the text is not UTF-8"},      // an overlong '/'
        {"A\n\xED\xA0\x80\n", "m.csv:2: the text is not UTF-8"},  // a surrogate
        {"\xFF\xFE"
         "A\0\n\0"s,
         "m.csv:1: the file is in UTF-16"}};
    for (const auto& [texte, lieu] : cas) {
        auto t = Table_Csv::Analyse(texte, "m.csv");
        ASSERT_FALSE(t.ok()) << texte;
        EXPECT_NE(t.status().message().find(lieu), std::string::npos) << t.status().message();
    }
}

}  // namespace
}  // namespace kestrane::kb
