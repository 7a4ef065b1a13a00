#include "Fixture_Documents.h"

#include <QTest>

#include <gtest/gtest.h>

#include "Chargeur_Base.h"
#include "Dessin_Gif.h"
#include "WebTexte.h"

#ifndef KESTRANE_DOCS_FIXTURES
#error "KESTRANE_DOCS_FIXTURES must name the folder of the fixture pages"
#endif

namespace kestrane::test {

Description_Base Description_Flore(const std::string& sql_supplementaire) {
    Description_Base d;
    // clang-format off
    d.sql = Parametres_SQL({{"Nb_Esp", "5"}, {"Nb_Etats_Desc", "1"}}) +
            "INSERT INTO Flore VALUES ('Fagus sylvatica', 'FAGSY', 'FAGACEAE', 'Common beech'), ('Tilia cordata', 'TILCO', 'Malvaceae', ''),\n"
            "  ('Quercus robur', 'QUERO', 'FAGACEAE', NULL), ('acer campestre', 'ACECA', 'sapindaceae s.l.', 'Field maple'),\n"
            "  ('Melia azedarach', 'MELAZ', 'MELIACEAE', 'Chinaberry');\n"
            "INSERT INTO Objets_Fic VALUES ('LEAF', 0, 0, 1, 1, 1, NULL, '', 'The leaf?', 1);\n"
            "INSERT INTO Communs_Langues (Langue) VALUES ('French'), ('English');\n"
            "INSERT INTO Noms_Communs (Code, Langue, Nom) VALUES\n"
            "  ('FAGSY', 'English', 'Beech'), ('QUERO', 'English', 'Oak'), ('TILCO', 'English', 'Lime'), ('ACECA', 'English', 'Field maple'),\n"
            "  ('MELAZ', 'English', 'Chinaberry'), ('FAGSY', 'French', 'Hêtre'), ('QUERO', 'French', 'Chêne pédonculé'),\n"
            "  ('ACECA', 'French', 'Érable champêtre'), ('TILCO', 'French', 'Tilleul'), ('ACECA', 'French', 'Lime'),\n"
            "  ('MELAZ', 'French', 'Frêne de Chine');\n" +
            sql_supplementaire;
    // clang-format on
    d.poids = {1};
    d.matrice = {0, 0, 0, 0, 0};
    d.langues_vues = {"English", "French"};
    return d;
}

std::unique_ptr<Base_Connaissance> Charge(const Base_Temporaire& base) {
    Chargement c = Charge_Base(base.Lieux(), nullptr);
    EXPECT_TRUE(c.Base) << (c.Echec ? c.Echec->Message + " " + c.Echec->Detail : std::string());
    return std::move(c.Base);
}

Bac_Documents::Bac_Documents(const QString& adresse_web, const std::string& sql_supplementaire)
    : base(Description_Flore(sql_supplementaire)),
      connaissance(Charge(base)),
      dossier(Dossier_Temporaire("kestrane-docs")) {
    namespace fs = std::filesystem;
    const fs::path source(KESTRANE_DOCS_FIXTURES);
    fs::copy(source / "documents", dossier / "documents", fs::copy_options::recursive);
    fs::copy(source / "data", dossier / "data", fs::copy_options::recursive);
    EXPECT_TRUE(Ecrit_Dessin_Gif((dossier / "documents/f/fagsy/fagsy.gif").string(), 2200, 3300));

    reglages.Rep_Data = (dossier / "data").string() + "/";
    if (adresse_web.isEmpty()) {
        reglages.Distribution = "hd";
        reglages.Adresse_Documents = (dossier / "documents").string() + "/";
    } else {
        reglages.Distribution = "http";
        reglages.Adresse_Documents = adresse_web.toStdString();
    }
    documents = std::make_unique<Documents>(hote, reglages, *connaissance, dialogues, nullptr);
    documents->Remplit_Arbre();
    documents->Vue().resize(800, 600);
    documents->Vue().show();
}

Bac_Documents::~Bac_Documents() {
    documents.reset();
    std::error_code ec;
    std::filesystem::remove_all(dossier, ec);
}

QString Bac_Documents::Dossier_Documents() const {
    return QString::fromStdString((dossier / "documents").string());
}

bool Attend(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 30000);
}

bool Attend_Page(Documents& documents, const QString& fin) {
    return Attend([&] { return documents.Vue().Termine() && documents.Vue().LocationURL().endsWith(fin); });
}

}  // namespace kestrane::test
