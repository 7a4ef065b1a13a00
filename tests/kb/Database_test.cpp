#include "Database.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "Base_Test.h"

namespace kestrane {
namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        dossier_ = test::Dossier_Temporaire("kestrane-db");
        chemin_ = (dossier_ / "base.sqlite").string();
        test::Cree_Base_SQLite(chemin_, 2,
                               "INSERT INTO Flore VALUES ('quercus robur', 'QUERO', 'Fagaceae', NULL);\n"
                               "INSERT INTO Flore VALUES ('Acer campestre', 'ACECA', 'Sapindaceae', '');\n"
                               "INSERT INTO Flore VALUES ('Betula pendula', 'BETPE', 'Betulaceae', 'x');\n"
                               "INSERT INTO Caracteres VALUES (1, 'b_leaf', 'two');\n"
                               "INSERT INTO Caracteres VALUES (0, 'A_LEAF', 'one');\n"
                               "INSERT INTO Communs_Langues (Langue) VALUES ('French');\n"
                               "INSERT INTO Communs_Langues (Langue) VALUES ('English');\n"
                               "INSERT INTO Communs_Langues (Langue) VALUES ('english');\n"
                               "INSERT INTO Parametres VALUES ('Nb_Esp', '3');\n"
                               "CREATE VIEW Zeta AS SELECT * FROM Flore;\n"
                               "CREATE VIEW Alpha AS SELECT Espece FROM Flore ORDER BY Code;\n");
    }
    void TearDown() override { std::filesystem::remove_all(dossier_); }

    std::unique_ptr<Database> Ouvre() {
        auto db = Database::Open_Read_Only(chemin_);
        EXPECT_TRUE(db.ok()) << db.status().message();
        return std::move(db.value());
    }

    std::filesystem::path dossier_;
    std::string chemin_;
};

TEST_F(DatabaseTest, PrimaryKeyOrderIgnoresCaseOfTextKeys) {
    auto db = Ouvre();
    auto flore = db->Open_Table("Flore");
    ASSERT_TRUE(flore.ok());
    std::vector<std::string> noms;
    for (flore.value()->Move_First(); !flore.value()->Eof(); flore.value()->Move_Next())
        noms.push_back(flore.value()->Get("ESPECE").Text());
    EXPECT_EQ(noms, (std::vector<std::string>{"Acer campestre", "Betula pendula", "quercus robur"}));
    EXPECT_EQ(flore.value()->Record_Count(), 3);
}

TEST_F(DatabaseTest, SeekEqualFindsWithoutRegardToCaseReportsNoMatchAndTellsNullFromEmpty) {
    auto db = Ouvre();
    auto rs = std::move(db->Open_Table("Flore").value());
    EXPECT_TRUE(rs->Seek_Equal(Value("QUERCUS ROBUR")));
    EXPECT_FALSE(rs->No_Match());
    EXPECT_EQ(rs->Get("Code").Text(), "QUERO");
    EXPECT_FALSE(rs->Seek_Equal(Value("Quercus")));
    EXPECT_TRUE(rs->No_Match());
    EXPECT_TRUE(rs->Eof());
    // Null is told apart from empty text.
    ASSERT_TRUE(rs->Seek_Equal(Value("quercus robur")));
    EXPECT_TRUE(rs->Get("Legende").Is_Null());
    ASSERT_TRUE(rs->Seek_Equal(Value("Acer campestre")));
    EXPECT_FALSE(rs->Get("Legende").Is_Null());
    EXPECT_EQ(rs->Get("Legende").Text(), "");
    EXPECT_FALSE(rs->Has_Field("NoSuchField"));
    EXPECT_TRUE(rs->Get("NoSuchField").Is_Null());
}

TEST_F(DatabaseTest, NamedIndexesAndIntegerKeys) {
    auto db = Ouvre();
    auto rs = std::move(db->Open_Table("Caracteres").value());
    // PrimaryKey: the state number, whatever the insertion order.
    rs->Move_First();
    EXPECT_EQ(rs->Get("NUM").Number(), 0);
    ASSERT_TRUE(rs->Seek_Equal(Value(1)));
    EXPECT_EQ(rs->Get("ID_CARAC").Text(), "b_leaf");
    ASSERT_TRUE(rs->Seek_Equal(Value("1")));  // a text key takes the column's affinity
    EXPECT_EQ(rs->Get("ID_CARAC").Text(), "b_leaf");

    ASSERT_TRUE(rs->Set_Index("ID_CARAC").ok());
    ASSERT_TRUE(rs->Seek_Equal(Value("a_leaf")));
    EXPECT_EQ(rs->Get("NUM").Number(), 0);
    EXPECT_FALSE(rs->Set_Index("NoSuchIndex").ok());
    EXPECT_EQ(rs->Index(), "ID_CARAC");
}

TEST_F(DatabaseTest, NonUniqueIndexKeepsRowOrderOnTiesAndMovesBothWays) {
    auto db = Ouvre();
    auto rs = std::move(db->Open_Table("Communs_Langues").value());
    ASSERT_TRUE(rs->Set_Index("Langue").ok());
    std::vector<std::string> langues;
    for (rs->Move_First(); !rs->Eof(); rs->Move_Next()) langues.push_back(rs->Get("langue").Text());
    EXPECT_EQ(langues, (std::vector<std::string>{"English", "english", "French"}));
    langues.clear();
    for (rs->Move_Last(); !rs->Bof(); rs->Move_Previous()) langues.push_back(rs->Get("langue").Text());
    EXPECT_EQ(langues, (std::vector<std::string>{"French", "english", "English"}));
}

TEST_F(DatabaseTest, StoredQueriesAreViewsInCreationOrder) {
    auto db = Ouvre();
    EXPECT_EQ(db->Query_Names(), (std::vector<std::string>{"Zeta", "Alpha"}));
    auto q = db->Open_Query("Alpha");
    ASSERT_TRUE(q.ok());
    q.value()->Move_First();
    EXPECT_EQ(q.value()->Get("Espece").Text(), "Acer campestre");
    EXPECT_FALSE(q.value()->Set_Index("PrimaryKey").ok());
    EXPECT_FALSE(db->Open_Query("Missing").ok());
    EXPECT_FALSE(db->Open_Table("Missing").ok());
}

TEST_F(DatabaseTest, OpensFromAReadOnlyFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    std::filesystem::permissions(dossier_,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    auto db = Database::Open_Read_Only(chemin_);
    std::filesystem::permissions(dossier_, std::filesystem::perms::owner_all);
    EXPECT_TRUE(db.ok()) << db.status().message();
}

}  // namespace
}  // namespace kestrane
