// The pure helpers of the SDD import: HTML made safe, labels made plain, measurements divided
// into classes, media addresses judged.
#include <gtest/gtest.h>

#include <filesystem>

#include "Classes_Mesures.h"
#include "Medias_Sdd.h"
#include "Nettoyage_Html.h"
#include "Outils_Test.h"

namespace kestrane::kb {
namespace {

// {fragment} -> the safe HTML that keeps its formatting and drops what could run or load, or the
// plain text of a label.
TEST(Nettoyage_Html, SafeHtmlKeepsFormattingDropsWhatCouldRunOrLoadAndPlainTextKeepsTheText) {
    const std::tuple<std::string (*)(std::string_view), const char*, const char*> cas[] = {
        {Nettoie_Html, "<p>White <b>bark</b></p>", "<p>White <b>bark</b></p>"},
        {Nettoie_Html, "<P CLASS=x onclick='go()'>a</P>", "<p>a</p>"},
        {Nettoie_Html, "a<script>alert(1)</script>b<SCRIPT src=x></SCRIPT>c", "abc"},
        {Nettoie_Html, "<style>p{}</style><iframe src='http://x'>t</iframe>z", "z"},
        {Nettoie_Html, "<img src=\"http://example.org/x.png\">leaf", " leaf"},
        {Nettoie_Html, "<a href=\"javascript:go()\">link</a>", "link"},
        {Nettoie_Html, "<!-- note --><b>x", "<b>x</b>"},
        {Nettoie_Html, "x</i> < 3 & y &amp; &#233;", "x &lt; 3 &amp; y &amp; &#233;"},
        {Nettoie_Html, "<ul><li>one<li>two</ul>", "<ul><li>one<li>two</li></li></ul>"},
        {Nettoie_Html, "<script>never closed", ""},
        {Nettoie_Html, "<b attr=\"a>b\">q</b>", "<b>q</b>"},
        {Nettoie_Html, "blade length<width, <script and <b", "blade length&lt;width, &lt;script and &lt;b"},
        {Texte_Brut, "<i>Viola hederacea</i> Labill.", "Viola hederacea Labill."},
        {Texte_Brut, "  Leaf\n  complexity ", "Leaf complexity"},
        {Texte_Brut, "A &amp; B &lt;c&gt; &#233;t&#xE9;", "A & B <c> été"},
        {Texte_Brut, "line<br>break", "line break"},
        {Texte_Brut, "<script>x</script>", ""},
        {Texte_Label, "blade length<width", "blade length<width"},
        {Texte_Label, "<i>Viola</i> &lt;img src=/x.png&gt; &amp; &#60;b>",
         "Viola &lt;img src=/x.png&gt; &amp; &#60;b>"},
    };
    for (const auto& [fonction, entree, attendu] : cas) EXPECT_EQ(fonction(entree), attendu) << entree;
}

TEST(Classes_Mesures, CutWhereTheTaxaDifferAndReadable) {
    using E = std::optional<Etendue>;
    struct Cas {
        std::vector<E> etendues;
        size_t max;
        std::vector<std::pair<double, double>> classes;
    };
    const std::vector<Cas> cas{
        // Ranges that overlap: a class for each piece the same taxa share.
        {{Etendue{15, 25}, Etendue{25, 40}, Etendue{20, 35}, std::nullopt}, 8, {{15, 20}, {20, 25}, {25, 35}, {35, 40}}},
        // A gap joins the class below it; equal taxa on both sides of a limit make one class.
        {{Etendue{1, 2}, Etendue{5, 6}}, 8, {{1, 5}, {5, 6}}},
        {{Etendue{1, 4}, Etendue{1, 4}}, 8, {{1, 4}}},
        // Single values: one class when all are equal.
        {{Etendue{3, 3}, Etendue{3, 3}}, 8, {{3, 3}}},
        // A single value above every range is a class of its own, as is one below them all.
        {{Etendue{10, 10}, Etendue{1, 2}}, 8, {{1, 2}, {2, 10}}},
        {{Etendue{1, 1}, Etendue{4, 6}, Etendue{10, 10}}, 8, {{1, 4}, {4, 6}, {6, 10}}},
        // Too many classes: the neighbours whose taxa differ least are joined.
        {{Etendue{1, 2}, Etendue{2, 3}, Etendue{3, 4}, Etendue{4, 5}}, 2, {{1, 3}, {3, 5}}},
        {{std::nullopt}, 8, {}},
    };
    for (const auto& c : cas) {
        std::vector<std::pair<double, double>> classes;
        for (const Classe_Mesure& k : Divise_En_Classes(c.etendues, c.max)) classes.emplace_back(k.Bas, k.Haut);
        EXPECT_EQ(classes, c.classes);
    }
    // Membership: a range belongs to the classes it overlaps, a single value to the class that
    // starts at or below it; the first and last classes reach beyond the measures.
    const std::vector<Classe_Mesure> classes{{15, 20}, {20, 25}, {25, 40}};
    const std::pair<Etendue, std::vector<bool>> appartenances[] = {
        {{15, 20}, {true, false, false}}, {{18, 30}, {true, true, true}}, {{20, 20}, {false, true, false}},
        {{40, 40}, {false, false, true}}, {{2, 3}, {true, false, false}}, {{60, 70}, {false, false, true}},
    };
    for (const auto& [e, attendu] : appartenances)
        EXPECT_EQ((std::vector<bool>{Dans_Classe(e, classes, 0), Dans_Classe(e, classes, 1), Dans_Classe(e, classes, 2)}),
                  attendu) << e.Bas << " .. " << e.Haut;
    const std::pair<const char*, std::vector<std::string>> textes[] = {
        {"en", {"up to 20 mm", "20 to 25 mm", "25 mm or more"}},
        {"fr", {"jusqu'à 20 mm", "de 20 à 25 mm", "25 mm ou plus"}},
        {"es", {"hasta 20 mm", "de 20 a 25 mm", "25 mm o más"}},
    };
    for (const auto& [langue, attendus] : textes)
        EXPECT_EQ((std::vector<std::string>{Texte_Classe(classes, 0, "mm", langue), Texte_Classe(classes, 1, "mm", langue),
                                            Texte_Classe(classes, 2, "mm", langue)}),
                  attendus) << langue;
    EXPECT_EQ(Texte_Classe({{2.5, 2.5}}, 0, "", "en"), "2.5");
}

// {href in a dataset} -> the file read, or none: nothing outside the dataset's folder (by its real
// place), nothing too large, no folder; a path or address from elsewhere by its file name here.
TEST(Medias_Sdd, AddressesReadOnlyInsideTheDatasetsFolder) {
    namespace fs = std::filesystem;
    test::Dossier_Test d("kb-medias");
    const fs::path cle = fs::canonical(d.Chemin()) / "cle";
    fs::create_directories(cle / "photos");
    for (const fs::path& f : {cle / "photos/a.png", cle / "b.png", fs::path(d / "dehors.png")})
        test::Ecrit_Texte(f, "x");
    fs::create_symlink(d / "dehors.png", cle / "lien.png");
    test::Ecrit_Texte(cle / "gros.png", "");
    fs::resize_file(cle / "gros.png", Taille_Max_Media + 1);
    const std::pair<std::string, std::string> cas[] = {
        {"photos/a.png", "photos/a.png"},
        {"photos%2Fa.png", "photos/a.png"},
        {"photos\\a.png", "photos/a.png"},
        {(cle / "photos/a.png").string(), "photos/a.png"},
        {"C:\\Images\\b.png", "b.png"},
        {"/home/auteur/b.png", "b.png"},
        {"http://example.org/img/b.png", "b.png"},
        {"http://example.org/img/c.png", ""},
        {"../dehors.png", ""},
        {"photos/../../dehors.png", ""},
        {d / "dehors.png", ""},
        {"lien.png", ""},
        {"gros.png", ""},
        {"photos", ""},
        {"", ""},
    };
    for (const auto& [href, attendu] : cas)
        EXPECT_EQ(Fichier_Media_Sdd(href, cle), attendu.empty() ? "" : (cle / attendu).string()) << href;
    for (const auto& [href, web] : {std::pair{"http://example.org/a.png", true}, {"https://example.org/a", true},
                                    {"javascript:alert(1)", false}, {"file:///etc/passwd", false},
                                    {"https://", false}, {"photos/a.png", false}})
        EXPECT_EQ(Adresse_Web(href), web) << href;
}

}  // namespace
}  // namespace kestrane::kb
