#include <gtest/gtest.h>

#include "Fabrique_Wmf.h"
#include "Fonctions_Wmf.h"
#include "Metafichier.h"

namespace kestrane::wmf::test {
namespace {

Fabrique_Wmf Deux_Rectangles() {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100)
        .Brosse(0, Qt::red)
        .Choisit(0)
        .Rectangle(10, 10, 20, 20)
        .Rectangle(30, 30, 40, 40);
    return f;
}

TEST(Metafichier, ReadsPlaceableHeaderAndRecords) {
    auto lu = Metafichier::Lit(Deux_Rectangles().Placable(-5, 7, 300, 200));
    ASSERT_TRUE(lu.ok()) << lu.status().message();
    const Metafichier& m = lu.value();
    EXPECT_TRUE(m.placable());
    EXPECT_EQ(m.entete_placable().gauche, -5);
    EXPECT_EQ(m.entete_placable().haut, 7);
    EXPECT_EQ(m.entete_placable().droite, 300);
    EXPECT_EQ(m.entete_placable().bas, 200);
    EXPECT_EQ(m.entete_placable().unites_par_pouce, 96);
    EXPECT_TRUE(m.entete_placable().somme_juste);
    ASSERT_EQ(m.enregistrements().size(), 6u);
    EXPECT_EQ(m.enregistrements()[4].fonction, RECTANGLE);
    EXPECT_EQ(m.enregistrements()[4].nb_octets, 8u);
    EXPECT_TRUE(m.termine());
    EXPECT_EQ(m.etendue_fenetre_initiale(), QSize(100, 100));
}

TEST(Metafichier, ReadsPlainFile) {
    auto lu = Metafichier::Lit(Deux_Rectangles().Simple());
    ASSERT_TRUE(lu.ok());
    EXPECT_FALSE(lu->placable());
    EXPECT_TRUE(lu->cadre().isNull());
    EXPECT_EQ(lu->enregistrements().size(), 6u);
}

TEST(Metafichier, WrongChecksumIsNotRejected) {
    QByteArray o = Deux_Rectangles().Placable(0, 0, 100, 100);
    o[20] = static_cast<char>(o[20] ^ 0x55);
    auto lu = Metafichier::Lit(o);
    ASSERT_TRUE(lu.ok());
    EXPECT_FALSE(lu->entete_placable().somme_juste);
    EXPECT_EQ(lu->enregistrements().size(), 6u);
}

TEST(Metafichier, StopsAtEofAndIgnoresPadding) {
    QByteArray o = Deux_Rectangles().Simple();
    o.append(QByteArray(64, '\xCD'));  // garbage after EOF, as some programs leave
    auto lu = Metafichier::Lit(o);
    ASSERT_TRUE(lu.ok());
    EXPECT_EQ(lu->enregistrements().size(), 6u);
    EXPECT_TRUE(lu->termine());
}

TEST(Metafichier, TruncatedFileKeepsCompleteRecords) {
    QByteArray o = Deux_Rectangles().Simple();
    o.chop(10);  // cuts into the last rectangle
    auto lu = Metafichier::Lit(o);
    ASSERT_TRUE(lu.ok());
    EXPECT_EQ(lu->enregistrements().size(), 5u);
    EXPECT_FALSE(lu->termine());
    EXPECT_FALSE(lu->anomalies().empty());
}

// A record is at least its size and function (three words): a shorter size cannot be stepped
// over and ends the chain, with the records before it kept.
TEST(Metafichier, RecordShorterThanThreeWordsEndsTheChain) {
    for (char mots : {0, 1, 2}) {
        QByteArray o = Deux_Rectangles().Simple();
        const int pos = 18 + 10 + 10;  // the third record, after the header and two window records
        o[pos] = mots;
        o[pos + 1] = o[pos + 2] = o[pos + 3] = 0;
        auto lu = Metafichier::Lit(o);
        ASSERT_TRUE(lu.ok());
        EXPECT_EQ(lu->enregistrements().size(), 2u) << int(mots) << " words";
        EXPECT_FALSE(lu->termine());
        EXPECT_FALSE(lu->anomalies().empty());
    }
}

TEST(Metafichier, RecordSizePastTheEndIsNotFollowed) {
    QByteArray o = Deux_Rectangles().Simple();
    const int pos = 18 + 10;
    o[pos + 2] = 0x7F;  // a record of millions of words
    auto lu = Metafichier::Lit(o);
    ASSERT_TRUE(lu.ok());
    EXPECT_EQ(lu->enregistrements().size(), 1u);
}

TEST(Metafichier, CarelessHeaderSizeIsToleratedWhenTheVersionIsKnown) {
    QByteArray o = Deux_Rectangles().Simple();
    o[2] = 12;  // header size in words
    auto lu = Metafichier::Lit(o);
    ASSERT_TRUE(lu.ok());
    EXPECT_EQ(lu->enregistrements().size(), 6u);
    EXPECT_FALSE(lu->anomalies().empty());
    o[4] = 0x77;  // and an unknown version: no longer taken for a metafile
    EXPECT_FALSE(Metafichier::Lit(o).ok());
}

TEST(Metafichier, NotAMetafileIsUnreadableWithReason) {
    auto lu = Metafichier::Lit(QByteArray("GIF89a this is not a metafile at all"));
    ASSERT_FALSE(lu.ok());
    EXPECT_NE(lu.status().message().find("not a metafile"), std::string::npos);
    EXPECT_FALSE(Metafichier::Lit(QByteArray("\xD7\xCD\xC6\x9A", 4)).ok());
}

TEST(Metafichier, MissingFileErrorNamesTheFile) {
    auto lu = Metafichier::Lit_Fichier("/nonexistent/dir/arbre.wmf");
    ASSERT_FALSE(lu.ok());
    EXPECT_NE(lu.status().message().find("/nonexistent/dir/arbre.wmf"), std::string::npos);
}

}  // namespace
}  // namespace kestrane::wmf::test
