// kestrane-kb export-web: what a web key folder holds, and every refusal, after which nothing is
// left at OUT nor beside it.

#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <iterator>

#include "Base_Compacte.h"
#include "Base_Test.h"
#include "Export_Web.h"
#include "Fichiers_Donnees.h"
#include "Import_Sdd.h"
#include "Page_Web.h"

namespace fs = std::filesystem;

namespace kestrane::test {
namespace {

std::string Lit(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A scratch folder with a copy of the key petite and an engine of two small files.
struct Atelier {
    Atelier() : racine(Dossier_Temporaire("kestrane-web")), base(racine / "base"), moteur(racine / "moteur") {
        fs::copy(fs::path(KESTRANE_BASES) / "petite", base, fs::copy_options::recursive);
        fs::create_directory(moteur);
        std::ofstream(moteur / "kestrane.js") << "// engine";
        std::ofstream(moteur / "kestrane.wasm") << "wasm";
    }
    ~Atelier() {
        std::error_code ec;
        fs::remove_all(racine, ec);
    }
    // Everything in the scratch folder but the base and the engine.
    std::vector<std::string> Autres() const {
        std::vector<std::string> noms;
        for (const auto& e : fs::directory_iterator(racine))
            if (e.path() != base && e.path() != moteur)
                noms.push_back(e.path().filename().string());
        return noms;
    }
    fs::path racine, base, moteur;
};

TEST(Export_Web, Ecrit_Le_Moteur_La_Base_Et_Les_Images_Et_Remplace_Son_Propre_Export) {
    Atelier a;
    const fs::path sortie = a.racine / "web";
    std::vector<std::string> etapes;
    for (int fois = 0; fois < 2; ++fois) {
        const Status s =
            kb::Exporte_Web(a.base.string(), sortie.string(), a.moteur.string(), nullptr,
                            [&](const std::string& etape, size_t, size_t) { etapes.push_back(etape); });
        ASSERT_TRUE(s.ok()) << s.message();
    }
    EXPECT_EQ(Lit(sortie / "kestrane.wasm"), "wasm");
    const std::string octets = Lit(sortie / "base.kbc");
    auto lue = Lit_Base_Compacte(reinterpret_cast<const uint8_t*>(octets.data()), octets.size());
    ASSERT_TRUE(lue.ok()) << lue.status().message();
    const auto chargee = Charge_Ou_Echoue(Lieux_Construits(a.base));
    EXPECT_EQ(lue->Base->Nom_Esp, chargee->Nom_Esp);
    // The palette is sampled from the palette picture, as the window samples it.
    ASSERT_FALSE(lue->Base->Couleur_Pixel.empty());
    EXPECT_NE(lue->Base->Couleur_Pixel.front(), 0);
    // Each metafile drawn as a PNG under its own name; pages and icons as they are.
    for (const char* fichier :
         {"index.html", "demarrage.js", "page.js", "logique.js", "kestrane.css", "manifest.webmanifest",
          "icones/kestrane-192.png", "icones/kestrane-512.png", kb::Marque_Export_Web, "robot/00/ground01.png",
          "robot/CONTRA/fruit_cross.png", "descripteurs/leaf_type.png", "documents/a/acpse/acpse_en.html",
          "documents/a/acpse/acpse.gif", "data/barres/leaf.ico"}) {
        EXPECT_TRUE(fs::is_regular_file(sortie / fichier)) << fichier;
    }
    EXPECT_FALSE(fs::exists(sortie / "data" / "kestrane.sqlite"));
    // Every page under the policy; the service worker keeps every file under the export's version.
    EXPECT_NE(Lit(sortie / "index.html").find(kb::Politique_Page_Web), std::string::npos);
    EXPECT_NE(Lit(sortie / "documents/a/acpse/acpse_en.html").find(kb::Politique_Documents_Web), std::string::npos);
    const std::string sw = Lit(sortie / "sw.js");
    EXPECT_NE(sw.find("const VERSION = \"" + Texte_Empreinte(lue->Empreinte) + "-"), std::string::npos);
    for (const char* fichier : {"\"./\"", "\"base.kbc\"", "\"kestrane.wasm\"", "\"robot/00/ground01.png\"", "\"page.js\""})
        EXPECT_NE(sw.find(fichier), std::string::npos) << fichier;
    EXPECT_EQ(sw.find("@"), std::string::npos);
    // Drawings scaled down to a phone's width.
    EXPECT_EQ(QImage(QString::fromStdString((sortie / "documents/a/acpse/acpse.gif").string())).width(), 400);
    EXPECT_NE(std::find(etapes.begin(), etapes.end(), "pictures"), etapes.end());
    EXPECT_EQ(a.Autres(), std::vector<std::string>{"web"});
}

TEST(Export_Web, La_Politique_Ouvre_La_Tete_De_Chaque_Page) {
    const std::string m = "<meta http-equiv=\"Content-Security-Policy\" content=\"P\">";
    const std::pair<const char*, std::string> cas[] = {
        {"<html><head><title>t</title></head></html>", "<html><head>" + m + "<title>t</title></head></html>"},
        {"<HTML><HEAD lang=\"fr\">x", "<HTML><HEAD lang=\"fr\">" + m + "x"},
        {"<html><header>h</header><head>", "<html><header>h</header><head>" + m},
        {"<html lang=\"en\"><body>b", "<html lang=\"en\"><head>" + m + "</head><body>b"},
        {"<p>bare", "<head>" + m + "</head><p>bare"},
    };
    for (const auto& [html, attendu] : cas) EXPECT_EQ(kb::Avec_Politique(html, "P"), attendu) << html;
}

TEST(Export_Web, Une_Base_Importee_De_Sdd) {
    Atelier a;
    const fs::path importee = a.racine / "importee";
    ASSERT_TRUE(kb::Importe_Sdd(KB_SDD "/arbres.sdd.xml", importee.string(), nullptr).ok());
    const fs::path sortie = a.racine / "web";
    const Status s = kb::Exporte_Web(importee.string(), sortie.string(), a.moteur.string());
    ASSERT_TRUE(s.ok()) << s.message();
    const std::string octets = Lit(sortie / "base.kbc");
    auto lue = Lit_Base_Compacte(reinterpret_cast<const uint8_t*>(octets.data()), octets.size());
    ASSERT_TRUE(lue.ok()) << lue.status().message();
    EXPECT_EQ(lue->Base->Nom_Esp, Charge_Ou_Echoue(Lieux_Construits(importee))->Nom_Esp);
    EXPECT_TRUE(lue->Base->Hierarchie.empty());  // no portrait
}

TEST(Export_Web, Les_Refus_Ne_Laissent_Rien) {
    struct Cas {
        const char* nom;
        std::function<fs::path(Atelier&)> prepare;  // gives OUT
        const char* erreur;
        std::vector<std::string> restent;  // what the scratch folder holds after, beside the base and engine
    };
    const Cas cas[] = {
        {"no settings file",
         [](Atelier& a) {
             fs::remove(a.base / "kestrane.ini");
             return a.racine / "web";
         },
         "the settings file cannot be read",
         {}},
        {"no engine",
         [](Atelier& a) {
             fs::remove(a.moteur / "kestrane.wasm");
             return a.racine / "web";
         },
         "kestrane.wasm: the web key's engine is missing",
         {}},
        {"a user's folder",
         [](Atelier& a) {
             fs::create_directory(a.racine / "mes documents");
             std::ofstream(a.racine / "mes documents" / "lettre.txt") << "dear";
             return a.racine / "mes documents";
         },
         "holds files that no web export wrote",
         {"mes documents"}},
        {"a file",
         [](Atelier& a) {
             std::ofstream(a.racine / "web") << "x";
             return a.racine / "web";
         },
         "exists and is not a folder",
         {"web"}},
        {"inside the base",
         [](Atelier& a) { return a.base / "documents" / "web"; },
         "inside the base's folder",
         {}},
        {"around the base", [](Atelier& a) { return a.racine; }, "nor around it", {}},
        {"a damaged database",
         [](Atelier& a) {
             std::ofstream(a.base / "data" / "kestrane.sqlite", std::ios::trunc) << "not a database";
             return a.racine / "web";
         },
         "kestrane.sqlite",
         {}},
        {"a matrix value beyond a byte",
         [](Atelier& a) {
             const auto b = Charge_Ou_Echoue(Lieux_Construits(a.base));
             std::vector<int16_t> matrice(b->Matrice.Data().begin(), b->Matrice.Data().end());
             matrice[1] = 300;  // species 1, state 0
             Ecrit_Tableau_16((a.base / "data" / "MATRICE.DAT").string(), matrice);
             return a.racine / "web";
         },
         "the matrix value 300 does not fit the web key",
         {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Atelier a;
        const fs::path sortie = c.prepare(a);
        const Status s = kb::Exporte_Web(a.base.string(), sortie.string(), a.moteur.string());
        ASSERT_FALSE(s.ok());
        EXPECT_NE(s.message().find(c.erreur), std::string::npos) << s.message();
        EXPECT_EQ(a.Autres(), c.restent);
        if (c.restent == std::vector<std::string>{"mes documents"})
            EXPECT_EQ(Lit(sortie / "lettre.txt"), "dear");
        EXPECT_FALSE(fs::exists(a.base / "documents" / "web"));
    }
}

}  // namespace
}  // namespace kestrane::test
