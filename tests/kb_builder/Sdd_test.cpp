// SDD exchange: a key written by hand imports into a base that identifies its taxa, bad files are
// refused with their line and leave nothing, and the demo flora goes out and comes back alike.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "Chargeur_Base.h"
#include "Export_Sdd.h"
#include "Fonctions_Wmf.h"
#include "Import_Sdd.h"
#include "Metafichier.h"
#include "Outils_Test.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

using test::Classe;
using test::Colonne;
using test::Dossier_Test;
using test::Lit_Texte;

std::unique_ptr<Base_Connaissance> Charge(const fs::path& sortie) {
    auto c = test::Charge_Sortie(sortie);
    EXPECT_TRUE(c.Base) << (c.Echec ? c.Echec->Detail : "");
    return std::move(c.Base);
}

std::string Tout(const std::vector<std::string>& lignes) {
    std::string t;
    for (const auto& l : lignes) t += l + "\n";
    return t;
}

// The hand-written key beside the two pictures it finds (the third it names is not there).
class Sdd_Arbres : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(d_.Chemin() / "photos");
        fs::copy_file(fs::path(KB_SDD) / "arbres.sdd.xml", d_.Chemin() / "arbres.sdd.xml");
        for (const auto& [nom, couleur] :
             {std::pair{"broad.png", Qt::darkGreen}, std::pair{"betula.png", Qt::lightGray}}) {
            QImage image(40, 60, QImage::Format_RGB32);
            image.fill(couleur);
            ASSERT_TRUE(image.save(QString::fromStdString(d_ / ("photos/" + std::string(nom)))));
        }
        const Status s =
            Importe_Sdd(d_ / "arbres.sdd.xml", d_ / "base", &avertissements_,
                        [this](const std::string& etape, size_t, size_t) { etapes_.insert(etape); });
        ASSERT_TRUE(s.ok()) << s.message();
        base_ = Charge(d_.Chemin() / "base");
        ASSERT_TRUE(base_);
    }
    // The state ids species `s` shows, in state order.
    std::vector<std::string> Etats(int s) const {
        std::vector<std::string> out;
        for (const auto& e : base_->Caracteres)
            if (base_->Matrice(s, e.NUM) != 0)
                out.push_back(e.ID_CARAC);
        return out;
    }

    Dossier_Test d_{"kb-sdd"};
    std::vector<std::string> avertissements_;
    std::set<std::string> etapes_;
    std::unique_ptr<Base_Connaissance> base_;
};

TEST_F(Sdd_Arbres, TaxaCharactersMatrixDependenciesLanguagesAndPictures) {
    const Base_Connaissance& b = *base_;
    // Species: the four TaxonNames described and the description that names none.
    EXPECT_EQ(b.Nom_Esp, (std::vector<std::string>{"Betula pendula Roth", "Fagus sylvatica", "Larix decidua",
                                                   "Picea abies", "Pinus sylvestris"}));
    // Pinus: the family above its genus; Larix, without hierarchy: its genus.
    ASSERT_EQ(Colonne(b.Flore, &Espece_Flore::Famille),
              (std::vector<std::string>{"Betulaceae", "Fagaceae", "Larix", "Pinaceae", "Pinaceae"}));
    EXPECT_EQ(b.Flore[0].Legende, "Silver birch in spring");
    // Characters in the tree's order with their frames; the text character is left out; the
    // measured one is divided where the taxa's ranges differ.
    ASSERT_EQ(b.Objets.size(), 4u);
    using Objet = std::tuple<std::string, std::string, int, int, bool>;
    std::vector<Objet> objets;
    for (const char* nom : {"c1", "c2", "c3", "c4"})
        if (const Objet_Fic* o = b.Trouve_Objet(nom))
            objets.emplace_back(o->Objet, o->TipText, o->Nb_Car, o->Cadre, o->Joker);
    EXPECT_EQ(objets, (std::vector<Objet>{{"c1", "Leaf type", 2, 0, true},
                                          {"c2", "Leaf margin", 2, 0, true},
                                          {"c3", "Needles per bundle", 2, 0, false},
                                          {"c4", "Height when grown", 6, 1, true}}));
    ASSERT_TRUE(b.Poids.size() >= 3 && b.Etat_Par_Numero(6) && b.Etat_Par_Numero(11));
    EXPECT_EQ(std::tuple(b.Poids[0], b.Poids[2], b.Etat_Par_Numero(6)->TipText, b.Etat_Par_Numero(11)->TipText),
              std::tuple(5, 1, "up to 20 m", "40 m or more"));
    // A taxon has the states it is coded with; what it does not code stays open unless its own
    // states make the character inapplicable (Larix: leaf type unknown, so every dependant open).
    const std::vector<std::vector<std::string>> matrice{{"s1", "s3", "c4_1", "c4_2"},
                                                        {"s1", "s4", "c4_3", "c4_4", "c4_5"},
                                                        {"s1", "s2", "s3", "s4", "s5", "s6", "c4_5"},
                                                        {"s2", "s6", "c4_4", "c4_5", "c4_6"},
                                                        {"s2", "s5", "c4_2", "c4_3", "c4_4"}};
    for (int s = 0; s < b.Nb_Esp; ++s)
        EXPECT_EQ(Etats(s), matrice[static_cast<size_t>(s)]) << b.Nom_Esp[static_cast<size_t>(s)];
    // Dependencies: the margin only with broad leaves; bundles are inapplicable with broad leaves.
    std::set<std::pair<std::string, std::string>> descendance;
    for (const auto& d : b.Descendance) descendance.insert({d.ID_CARAC, d.Objet});
    EXPECT_EQ(descendance, (std::set<std::pair<std::string, std::string>>{{"s1", "c2"}, {"s2", "c3"}}));
    // English texts with their French translations; German is left out.
    ASSERT_TRUE(b.Trouve_Objet("c1") && b.Etat_Par_Numero(0) && b.Etat_Par_Numero(6));
    EXPECT_EQ(b.Textes.Question(*b.Trouve_Objet("c1"), "fr"), "Type de feuille");
    EXPECT_EQ(b.Textes.Etat(*b.Etat_Par_Numero(0), "fr"), "Large");
    EXPECT_EQ(b.Textes.Etat(*b.Etat_Par_Numero(6), "fr"), "jusqu'à 20 m");
    EXPECT_EQ(b.Communs_Langues, (std::vector<std::string>{"English", "Français"}));
    EXPECT_EQ(Colonne(b.But_Deter, &Bouton_Barre::Key), (std::vector<std::string>{"Search", "Results"}));
    EXPECT_EQ(b.Nb_Robot, 0);
    // Warnings name what was left out or changed.
    const std::string a = Tout(avertissements_);
    for (const char* attendu : {"labels in de are left out",
                                "'Height when grown' (c4) is divided into 6 classes: up to 20 m; 20 to 25 m",
                                "1 character(s) that are neither", "1 picture(s) are not beside the dataset",
                                "http://example.org/needle.jpg", "grouped by their genus"})
        EXPECT_NE(a.find(attendu), std::string::npos) << attendu << "\n" << a;
    // The species page shows the details, made safe, in each language.
    const fs::path pages = d_.Chemin() / "base/documents/b/betpe";
    const std::string en = Lit_Texte(pages / "betpe_en.html"), fr = Lit_Texte(pages / "betpe_fr.html");
    EXPECT_NE(en.find("Birch with <b>white</b> bark."), std::string::npos) << en;
    EXPECT_EQ(en.find("script"), std::string::npos);
    EXPECT_EQ(en.find("example.org"), std::string::npos);
    EXPECT_NE(fr.find("Bouleau à l'écorce <b>blanche</b>."), std::string::npos);
    // A picture found beside the dataset is in the state grid; a missing one gets a card.
    auto images = [&](const char* popup) {
        auto m = wmf::Metafichier::Lit_Fichier((d_.Chemin() / "base/descripteurs" / popup).string());
        EXPECT_TRUE(m.ok()) << popup;
        return m.ok() ? std::count_if(m->enregistrements().begin(), m->enregistrements().end(),
                                      [](const auto& e) { return e.fonction == wmf::STRETCHDIB; })
                      : -1;
    };
    EXPECT_EQ(images("c1.wmf"), 1);
    EXPECT_EQ(images("c2.wmf"), 0);
    EXPECT_EQ(etapes_, (std::set<std::string>{"reading", "pictures", "pages"}));
}

// Each taxon answered with its own description ranks first, tied only with the taxa that have
// every state answered.
TEST_F(Sdd_Arbres, EachTaxonAnsweredWithItsOwnDescriptionRanksFirst) {
    const Base_Connaissance& b = *base_;
    for (int s = 0; s < b.Nb_Esp; ++s) {
        std::vector<std::string> reponses;
        for (const auto& o : b.Objets) {
            std::vector<int> siens;
            for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e)
                if (b.Matrice(s, e) != 0)
                    siens.push_back(e);
            if (!siens.empty() && static_cast<int>(siens.size()) < o.Nb_Car)  // coded, not open
                reponses.push_back(b.Etat_Par_Numero(siens.front())->ID_CARAC);
        }
        const auto rangs = Classe(b, reponses);
        ASSERT_FALSE(rangs.empty());
        EXPECT_EQ(rangs[0].Pourcent, 100) << b.Nom_Esp[static_cast<size_t>(s)];
        bool premier = false;
        for (const auto& r : rangs) {
            if (r.Pourcent < 100)
                break;
            premier = premier || r.Espece == b.Nom_Esp[static_cast<size_t>(s)];
            const auto it = std::find(b.Nom_Esp.begin(), b.Nom_Esp.end(), r.Espece);
            const int t = static_cast<int>(it - b.Nom_Esp.begin());
            for (const auto& id : reponses)
                EXPECT_NE(b.Matrice(t, *b.Etat_Par_Identifiant(id)), 0) << r.Espece;
        }
        EXPECT_TRUE(premier) << b.Nom_Esp[static_cast<size_t>(s)];
    }
}

// A small valid dataset, with a place for what each case breaks.
std::string Document(const std::string& etats_c1 = "", const std::string& codage = "",
                     const std::string& apres = "") {
    return R"(<?xml version="1.0"?>
<Datasets xmlns="http://rs.tdwg.org/UBIF/2006/" xmlns:k="urn:kestrane:sdd:1">
<Dataset>
<TaxonNames><TaxonName id="t1"><Representation><Label>Abies alba</Label></Representation></TaxonName></TaxonNames>
<Characters>
<CategoricalCharacter id="c1"><Representation><Label>Leaf</Label></Representation><States>
<StateDefinition id="s1"><Representation><Label>Needle</Label></Representation></StateDefinition>
)" + etats_c1 +
           R"(</States></CategoricalCharacter>
<CategoricalCharacter id="c2"><Representation><Label>Bark</Label></Representation><States>
<StateDefinition id="s9"><Representation><Label>Smooth</Label></Representation></StateDefinition>
</States></CategoricalCharacter>
</Characters>
<CodedDescriptions><CodedDescription id="d1"><Scope><TaxonName ref="t1"/></Scope><SummaryData>
<Categorical ref="c1"><State ref="s1"/></Categorical>
)" + codage +
           R"(</SummaryData></CodedDescription></CodedDescriptions>
)" + apres +
           R"(</Dataset>
</Datasets>
)";
}

TEST(Sdd_Mauvais, RefusedWithTheLineAndNothingLeftAtTheOutput) {
    struct Cas {
        std::string xml;
        std::string ligne_de;  // the expected line is the first that holds this text
        std::string message;
    };
    const std::string arbre_cycle = "<CharacterTrees><CharacterTree><Nodes>"
        "<CharNode><DependencyRules><OnlyApplicableIf><State ref=\"s9\"/></OnlyApplicableIf></DependencyRules>"
        "<Character ref=\"c1\"/></CharNode><CharNode><DependencyRules><OnlyApplicableIf><State ref=\"s1\"/>"
        "</OnlyApplicableIf></DependencyRules><Character ref=\"c2\"/></CharNode></Nodes></CharacterTree></CharacterTrees>\n";
    std::string sans_fin = Document();
    sans_fin.erase(sans_fin.find("</Categorical>"), 14);
    // clang-format off
    const std::vector<Cas> cas{
        {sans_fin, "</SummaryData>", "malformed XML"},
        {"<?xml version=\"1.0\"?>\n<Keys/>\n", "<Keys/>", "not an SDD document"},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE Datasets [<!ENTITY a \"b\">]>\n<Datasets/>\n", "DOCTYPE", "DTD"},
        {Document("", "<Categorical ref=\"c7\"/>\n"), "c7", "unknown character 'c7'"},
        {Document("", "<Categorical ref=\"c2\"><State ref=\"s4\"/></Categorical>\n"), "s4", "unknown state 's4'"},
        {Document("", "<Categorical ref=\"c2\"><State ref=\"s1\"/></Categorical>\n"), "ref=\"c2\"><State",
         "state 's1' is not a state of character 'c2'"},
        {Document("<StateDefinition id=\"s2\"><Representation><Label> </Label></Representation></StateDefinition>\n"),
         "id=\"s2\"", "state 's2' has no label"},
        {Document("<StateDefinition id=\"s2\"><Representation><Label>Scale</Label><MediaObject ref=\"m9\"/>"
                  "</Representation></StateDefinition>\n"),
         "m9", "unknown media object 'm9'"},
        {Document("<StateDefinition id=\"s1\"><Representation><Label>Twice</Label></Representation></StateDefinition>\n"),
         "Twice", "state id 's1' is defined twice"},
        {Document("<StateDefinition id=\"s2\"><Representation><Label>Scale</Label></Representation>"
                  "<k:Weight value=\"40000\"/></StateDefinition>\n"),
         "40000", "Weight '40000' must be a whole number"},
        {"<?xml version=\"1.0\"?>\n<Datasets xmlns=\"http://rs.tdwg.org/UBIF/2006/\">\n<Dataset xml:lang=\"en\">\n"
         "<TaxonNames/></Dataset></Datasets>\n", "<Dataset ", "no coded description"},
        {Document("", "", arbre_cycle), "<CategoricalCharacter id=\"c1\"", "cycle through character 'c1'"},
        {Document("", "",
                  "<CharacterTrees><CharacterTree><Nodes>\n<Node id=\"a\"><Parent ref=\"b\"/></Node>\n"
                  "<Node id=\"b\"><Parent ref=\"a\"/></Node>\n</Nodes></CharacterTree></CharacterTrees>\n"),
         "<Parent ref=\"b\"/>", "the nodes of the character tree form a cycle"},
    };
    // clang-format on
    Dossier_Test d("kb-sdd-bad");
    for (const auto& c : cas) {
        test::Ecrit_Texte(d.Chemin() / "bad.xml", c.xml);
        const auto avant = c.xml.begin() + static_cast<std::ptrdiff_t>(c.xml.find(c.ligne_de));
        const size_t ligne = 1 + static_cast<size_t>(std::count(c.xml.begin(), avant, '\n'));
        const Status s = Importe_Sdd(d / "bad.xml", d / "out/base", nullptr);
        ASSERT_FALSE(s.ok()) << c.message;
        EXPECT_EQ(s.message().rfind("bad.xml:" + std::to_string(ligne) + ": ", 0), 0u) << s.message();
        EXPECT_NE(s.message().find(c.message), std::string::npos) << s.message();
        EXPECT_TRUE(!fs::exists(d.Chemin() / "out") || fs::is_empty(d.Chemin() / "out")) << c.message;
    }
    // The command line says the same and fails.
    test::Ecrit_Texte(d.Chemin() / "bad.xml", cas[3].xml);
    const auto [code, sortie] =
        test::Execute(std::string(KB_OUTIL) + " import-sdd " + (d / "bad.xml") + " " + (d / "out/cli"));
    EXPECT_EQ(code, 1);
    EXPECT_NE(sortie.find("unknown character 'c7'"), std::string::npos) << sortie;
    EXPECT_FALSE(fs::exists(d.Chemin() / "out/cli"));
}

// Variants of the small dataset: its language, labels in others, Kestrane's extension, taxa
// named only by their descriptions, pictures outside the dataset's folder.
TEST(Sdd_Variantes, LanguagesExtensionNamesAndPictures) {
    struct Cas {
        std::string xml;
        std::vector<std::string> langues;  // suffixes of Langues_Textes, the origin first
        std::string question, espece, code;
        bool joker;
        std::string avertissement;  // "" when none is expected
    };
    auto document = [](const std::string& avant, const std::string& apres = "") {
        std::string xml = Document("", "", apres);
        xml.replace(xml.find("<Dataset>"), 9, avant);
        return xml;
    };
    std::string sans_taxons = document("<Dataset>");
    sans_taxons.erase(sans_taxons.find("<TaxonNames>"),
                      sans_taxons.find("<Characters>") - sans_taxons.find("<TaxonNames>"));
    sans_taxons.replace(sans_taxons.find("<Scope>"),
                        sans_taxons.find("<SummaryData>") - sans_taxons.find("<Scope>"),
                        "<Representation><Label>Abies nordmanniana</Label></Representation>");
    std::string extension = document("<Dataset>");
    extension.replace(extension.find("</Representation><States>"), 25,
                      "</Representation><k:Suggest value=\"false\"/><States>");
    extension.replace(extension.find("</Representation></TaxonName>"), 29,
                      "</Representation><k:Code value=\"ZZ001\"/></TaxonName>");
    std::string photo = document("<Dataset>",
                                 "<MediaObjects><MediaObject id=\"m1\"><Representation><Label>p</Label>"
                                 "</Representation><Type>Image</Type><Source href=\"../photo.png\"/>"
                                 "</MediaObject></MediaObjects>");
    photo.replace(photo.find("<Label>Needle</Label>"), 21, "<Label>Needle</Label><MediaObject ref=\"m1\"/>");
    std::string francais = document("<Dataset xml:lang=\"fr-FR\">");
    francais.replace(
        francais.find("<Label>Leaf</Label>"), 19,
        "<Label>Feuille</Label><Label xml:lang=\"en\">Leaf</Label><Label xml:lang=\"es\">Hoja</Label>");
    // clang-format off
    const std::vector<Cas> cas{
        {francais, {"fr", "en", "es"}, "Feuille", "Abies alba", "ABIAL", true, ""},
        {document("<Dataset xml:lang=\"de\">"), {"de", "en"}, "Leaf", "Abies alba", "ABIAL", true, ""},
        {document("<Dataset xml:lang=\"tlh-x\">"), {"en"}, "Leaf", "Abies alba", "ABIAL", true, "no two-letter code"},
        {extension, {"en"}, "Leaf", "Abies alba", "ZZ001", false, ""},
        {sans_taxons, {"en"}, "Leaf", "Abies nordmanniana", "ABINO", true, "grouped by their genus"},
        {photo, {"en"}, "Leaf", "Abies alba", "ABIAL", true, "cannot be read (../photo.png)"},
    };
    // clang-format on
    Dossier_Test d("kb-sdd-var");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString(d / "photo.png")));  // outside the dataset's folder
    fs::create_directories(d.Chemin() / "cle");
    for (const auto& c : cas) {
        test::Ecrit_Texte(d.Chemin() / "cle/cle.xml", c.xml);
        std::vector<std::string> avertissements;
        const Status s = Importe_Sdd(d / "cle/cle.xml", d / "base", &avertissements);
        ASSERT_TRUE(s.ok()) << s.message();
        const auto b = Charge(d.Chemin() / "base");
        ASSERT_TRUE(b);
        std::vector<std::string> langues{""};  // the origin, then the others in table order
        for (const auto& l : b->Textes.Langues())
            l.Origine ? void(langues[0] = l.Suffixe) : langues.push_back(l.Suffixe);
        EXPECT_EQ(langues, c.langues) << c.question;
        ASSERT_FALSE(b->Objets.empty());
        ASSERT_NE(b->Trouve_Objet("c1"), nullptr);
        EXPECT_EQ(b->Trouve_Objet("c1")->TipText, c.question);
        EXPECT_EQ(b->Trouve_Objet("c1")->Joker, c.joker);
        ASSERT_EQ(b->Flore.size(), 1u);
        EXPECT_EQ(b->Flore[0].Espece + " " + b->Flore[0].Code, c.espece + " " + c.code);
        const std::string a = Tout(avertissements);
        EXPECT_NE(a.find(c.avertissement), std::string::npos) << a;  // "" is found in any text
    }
}

// The demo flora written as SDD and read back: the same species, characters, states, weights,
// dependencies and matrix (all that the ranking reads, so the same ranking for any answers).
TEST(Sdd_Flore_Demo, RoundTripKeepsTheKey) {
    Dossier_Test d("kb-sdd-demo");
    const auto [code, sortie] =
        test::Execute(std::string(KB_OUTIL) + " export-sdd " + KB_FLORA_BUILT + " " + (d / "demo.xml"));
    ASSERT_EQ(code, 0) << sortie;
    const std::string xml = Lit_Texte(d.Chemin() / "demo.xml");
    for (const char* attendu :
         {"<kestrane:Weight value=\"5\"/>", "<OnlyApplicableIf>", "code=\"NotApplicable\"",
          "<Label xml:lang=\"fr\">", "<kestrane:Code value=\"QUROB\"/>"})
        EXPECT_NE(xml.find(attendu), std::string::npos) << attendu;
    const Status s = Importe_Sdd(d / "demo.xml", d / "retour", nullptr);
    ASSERT_TRUE(s.ok()) << s.message();
    const auto avant = Charge(fs::path(KB_FLORA_BUILT)), apres = Charge(d.Chemin() / "retour");
    ASSERT_TRUE(avant && apres);
    EXPECT_EQ(apres->Nom_Esp, avant->Nom_Esp);
    for (auto champ : {&Espece_Flore::Famille, &Espece_Flore::Code})
        EXPECT_EQ(Colonne(apres->Flore, champ), Colonne(avant->Flore, champ));
    ASSERT_EQ(apres->Objets.size(), avant->Objets.size());
    for (const auto& o : avant->Objets) {
        const Objet_Fic* r = apres->Trouve_Objet(o.Objet);
        ASSERT_NE(r, nullptr) << o.Objet;
        EXPECT_EQ(std::tie(r->Desc_Num, r->Index_Car, r->Nb_Car, r->Cadre, r->Joker, r->TipText),
                  std::tie(o.Desc_Num, o.Index_Car, o.Nb_Car, o.Cadre, o.Joker, o.TipText))
            << o.Objet;
        EXPECT_EQ(apres->Textes.Question(*r, "fr"), avant->Textes.Question(o, "fr"));
    }
    EXPECT_EQ(Colonne(apres->Caracteres, &Etat_Caractere::ID_CARAC),
              Colonne(avant->Caracteres, &Etat_Caractere::ID_CARAC));
    EXPECT_EQ(apres->Poids, avant->Poids);
    EXPECT_EQ(apres->Matrice.Data(), avant->Matrice.Data());
    auto descendance = [](const Base_Connaissance& b) {
        std::set<std::pair<std::string, std::string>> out;
        for (const auto& r : b.Descendance) out.insert({r.ID_CARAC, r.Objet});
        return out;
    };
    EXPECT_EQ(descendance(*apres), descendance(*avant));
}

}  // namespace
}  // namespace kestrane::kb
