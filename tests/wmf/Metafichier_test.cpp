#include <gtest/gtest.h>

#include <functional>

#include "Fabrique_Wmf.h"
#include "Fonctions_Wmf.h"
#include "Metafichier.h"

namespace kestrane::wmf::test {
namespace {

// Two window records, a brush, its selection and two rectangles: six records, then EOF.
Fabrique_Wmf Deux_Rectangles() {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100).Brosse(0, Qt::red).Choisit(0).Rectangle(10, 10, 20, 20).Rectangle(30, 30, 40, 40);
    return f;
}

TEST(Metafichier, ReadsPlaceableHeaderAndRecords) {
    auto lu = Metafichier::Lit(Deux_Rectangles().Placable(-5, 7, 300, 200));
    ASSERT_TRUE(lu.ok()) << lu.status().message();
    const Metafichier& m = lu.value();
    EXPECT_TRUE(m.placable());
    const auto& e = m.entete_placable();
    EXPECT_EQ(std::tie(e.gauche, e.haut, e.droite, e.bas, e.unites_par_pouce, e.somme_juste),
              std::tuple(-5, 7, 300, 200, 96, true));
    ASSERT_EQ(m.enregistrements().size(), 6u);
    EXPECT_EQ(std::tie(m.enregistrements()[4].fonction, m.enregistrements()[4].nb_octets), std::tuple(RECTANGLE, 8u));
    EXPECT_EQ(m.etendue_fenetre_initiale(), QSize(100, 100));
}

// {damage to the plain file} -> records kept, whether EOF was reached, whether an anomaly is said.
TEST(Metafichier, DamageKeepsTheRecordsBeforeIt) {
    const int troisieme = 18 + 10 + 10;  // the third record, after the header and two window records
    const struct {
        const char* nom;
        std::function<void(QByteArray&)> dommage;
        size_t nb_enregistrements;
        bool termine, anomalie;
    } cas[] = {
        {"sound", [](QByteArray&) {}, 6, true, false},
        {"garbage after EOF", [](QByteArray& o) { o.append(QByteArray(64, '\xCD')); }, 6, true, true},
        {"cut into the last rectangle", [](QByteArray& o) { o.chop(10); }, 5, false, true},
        {"record size past the end", [&](QByteArray& o) { o[18 + 10 + 2] = 0x7F; }, 1, false, true},
        {"careless header size, known version", [](QByteArray& o) { o[2] = 12; }, 6, true, true},
        // A record is at least its size and function (three words): a shorter one ends the chain.
        {"record of 0 words", [&](QByteArray& o) { o[troisieme] = 0; }, 2, false, true},
        {"record of 1 word", [&](QByteArray& o) { o[troisieme] = 1; }, 2, false, true},
        {"record of 2 words", [&](QByteArray& o) { o[troisieme] = 2; }, 2, false, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        QByteArray o = Deux_Rectangles().Simple();
        c.dommage(o);
        auto lu = Metafichier::Lit(o);
        ASSERT_TRUE(lu.ok()) << lu.status().message();
        EXPECT_EQ(std::tuple(lu->placable(), lu->cadre().isNull(), lu->enregistrements().size(), lu->termine(),
                             !lu->anomalies().empty()),
                  std::tuple(false, true, c.nb_enregistrements, c.termine, c.anomalie));
    }
    QByteArray somme = Deux_Rectangles().Placable(0, 0, 100, 100);
    somme[20] = static_cast<char>(somme[20] ^ 0x55);  // a wrong checksum is said, not refused
    auto lu = Metafichier::Lit(somme);
    ASSERT_TRUE(lu.ok());
    EXPECT_FALSE(lu->entete_placable().somme_juste);
    EXPECT_EQ(lu->enregistrements().size(), 6u);
}

TEST(Metafichier, WhatIsNoMetafileIsRefusedWithTheReasonOrTheFile) {
    auto gif = Metafichier::Lit(QByteArray("GIF89a this is not a metafile at all"));
    ASSERT_FALSE(gif.ok());
    EXPECT_NE(gif.status().message().find("not a metafile"), std::string::npos);
    EXPECT_FALSE(Metafichier::Lit(QByteArray("\xD7\xCD\xC6\x9A", 4)).ok());
    QByteArray version = Deux_Rectangles().Simple();
    version[2] = 12;
    version[4] = 0x77;  // careless header size and an unknown version: no longer taken for a metafile
    EXPECT_FALSE(Metafichier::Lit(version).ok());
    auto absent = Metafichier::Lit_Fichier("/nonexistent/dir/arbre.wmf");
    ASSERT_FALSE(absent.ok());
    EXPECT_NE(absent.status().message().find("/nonexistent/dir/arbre.wmf"), std::string::npos);
}

}  // namespace
}  // namespace kestrane::wmf::test
