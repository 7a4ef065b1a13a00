// SDD exchange: a key written by hand imports into a base that identifies its taxa, bad files are
// refused with their line and leave nothing (Proprietes_Cles_test.cpp takes keys out and back).
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "Fonctions_Wmf.h"
#include "Import_Sdd.h"
#include "Metafichier.h"
#include "Outils_Test.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

using test::Charge;
using test::Colonne;
using test::Dossier_Test;

// The dependencies as (parent state, character) pairs.
std::set<std::pair<std::string, std::string>> Dependances(const Base_Connaissance& b) {
    std::set<std::pair<std::string, std::string>> out;
    for (const auto& r : b.Descendance) out.insert({r.ID_CARAC, r.Objet});
    return out;
}

std::string Tout(const std::vector<std::string>& lignes) {
    std::string t;
    for (const auto& l : lignes) t += l + "\n";
    return t;
}

// The hand-written key beside the two pictures it finds (the third it names is not there).
TEST(Sdd_Arbres, TaxaCharactersMatrixDependenciesLanguagesAndPictures) {
    Dossier_Test d("kb-sdd");
    fs::create_directories(d.Chemin() / "photos");
    fs::copy_file(fs::path(KB_SDD) / "arbres.sdd.xml", d.Chemin() / "arbres.sdd.xml");
    for (const auto& [nom, couleur] : {std::pair{"broad.png", Qt::darkGreen}, std::pair{"betula.png", Qt::lightGray}}) {
        QImage image(40, 60, QImage::Format_RGB32);
        image.fill(couleur);
        ASSERT_TRUE(image.save(QString::fromStdString(d / ("photos/" + std::string(nom)))));
    }
    std::vector<std::string> avertissements;
    std::map<std::string, size_t> etapes;  // each step and where its progress starts
    const Status s =
        Importe_Sdd(d / "arbres.sdd.xml", d / "base", &avertissements,
                    [&](const std::string& etape, size_t fait, size_t) { etapes.emplace(etape, fait); });
    ASSERT_TRUE(s.ok()) << s.message();
    const auto base = Charge(d.Chemin() / "base");
    ASSERT_TRUE(base);
    const Base_Connaissance& b = *base;
    // Species: the four TaxonNames described and the description that names none.
    EXPECT_EQ(b.Nom_Esp, (std::vector<std::string>{"Betula pendula Roth", "Fagus sylvatica", "Larix decidua",
                                                   "Picea abies", "Pinus sylvestris"}));
    // Pinus: the family above its genus; Larix, without hierarchy: its genus.
    ASSERT_EQ(Colonne(b.Flore, &Espece_Flore::Famille),
              (std::vector<std::string>{"Betulaceae", "Fagaceae", "Larix", "Pinaceae", "Pinaceae"}));
    EXPECT_EQ(b.Flore[0].Legende, "Silver birch in spring");
    // Characters c1 .. c4 in the tree's order with their frames; the text character is left out; the
    // measured one is divided where the taxa's ranges differ.
    EXPECT_EQ(Colonne(b.Objets, &Objet_Fic::TipText),
              (std::vector<std::string>{"Leaf type", "Leaf margin", "Needles per bundle", "Height when grown"}));
    EXPECT_EQ(std::tuple(Colonne(b.Objets, &Objet_Fic::Nb_Car), Colonne(b.Objets, &Objet_Fic::Cadre),
                         Colonne(b.Objets, &Objet_Fic::Joker)),
              std::tuple(std::vector{2, 2, 2, 6}, std::vector{0, 0, 0, 1}, std::vector{true, true, false, true}));
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
    ASSERT_EQ(b.Nb_Esp, 5);
    for (int t = 0; t < b.Nb_Esp; ++t) {
        std::vector<std::string> etats;  // the state ids taxon t shows, in state order
        for (const auto& e : b.Caracteres)
            if (b.Matrice(t, e.NUM) != 0)
                etats.push_back(e.ID_CARAC);
        EXPECT_EQ(etats, matrice[static_cast<size_t>(t)]) << b.Nom_Esp[static_cast<size_t>(t)];
    }
    // The measured character keeps its unit, its classes' cuts and each taxon's range (a mean alone
    // as a single value); written back as SDD and read again, they come back with the same classes.
    ASSERT_EQ(b.Mesures.size(), 1u);
    const Mesure_Objet& hauteur = b.Mesures[0];
    EXPECT_EQ(std::tuple(hauteur.Objet, hauteur.Unite, hauteur.Limites, hauteur.Bas, hauteur.Haut),
              std::tuple("c4", "m", std::vector<double>{20, 25, 30, 35, 40}, std::vector<double>{15, 25, 35, 30, 20},
                         std::vector<double>{25, 40, 35, 50, 35}));
    {
        const auto [code, sortie] =
            test::Execute(std::string(KB_OUTIL) + " export-sdd " + (d / "base") + " " + (d / "a.xml"));
        ASSERT_EQ(code, 0) << sortie;
        ASSERT_TRUE(Importe_Sdd(d / "a.xml", d / "retour", nullptr).ok());
        const auto retour = Charge(d.Chemin() / "retour");
        ASSERT_TRUE(retour);
        EXPECT_EQ(retour->Mesures, b.Mesures);
        EXPECT_EQ(retour->Matrice.Data(), b.Matrice.Data());
    }
    // Dependencies: the margin only with broad leaves; bundles are inapplicable with broad leaves.
    EXPECT_EQ(Dependances(b), (std::set<std::pair<std::string, std::string>>{{"s1", "c2"}, {"s2", "c3"}}));
    // English texts with their French translations; German is left out.
    ASSERT_TRUE(b.Trouve_Objet("c1") && b.Etat_Par_Numero(0));
    EXPECT_EQ(std::tuple(b.Textes.Question(*b.Trouve_Objet("c1"), "fr"), b.Textes.Etat(*b.Etat_Par_Numero(0), "fr"),
                         b.Textes.Etat(*b.Etat_Par_Numero(6), "fr")),
              std::tuple("Type de feuille", "Large", "jusqu'à 20 m"));
    EXPECT_EQ(b.Communs_Langues, (std::vector<std::string>{"English", "Français"}));
    EXPECT_EQ(Colonne(b.But_Deter, &Bouton_Barre::Key), (std::vector<std::string>{"Search", "Results"}));
    EXPECT_EQ(b.Nb_Robot, 0);
    // Warnings name what was left out or changed.
    const std::string a = Tout(avertissements);
    for (const char* attendu : {"labels in de are left out",
                                "'Height when grown' (c4) is divided into 6 classes: up to 20 m; 20 to 25 m",
                                "1 character(s) that are neither", "2 picture(s) are not beside the dataset",
                                "http://example.org/needle.jpg", "grouped by their genus",
                                "1 media object(s) are web addresses with no copy beside the dataset"})
        EXPECT_NE(a.find(attendu), std::string::npos) << attendu << "\n" << a;
    // The species page shows the details, made safe, in each language.
    const fs::path pages = d.Chemin() / "base/documents/b/betpe";
    const std::string en = test::Lit_Texte(pages / "betpe_en.html"), fr = test::Lit_Texte(pages / "betpe_fr.html");
    const auto fois = [](const std::string& page, const std::string& texte) {
        size_t n = 0;
        for (size_t i = page.find(texte); i != std::string::npos; i = page.find(texte, i + 1)) ++n;
        return n;
    };
    // Each text once, the group under its own rank, no empty section, no caption without its picture.
    EXPECT_EQ(std::tuple(fois(en, "Birch with <b>white</b> bark."), fois(en, "<p>Family: Betulaceae</p>"),
                         fois(en, "Common names"), fois(en, ">Silver birch in spring<")),
              std::tuple(1u, 1u, 0u, 1u)) << en;
    const std::string larix = test::Lit_Texte(d.Chemin() / "base/documents/l/larde/larde_en.html");
    const std::string picea = test::Lit_Texte(d.Chemin() / "base/documents/p/picab/picab_en.html");
    EXPECT_EQ(std::tuple(fois(larix, "<p>Genus: Larix</p>"), fois(picea, "<p></p>")), std::tuple(1u, 0u))
        << larix << picea;
    EXPECT_EQ(en.find("script"), std::string::npos);
    EXPECT_EQ(en.find("example.org"), std::string::npos);
    // The taxon's picture is a figure with its caption, and its thumbnail; a picture on the web is
    // only linked to; the character's notes and its states' pictures make its help page, in each
    // language, made safe; a character without any has none.
    EXPECT_EQ(std::tuple(fois(en, "<figure><img src=\"betpe_1.jpg\""), fois(en, "<figcaption>Silver birch in spring"),
                         fois(picea, "<a href=\"http://example.org/needle.jpg\">A needle</a>"),
                         QImage(QString::fromStdString((pages / "betpe_vignette.png").string())).height(),
                         QImage(QString::fromStdString((pages / "betpe_1.jpg").string())).size()),
              std::tuple(1u, 1u, 1u, 60, QSize(40, 60))) << en << picea;
    EXPECT_FALSE(fs::exists(d.Chemin() / "base/documents/f/fagsy/fagsy_vignette.png"));
    const fs::path aide = d.Chemin() / "base/documents/aide";
    const std::string aide_en = test::Lit_Texte(aide / "c1_en.html"), aide_fr = test::Lit_Texte(aide / "c1_fr.html");
    EXPECT_EQ(std::tuple(fois(aide_en, "<h1>Leaf type</h1>"), fois(aide_en, "<p>The blade, not its stalk.</p>"),
                         fois(aide_en, "<h2>Broad</h2>"), fois(aide_en, "src=\"c1_1_1.jpg\""),
                         fois(aide_en, "example.org/needle.jpg"), fois(aide_en, "script"),
                         fois(aide_fr, "Le limbe, pas le pétiole."), fois(aide_fr, "<h2>Large</h2>")),
              std::tuple(1u, 1u, 1u, 1u, 1u, 0u, 1u, 1u)) << aide_en << aide_fr;
    EXPECT_TRUE(fs::exists(aide / "c1_1_1.jpg"));
    EXPECT_FALSE(fs::exists(aide / "c2_en.html"));
    EXPECT_NE(fr.find("Bouleau à l'écorce <b>blanche</b>."), std::string::npos);
    // Its guide explains the list of questions that stands where a portrait would.
    const std::string guide = test::Lit_Texte(d.Chemin() / "base/help/guide.html");
    EXPECT_NE(guide.find("listed where a portrait would stand"), std::string::npos) << guide;
    // A picture found beside the dataset is in the state grid, a missing one gets a card; a character
    // without any picture has none: it is asked from the list of its states' texts.
    auto images = [&](const char* popup) {
        auto m = wmf::Metafichier::Lit_Fichier((d.Chemin() / "base/descripteurs" / popup).string());
        EXPECT_TRUE(m.ok()) << popup;
        return m.ok() ? std::count_if(m->enregistrements().begin(), m->enregistrements().end(),
                                      [](const auto& e) { return e.fonction == wmf::STRETCHDIB; })
                      : -1;
    };
    EXPECT_EQ(images("c1.wmf"), 1);
    EXPECT_EQ(std::tuple(Colonne(b.Objets, &Objet_Fic::Popup), fs::exists(d.Chemin() / "base/descripteurs/c2.wmf")),
              std::tuple(std::vector<std::string>{"c1.wmf", "", "", ""}, false));
    // A taxon with a picture has its drawing; one without has none, and its pages say so.
    EXPECT_TRUE(fs::exists(pages / "betpe.gif"));
    const fs::path hetre = d.Chemin() / "base/documents/f/fagsy";
    EXPECT_FALSE(fs::exists(hetre / "fagsy.gif"));
    for (const char* page : {"fagsy_en.html", "dessin_fagsy_en.html"})
        EXPECT_NE(test::Lit_Texte(hetre / page).find("No picture of this species."), std::string::npos) << page;
    EXPECT_EQ(etapes, (std::map<std::string, size_t>{{"reading", 0}, {"pictures", 0}, {"pages", 0}}));
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

// `xml` with the first occurrence of each `avant` replaced (one missing throws: the test fails).
std::string Avec(std::string xml, const std::vector<std::pair<std::string, std::string>>& remplacements) {
    for (const auto& [avant, apres] : remplacements) xml.replace(xml.find(avant), avant.size(), apres);
    return xml;
}

// {a broken document} -> its refusal, on the line that first holds a text, and nothing written.
TEST(Sdd_Mauvais, RefusedWithTheLineAndNothingLeftAtTheOutput) {
    std::string profond;  // 100,000 nested elements
    for (int k = 0; k < 200000; ++k) profond += k < 100000 ? "<i>" : "</i>";
    const struct {
        std::string xml;
        std::string ligne_de;
        std::string message;
    } cas[] = {
        // clang-format off
        {Avec(Document(), {{"</Categorical>", ""}}), "</SummaryData>", "malformed XML"},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE Datasets [<!ENTITY a \"b\">]>\n<Datasets/>\n", "DOCTYPE", "DTD"},
        {Document("", "<Categorical ref=\"c7\"/>\n"), "c7", "unknown character 'c7'"},
        {Document("", "<Categorical ref=\"c2\"><State ref=\"s4\"/></Categorical>\n"), "s4", "unknown state 's4'"},
        {Document("", "<Categorical ref=\"c2\"><State ref=\"s1\"/></Categorical>\n"), "ref=\"c2\"><State",
         "state 's1' is not a state of character 'c2'"},
        {Document("<StateDefinition id=\"s2\"><Representation><Label> </Label></Representation></StateDefinition>\n"),
         "id=\"s2\"", "state 's2' has no label"},
        {Document("<StateDefinition id=\"s2\"><Representation><Label>Scale</Label><MediaObject ref=\"m9\"/>"
                  "</Representation></StateDefinition>\n"), "m9", "unknown media object 'm9'"},
        {Document("<StateDefinition id=\"s1\"><Representation><Label>Twice</Label></Representation></StateDefinition>\n"),
         "Twice", "state id 's1' is defined twice"},
        {Document("<StateDefinition id=\"s2\"><Representation><Label>Scale</Label></Representation>"
                  "<k:Weight value=\"40000\"/></StateDefinition>\n"), "40000", "Weight '40000' must be a whole number"},
        {Avec(Document(), {{"<CodedDescription id=\"d1\">", "<!--"}, {"</CodedDescription>", "-->"}}), "<Dataset>",
         "no coded description"},
        {Document("", "", "<CharacterTrees><CharacterTree><Nodes><CharNode><DependencyRules><OnlyApplicableIf>"
                  "<State ref=\"s9\"/></OnlyApplicableIf></DependencyRules><Character ref=\"c1\"/></CharNode><CharNode>"
                  "<DependencyRules><OnlyApplicableIf><State ref=\"s1\"/></OnlyApplicableIf></DependencyRules><Character "
                  "ref=\"c2\"/></CharNode></Nodes></CharacterTree></CharacterTrees>\n"),
         "<CategoricalCharacter id=\"c1\"", "cycle through character 'c1'"},
        {Document("", "", "<CharacterTrees><CharacterTree><Nodes>\n<Node id=\"a\"><Parent ref=\"b\"/></Node>\n"
                  "<Node id=\"b\"><Parent ref=\"a\"/></Node>\n</Nodes></CharacterTree></CharacterTrees>\n"),
         "<Parent ref=\"b\"/>", "the nodes of the character tree form a cycle"},
        {Avec(Document(), {{"<Label>Needle</Label>", "<Label>Needle</Label>\n<Detail>" + profond + "</Detail>"}}),
         "<Detail>", "elements are nested more than 200 deep"},
        {Avec(Document(), {{"<Label>Bark</Label>", "<Label>B\xFF" "ark</Label>"}}), "B\xFF", "malformed XML"},
        // clang-format on
    };
    Dossier_Test d("kb-sdd-bad");
    for (const auto& c : cas) {
        SCOPED_TRACE(c.message);
        test::Ecrit_Texte(d.Chemin() / "bad.xml", c.xml);
        const auto avant = c.xml.begin() + static_cast<std::ptrdiff_t>(c.xml.find(c.ligne_de));
        const size_t ligne = 1 + static_cast<size_t>(std::count(c.xml.begin(), avant, '\n'));
        const Status s = Importe_Sdd(d / "bad.xml", d / "out/base", nullptr);
        ASSERT_FALSE(s.ok());
        EXPECT_EQ(s.message().rfind("bad.xml:" + std::to_string(ligne) + ": ", 0), 0u) << s.message();
        EXPECT_NE(s.message().find(c.message), std::string::npos) << s.message();
        EXPECT_TRUE(!fs::exists(d.Chemin() / "out") || fs::is_empty(d.Chemin() / "out"));
    }
}

// {variants of the small dataset: its language, labels in others, pictures outside the dataset's
// folder} -> what the base holds (the hand-written key names a taxon by its description only, the
// round trip carries the extension's codes and Joker flags).
TEST(Sdd_Variantes, LanguagesAndPictures) {
    std::string autres;  // elements the reader passes over, more than it lets elements nest
    for (int k = 0; k < 300; ++k) autres += "<Other><x/></Other>";
    std::string etats;
    for (int k = 2; k <= 1000; ++k)
        etats += "<StateDefinition id=\"x" + std::to_string(k) + "\"><Representation><Label>S" + std::to_string(k) +
                 "</Label></Representation></StateDefinition>";
    const struct {
        std::string xml;
        std::vector<std::string> langues;  // suffixes of Langues_Textes, the origin first
        std::string question;
        std::string avertissement;  // "" when none is expected
    } cas[] = {
        {Avec(Document(), {{"<Dataset>", "<Dataset xml:lang=\"fr-FR\">"},
                           {"<Label>Leaf</Label>", "<Label>Feuille</Label><Label xml:lang=\"en\">Leaf</Label>"
                                                   "<Label xml:lang=\"es\">Hoja</Label>"}}),
         {"fr", "en", "es"}, "Feuille", ""},
        {Avec(Document(), {{"<Dataset>", "<Dataset xml:lang=\"de\">"}}), {"de", "en"}, "Leaf", ""},
        {Avec(Document(), {{"<Dataset>", "<Dataset xml:lang=\"tlh-x\">"}}), {"en"}, "Leaf", "no two-letter code"},
        {Avec(Document("", "", "<MediaObjects><MediaObject id=\"m1\"><Representation><Label>p</Label></Representation>"
                               "<Type>Image</Type><Source href=\"../photo.png\"/></MediaObject></MediaObjects>"),
              {{"<Label>Needle</Label>", "<Label>Needle</Label><MediaObject ref=\"m1\"/>"}}),
         {"en"}, "Leaf", "cannot be read (../photo.png)"},
        {Avec(Document("", "", "<MediaObjects><MediaObject id=\"m1\"><Representation><Label>p</Label></Representation>"
                               "<Type>Image</Type><Source href=\"dessin.svg\"/></MediaObject></MediaObjects>"),
              {{"<Label>Needle</Label>", "<Label>Needle</Label><MediaObject ref=\"m1\"/>"}}),
         {"en"}, "Leaf", "cannot be read (dessin.svg)"},
        {Avec(Document(), {{"<Label>Leaf</Label>", "<Label>blade length&lt;width &amp;lt;b&amp;gt;</Label>"}}),
         {"en"}, "blade length<width &lt;b&gt;", ""},
        {Avec(Document(), {{"<Dataset>", "<Dataset>" + autres}}), {"en"}, "Leaf", ""},
        // More states than a state picture holds: without pictures, they are listed instead.
        {Document(etats), {"en"}, "Leaf", ""},
    };
    Dossier_Test d("kb-sdd-var");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString(d / "photo.png")));  // outside the dataset's folder
    fs::create_directories(d.Chemin() / "cle");
    test::Ecrit_Texte(
        d.Chemin() / "cle/dessin.svg",  // a picture beside the dataset that shows the one outside
        "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
        "width=\"8\" height=\"8\" viewBox=\"0 0 8 8\"><image xlink:href=\"../photo.png\" "
        "width=\"8\" height=\"8\"/></svg>\n");
    for (const auto& c : cas) {
        SCOPED_TRACE(c.question + " " + c.avertissement);
        test::Ecrit_Texte(d.Chemin() / "cle/cle.xml", c.xml);
        std::vector<std::string> avertissements;
        const Status s = Importe_Sdd(d / "cle/cle.xml", d / "base", &avertissements);
        ASSERT_TRUE(s.ok()) << s.message();
        const auto b = Charge(d.Chemin() / "base");
        ASSERT_TRUE(b && b->Trouve_Objet("c1") && b->Flore.size() == 1);
        std::vector<std::string> langues{""};  // the origin, then the others in table order
        for (const auto& l : b->Textes.Langues()) l.Origine ? void(langues[0] = l.Suffixe) : langues.push_back(l.Suffixe);
        EXPECT_EQ(langues, c.langues);
        EXPECT_EQ(b->Trouve_Objet("c1")->TipText, c.question);
        EXPECT_EQ(b->Flore[0].Espece + " " + b->Flore[0].Code, "Abies alba ABIAL");
        EXPECT_NE(Tout(avertissements).find(c.avertissement), std::string::npos) << Tout(avertissements);
    }
}

// {the rank of the taxon above a species} -> the label of its group on the species page.
TEST(Sdd_Rangs, TheSpeciesPageNamesTheGroupByItsRank) {
    const std::pair<const char*, const char*> cas[] = {
        {"fam", "Family: Grex"},      {"gen", "Genus: Grex"},          {"subgen", "Subgenus: Grex"},
        {"sect", "Section: Grex"},    {"ord", "Order: Grex"},          {"cl", "Class: Grex"},
        {"", "Group: Grex"},
    };
    Dossier_Test d("kb-sdd-rangs");
    for (const auto& [rang, attendu] : cas) {
        test::Ecrit_Texte(d.Chemin() / "cle.xml",
                          Avec(Document(), {{"</TaxonNames>", "<TaxonName id=\"g\"><Representation><Label>Grex</Label>"
                                                              "</Representation><Rank code=\"" + std::string(rang) +
                                                              "\"/></TaxonName></TaxonNames><TaxonHierarchies>"
                                                              "<TaxonHierarchy><Nodes><Node id=\"n1\"><TaxonName ref=\"g\"/>"
                                                              "</Node><Node id=\"n2\"><Parent ref=\"n1\"/><TaxonName "
                                                              "ref=\"t1\"/></Node></Nodes></TaxonHierarchy>"
                                                              "</TaxonHierarchies>"}}));
        ASSERT_TRUE(Importe_Sdd(d / "cle.xml", d / "base", nullptr).ok()) << rang;
        const std::string page = test::Lit_Texte(d.Chemin() / "base/documents/a/abial/abial_en.html");
        EXPECT_NE(page.find("<p>" + std::string(attendu) + "</p>"), std::string::npos) << rang << page;
    }
}
}  // namespace
}  // namespace kestrane::kb
