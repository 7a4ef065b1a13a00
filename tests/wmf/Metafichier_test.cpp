#include <gtest/gtest.h>

#include "Fabrique_Wmf.h"
#include "Fonctions_Wmf.h"
#include "Metafichier.h"

namespace kestrane::wmf::test {
namespace {

// Two window records, a brush, its selection and two rectangles: six records, then EOF.
Fabrique_Wmf Deux_Rectangles() {
    Fabrique_Wmf f = Fabrique_Wmf().Fenetre(0, 0, 100, 100).Brosse(0, Qt::red).Choisit(0);
    return f.Rectangle(10, 10, 20, 20).Rectangle(30, 30, 40, 40);
}

// The bytes with the one at i replaced by v.
QByteArray Abime(QByteArray o, int i, int v) {
    o[i] = static_cast<char>(v);
    return o;
}

TEST(Metafichier, ReadsPlaceableHeaderAndRecords) {
    const QByteArray o = Deux_Rectangles().Placable(-5, 7, 300, 200);
    auto lu = Metafichier::Lit(o);
    ASSERT_TRUE(lu.ok()) << lu.status().message();
    const auto& e = lu->entete_placable();
    EXPECT_EQ(std::tie(e.gauche, e.haut, e.droite, e.bas, e.unites_par_pouce, e.somme_juste),
              std::tuple(-5, 7, 300, 200, 96, true));
    ASSERT_EQ(lu->enregistrements().size(), 6u);
    EXPECT_EQ(std::tie(lu->enregistrements()[4].fonction, lu->enregistrements()[4].nb_octets),
              std::tuple(RECTANGLE, 8u));
    EXPECT_EQ(std::tuple(lu->placable(), lu->etendue_fenetre_initiale()), std::tuple(true, QSize(100, 100)));
    auto somme = Metafichier::Lit(Abime(o, 20, o[20] ^ 0x55));  // a wrong checksum is said, not refused
    ASSERT_TRUE(somme.ok());
    EXPECT_EQ(std::tuple(somme->entete_placable().somme_juste, somme->enregistrements().size()),
              std::tuple(false, 6u));
}

// {damage to the plain file} -> records kept, whether EOF was reached, whether an anomaly is said.
TEST(Metafichier, DamageKeepsTheRecordsBeforeIt) {
    const QByteArray o = Deux_Rectangles().Simple();
    const int troisieme = 18 + 10 + 10;  // the third record, after the header and two window records
    const struct {
        const char* nom;
        QByteArray octets;
        size_t nb_enregistrements;
        bool termine, anomalie;
    } cas[] = {
        {"sound", o, 6, true, false},
        {"garbage after EOF", o + QByteArray(64, '\xCD'), 6, true, true},
        {"cut into the last rectangle", o.chopped(10), 5, false, true},
        {"record size past the end", Abime(o, 18 + 10 + 2, 0x7F), 1, false, true},
        {"careless header size, known version", Abime(o, 2, 12), 6, true, true},
        // A record is at least its size and function (three words): a shorter one ends the chain.
        {"record of 0 words", Abime(o, troisieme, 0), 2, false, true},
        {"record of 1 word", Abime(o, troisieme, 1), 2, false, true},
        {"record of 2 words", Abime(o, troisieme, 2), 2, false, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        auto lu = Metafichier::Lit(c.octets);
        ASSERT_TRUE(lu.ok()) << lu.status().message();
        EXPECT_EQ(std::tuple(lu->placable(), lu->cadre().isNull(), lu->enregistrements().size(),
                             lu->termine(), !lu->anomalies().empty()),
                  std::tuple(false, true, c.nb_enregistrements, c.termine, c.anomalie));
    }
}

TEST(Metafichier, WhatIsNoMetafileIsRefusedWithTheReasonOrTheFile) {
    const std::string absent = "/nonexistent/dir/arbre.wmf";
    const std::pair<Result<Metafichier>, std::string> cas[] = {
        {Metafichier::Lit(QByteArray("GIF89a this is not a metafile at all")), "not a metafile"},
        {Metafichier::Lit(QByteArray("\xD7\xCD\xC6\x9A", 4)), ""},
        // A careless header size and an unknown version: no longer taken for a metafile.
        {Metafichier::Lit(Abime(Abime(Deux_Rectangles().Simple(), 2, 12), 4, 0x77)), ""},
        {Metafichier::Lit_Fichier(absent), absent},
    };
    for (const auto& [lu, raison] : cas) {
        ASSERT_FALSE(lu.ok());
        EXPECT_NE(lu.status().message().find(raison), std::string::npos) << lu.status().message();
    }
}

}  // namespace
}  // namespace kestrane::wmf::test
