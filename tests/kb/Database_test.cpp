#include "Database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "Base_Test.h"

namespace kestrane {
namespace {

// A copy of the built small base with a Null legend beside an empty one, a language twice in two
// cases, a view after the common names' views (the loader's tests order text keys in any case).
class DatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        copie_.Execute_SQL("UPDATE Flore SET Legende = NULL WHERE Code = 'PISYL';"
                           "UPDATE Flore SET Legende = '' WHERE Code = 'ACPSE';"
                           "INSERT INTO Communs_Langues (Langue) VALUES ('english');"
                           "CREATE VIEW Alpha AS SELECT Espece FROM Flore ORDER BY Code DESC;");
        auto db = Database::Open_Read_Only(copie_.Chemin_Base());
        ASSERT_TRUE(db.ok()) << db.status().message();
        db_ = std::move(db.value());
    }
    const test::Copie_Base copie_{"petite"};
    std::unique_ptr<Database> db_;
};

TEST_F(DatabaseTest, SeeksWithoutRegardToCaseByKeyOrNamedIndexAndTellsNullFromEmpty) {
    auto flore = db_->Open_Table("Flore"), caracteres = db_->Open_Table("Caracteres");
    ASSERT_TRUE(flore.ok() && caracteres.ok());
    Recordset& rs = **flore;
    ASSERT_TRUE(rs.Seek_Equal(Value("PINUS SYLVESTRIS")));
    EXPECT_EQ(std::tuple(rs.No_Match(), rs.Get("Code").Text(), rs.Get("Legende").Is_Null()),
              std::tuple(false, "PISYL", true));
    EXPECT_FALSE(rs.Seek_Equal(Value("Pinus")));
    EXPECT_TRUE(rs.No_Match() && rs.Eof());
    ASSERT_TRUE(rs.Seek_Equal(Value("Acer pseudoplatanus")));
    EXPECT_EQ(std::tuple(rs.Get("Legende").Is_Null(), rs.Get("Legende").Text()), std::tuple(false, ""));
    EXPECT_TRUE(!rs.Has_Field("NoSuchField") && rs.Get("NoSuchField").Is_Null());

    Recordset& etats = **caracteres;
    ASSERT_TRUE(etats.Seek_Equal(Value("4")));  // a text key takes the column's affinity
    EXPECT_EQ(etats.Get("ID_CARAC").Text(), "LC_PALMATE");
    ASSERT_TRUE(etats.Set_Index("ID_CARAC").ok() && etats.Seek_Equal(Value("fr_cone")));
    EXPECT_EQ(etats.Get("NUM").Number(), 10);
    EXPECT_FALSE(etats.Set_Index("NoSuchIndex").ok());
    EXPECT_EQ(etats.Index(), "ID_CARAC");
}

TEST_F(DatabaseTest, NonUniqueIndexKeepsRowOrderOnTiesAndStoredQueriesAreViewsInCreationOrder) {
    auto langues = db_->Open_Table("Communs_Langues");
    ASSERT_TRUE(langues.ok() && (*langues)->Set_Index("Langue").ok());
    Recordset& rs = **langues;
    std::vector<std::string> vues;
    for (rs.Move_First(); !rs.Eof(); rs.Move_Next()) vues.push_back(rs.Get("langue").Text());
    for (rs.Move_Last(); !rs.Bof(); rs.Move_Previous()) vues.push_back(rs.Get("langue").Text());
    EXPECT_EQ(vues, (std::vector<std::string>{"English", "english", "Français", "Français", "english", "English"}));

    EXPECT_EQ(db_->Query_Names(),
              (std::vector<std::string>{"Vernaculaire_English", "Vernaculaire_Français", "Alpha"}));
    auto q = db_->Open_Query("Alpha");
    ASSERT_TRUE(q.ok());
    (*q)->Move_First();
    EXPECT_EQ((*q)->Get("Espece").Text(), "Pinus sylvestris");
    EXPECT_FALSE((*q)->Set_Index("PrimaryKey").ok() || db_->Open_Query("Missing").ok() ||
                 db_->Open_Table("Missing").ok());
}

TEST_F(DatabaseTest, OpensFromAReadOnlyFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    const auto data = copie_.Dossier() / "data";
    std::filesystem::permissions(data, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    auto db = Database::Open_Read_Only(copie_.Chemin_Base());
    std::filesystem::permissions(data, std::filesystem::perms::owner_all);
    EXPECT_TRUE(db.ok()) << db.status().message();
}

}  // namespace
}  // namespace kestrane
