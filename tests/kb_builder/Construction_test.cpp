#include "Construction_Base.h"
#include "Ecriture_Documents.h"
#include "Ecriture_Images.h"
#include "Import_Sdd.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <thread>

#include "Base_Test.h"
#include "Database.h"
#include "Echantillonneur_Palette_Wmf.h"
#include "Outils_Test.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

using test::Dossier_Test;

// The small source as the build made it with the builder.
TEST(Construction, SmallSourceGivesTheTablesCountsAndFilesTheProgramReads) {
    const fs::path sortie = KESTRANE_BASES "/petite";
    const auto base = test::Charge(sortie);
    ASSERT_TRUE(base);
    const Base_Connaissance& b = *base;
    EXPECT_EQ(std::tuple(b.Nb_Esp, b.Nb_Etats_Desc, b.Nb_Cadre, b.Nb_Robot, b.Nb_But_Deter, b.Nb_But_Quest,
                         b.Nb_Couleurs, b.Nb_Contraintes),
              std::tuple(4, 11, 3, 2, 4, 3, 2, 2));
    // States are numbered in source order, each character owning a run of them, its picture's grid
    // holding them (Proprietes_Cles_test.cpp checks the numbering and matrix of generated sources).
    const Objet_Fic* fruit = b.Trouve_Objet("Fruit");
    ASSERT_NE(fruit, nullptr);
    EXPECT_EQ(std::tuple(fruit->Desc_Num, fruit->Lignes * fruit->Colonnes), std::tuple(3, 4));
    // Rules end with "Fin" and the first piece names a metafile variant; zones take their frames
    // by first appearance (Leaf 0, Twig 1, Fruit 2).
    ASSERT_TRUE(b.Hierarchie.size() == 4 && b.Clic_Zone.size() == 4 && b.Code_Couleur.size() == 2 &&
                b.But_Deter.size() == 4);
    EXPECT_EQ(std::tie(b.Hierarchie[0].Nom, b.Hierarchie[0].Conditions, b.Hierarchie[1].Conditions_Terminees,
                       b.Hierarchie[2].Nom),
              std::tuple("ground02.wmf", std::vector<std::string>{"LT_NEEDLE"}, true, "leaf_pinnate"));
    EXPECT_EQ(std::tuple(b.Clic_Zone[3].Cadre, b.Clic_Zone[3].Test_Cadre, b.Contradictions.size(),
                         b.Code_Couleur[1], b.But_Deter[2].Key),
              std::tuple(1, true, 2u, "Fruit", "Search"));
    // The files the tables point at are the base check's (a sound build checks clean there); the
    // guide and the picture sizes are not.
    EXPECT_TRUE(fs::is_regular_file(sortie / "help/guide.html"));
    EXPECT_EQ(QImage((sortie / "documents/p/pisyl/pisyl.gif").string().c_str()).size(), QSize(2200, 3300));
    EXPECT_EQ(QImage((sortie / "robot/contra/cross.ico").string().c_str()).width(), 32) << "an unreadable icon";
    // The palette picture holds the source's colours as bands, left to right, as the program samples them.
    wmf::Echantillonneur_Palette_Wmf palette((sortie / "data/couleur.wmf").string(), 200, 50);
    EXPECT_EQ(palette.Echantillonne(2), (std::vector<int32_t>{0x00578b2e, 0x002d52a0}));
    // Pages in a language take the translated texts where the source gives them, the default elsewhere.
    const std::pair<const char*, std::vector<const char*>> pages[] = {
        {"frexc_fr.html", {"href=\"frexc_en.html\"", "href=\"dessin_frexc_fr.html\"",
                           "Quel type de feuilles ? &ndash; Feuilles larges", "How are the leaves set? &ndash; Opposées"}},
        {"dessin_frexc_en.html", {"src=\"frexc.gif\"", "href=\"frexc_en.html\""}}};
    for (const auto& [nom, pieces] : pages) {
        const std::string page = test::Lit_Texte(sortie / "documents/f/frexc" / nom);
        for (const char* piece : pieces) EXPECT_NE(page.find(piece), std::string::npos) << nom << ": " << piece;
    }
    // Common names in their language's order ("Érable" before "Frêne", which a byte order would put last).
    auto vue = b.Base_Donnees->Open_Query("Vernaculaire_Français");
    ASSERT_TRUE(vue.ok());
    std::vector<std::string> noms;
    for ((*vue)->Move_First(); !(*vue)->Eof(); (*vue)->Move_Next()) noms.push_back((*vue)->Get("Nom").Text());
    EXPECT_EQ(noms, (std::vector<std::string>{"Érable sycomore", "Frêne commun", "Marronnier d'Inde",
                                              "Pin sylvestre"}));
}

// Every path under `dossier` with the size of each file: a folder compared whole.
std::map<std::string, uintmax_t> Contenu(const fs::path& dossier) {
    std::map<std::string, uintmax_t> out;
    for (const auto& e : fs::recursive_directory_iterator(dossier))
        out[fs::relative(e.path(), dossier).string()] = e.is_regular_file() ? e.file_size() : 0;
    return out;
}

// An earlier base at `sortie`: a copy of the small base, with a mark among its pages.
void Base_Anterieure(const fs::path& sortie) {
    fs::copy(KESTRANE_BASES "/petite", sortie, fs::copy_options::recursive);
    test::Ecrit_Texte(sortie / "documents/previous.txt", "the previous base");
}

// {a fault put into a copy of the small source} -> the refusal names the file and line; OUT keeps
// the earlier base and no temporary folder is left beside it.
TEST(Construction, BrokenSourceIsRefusedWithFileAndLineAndOutIsLeftAlone) {
    using namespace std::string_literals;
    const struct {
        const char* nom;
        const char* fichier;
        const char* avant;
        std::string apres;  // "<delete>": the file is removed
        const char* attendu;
    } cas[] = {
        // clang-format off
        {"DuplicateCode", "especes.csv", "ACPSE,Acer", "FREXC,Acer", "especes.csv:4: duplicate code"},
        {"DuplicateIdCarac", "caracteres.csv", "FR_CAPS,", "FR_KEY1,", "caracteres.csv:11: duplicate ID_CARAC"},
        {"UnknownIdInRule", "portrait.csv", "leaf_pinnate,LC_PINNATE", "leaf_pinnate,LC_BIPINNATE", "portrait.csv:4:"},
        {"UnknownIdInZone", "zones.csv", "900,LT_BROAD", "900,LT_WIDE", "zones.csv:2:"},
        {"UnknownObjectInDependency", "dependances.csv", "LT_BROAD,Arrangement", "LT_BROAD,Arrangment", "dependances.csv:3:"},
        {"UnknownMatrixColumn", "matrice.csv", "FR_CONE\n", "FR_CONES\n", "matrice.csv:1:"},
        {"MatrixValueNotBinary", "matrice.csv", "PISYL,,1", "PISYL,,2", "matrice.csv:5:"},
        {"SpeciesWithoutMatrixRow", "matrice.csv", "ACPSE,1,,1,,,,1,,1,,\n", "", "especes.csv:4:"},
        {"PaletteCodeNamesNoCharacter", "couleurs.csv", "Fruit,", "Fruits,", "couleurs.csv:3:"},
        {"DependencyCycle", "dependances.csv", "LT_BROAD,Arrangement", "LT_BROAD,Arrangement\nLA_ALT,Leaf_Type", "dependances.csv"},
        {"MissingPortraitDrawing", "portrait/leaf_pinnate.svg", "", "<delete>", "portrait.csv:4:"},
        {"MissingStateDrawing", "etats/needle.svg", "", "<delete>", "caracteres.csv:3:"},
        {"MissingToolbarPicture", "barres/results.svg", "", "<delete>", "barre_determination.csv:5:"},
        {"ButtonKeyNamesNothing", "barre_determination.csv", "Fruit,Fruit", "Fruit,Fruitt", "barre_determination.csv:3:"},
        {"MissingRequiredFile", "langues.csv", "", "<delete>", "langues.csv:1:"},
        {"BadCode", "especes.csv", "PISYL,", "PISY,", "especes.csv:5:"},
        {"PieceWithoutDefault", "portrait.csv", "leaf,leaf,\n", "leaf,leaf,LT_BROAD\n", "portrait.csv:1:"},
        {"TranslationIntoAnUnlistedLanguage", "caracteres.csv",
         "Question_fr", "Question_de", "caracteres.csv:1: column 'Question_de' is in language 'de'"},
        {"TranslationOfATextTheRowHasNot", "caracteres.csv",
         "needle,,", "needle,Aiguilles ?,", "caracteres.csv:3: Question_fr translates a Question"},
        {"NulInASpeciesName", "especes.csv", "Pinus sylvestris", "Pinus\0sylvestris"s, "especes.csv:5: a NUL byte"},
        {"Latin1Text", "caracteres.csv", "Opposées", "Oppos\xE9" "es", "caracteres.csv:8: the text is not UTF-8"},
        {"DrawingReadsAnotherFile", "portrait/leaf_pinnate.svg", "<ellipse",
         "<image href=\"../../../etc/secret.png\" width=\"9\" height=\"9\"/><ellipse",
         "leaf_pinnate.svg:1: <image> names '../../../etc/secret.png'"},
        // clang-format on
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        Dossier_Test d("kb-broken");
        const fs::path source = d.Chemin() / "source", sortie = d.Chemin() / "out";
        test::Copie_Source("petite", source);
        if (std::string(k.apres) == "<delete>")
            fs::remove(source / k.fichier);
        else
            test::Remplace(source / k.fichier, k.avant, k.apres);
        Base_Anterieure(sortie);
        const auto avant = Contenu(d.Chemin());
        const Status s = Construit_Base(source.string(), sortie.string());
        ASSERT_FALSE(s.ok());
        EXPECT_NE(s.message().find(k.attendu), std::string::npos) << s.message();
        EXPECT_EQ(Contenu(d.Chemin()), avant);
    }
}

// mesures.csv and etendues.csv give a measured character's unit, cuts and the species' ranges (a
// single value without Haut); a range that names nothing or is reversed stops the build.
TEST(Construction, MeasuredCharactersComeFromTheirTwoFiles) {
    const auto construit = [](const char* etendues) {
        Dossier_Test d("kb-mesures");
        const fs::path source = d.Chemin() / "source", sortie = d.Chemin() / "out";
        test::Copie_Source("petite", source);
        test::Ecrit_Texte(source / "mesures.csv", "Objet,Unite,Limites\nComposition,mm,2;5.5\n");
        test::Ecrit_Texte(source / "etendues.csv", std::string("Code,Objet,Bas,Haut\n") + etendues);
        const Status s = Construit_Base(source.string(), sortie.string());
        std::optional<Mesure_Objet> mesure;
        if (s.ok())
            if (const auto base = test::Charge(sortie); base && base->Mesures.size() == 1)
                mesure = base->Mesures[0];
        return std::pair(s.ok() ? std::string() : s.message(), mesure);
    };
    const auto [message, mesure] = construit("PISYL,Composition,1,2\nFREXC,composition,7,\n");
    ASSERT_TRUE(mesure) << message;
    // Species in Flore order: Acer, Aesculus, Fraxinus, Pinus; no range reads -1 here.
    const auto etendues = [](const std::vector<double>& v) {
        std::vector<double> out;
        for (double x : v) out.push_back(x == x ? x : -1);
        return out;
    };
    EXPECT_EQ(std::tuple(mesure->Objet, mesure->Unite, mesure->Limites, etendues(mesure->Bas), etendues(mesure->Haut)),
              std::tuple("Composition", "mm", std::vector<double>{2, 5.5}, std::vector<double>{-1, -1, 7, 1},
                         std::vector<double>{-1, -1, 7, 2}));
    for (const auto& [etendues, attendu] :
         {std::pair{"PISYL,Composition,4,3\n", "etendues.csv:2: Bas 4 exceeds Haut 3"},
          std::pair{"PISYX,Composition,1,2\n", "etendues.csv:2: Code 'PISYX' names no species"},
          std::pair{"PISYL,Leaf_Type,1,2\n", "etendues.csv:2: Objet 'Leaf_Type' is no character of mesures.csv"},
          std::pair{"PISYL,Composition,x,2\n", "etendues.csv:2: Bas and Haut must be numbers"}})
        EXPECT_NE(construit(etendues).first.find(attendu), std::string::npos) << attendu << "\n" << construit(etendues).first;
}

// {what OUT is} -> the build or import is refused and everything is as it was, or the base takes
// OUT's place and nothing else is left beside it.
TEST(Construction, OutIsReplacedOnlyWhenNewEmptyOrAnEarlierBase) {
    const struct {
        const char* nom;
        std::function<fs::path(const fs::path&)> prepare;  // makes OUT in the case's folder
        const char* attendu;                               // "" when the base replaces OUT
        bool sdd = false;  // imports proj/arbres.sdd.xml instead of building ./source
    } cas[] = {
        // clang-format off
        {"AUsersFolder", [](const fs::path& d) { fs::create_directories(d / "out");
             test::Ecrit_Texte(d / "out/notes.txt", "mine"); return d / "out"; },
         "out: is not an earlier Kestrane base (it holds 'notes.txt')"},
        {"AFile", [](const fs::path& d) { test::Ecrit_Texte(d / "out", "mine"); return d / "out"; },
         "out: is a file, not a folder"},
        {"TheSourceFolder", [](const fs::path& d) { return d / "source"; }, "which the base is made from"},
        {"AFolderAboveTheSource", [](const fs::path& d) { return d; }, "which the base is made from"},
        {"TheDatasetsFolder", [](const fs::path& d) { return d / "proj"; }, "which the base is made from", true},
        {"AnEarlierBaseThatGainedAFile", [](const fs::path& d) { Base_Anterieure(d / "out");
             test::Ecrit_Texte(d / "out/notes.txt", "mine"); return d / "out"; }, "(it holds 'notes.txt')"},
        {"AnEmptyFolder", [](const fs::path& d) { fs::create_directories(d / "out"); return d / "out"; }, ""},
        {"AnEarlierBase", [](const fs::path& d) { Base_Anterieure(d / "out"); return d / "out"; }, ""},
        {"ANewFolderInNewFolders", [](const fs::path& d) { return d / "a/b/out"; }, ""},
        // clang-format on
    };
    std::vector<long> ouverts;  // the files the process holds after each base made: none left behind
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        Dossier_Test d("kb-out");
        test::Copie_Source("petite", d.Chemin() / "source");
        fs::create_directories(d.Chemin() / "proj");
        fs::copy_file(fs::path(KB_SDD) / "arbres.sdd.xml", d.Chemin() / "proj/arbres.sdd.xml");
        const fs::path sortie = k.prepare(d.Chemin());
        const auto avant = Contenu(d.Chemin());
        const Status s = k.sdd ? Importe_Sdd(d / "proj/arbres.sdd.xml", sortie.string(), nullptr)
                               : Construit_Base(d / "source", sortie.string());
        if (*k.attendu) {
            ASSERT_FALSE(s.ok());
            EXPECT_NE(s.message().find(k.attendu), std::string::npos) << s.message();
            EXPECT_EQ(Contenu(d.Chemin()), avant);
            continue;
        }
        ASSERT_TRUE(s.ok()) << s.message();
        ouverts.push_back(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
        EXPECT_TRUE(fs::exists(sortie / "data/kestrane.sqlite") &&
                    !fs::exists(sortie / "documents/previous.txt"));
        std::set<std::string> dessus;
        for (const auto& e : fs::directory_iterator(d.Chemin())) dessus.insert(e.path().filename().string());
        EXPECT_EQ(dessus, (std::set<std::string>{"proj", "source",
                                                 fs::relative(sortie, d.Chemin()).begin()->string()}));
    }
    EXPECT_EQ(ouverts, std::vector<long>(ouverts.size(), ouverts.back()));
    // A failed build leaves none of the folders it made for OUT.
    Dossier_Test d("kb-out-parents");
    test::Copie_Source("petite", d.Chemin() / "source");
    test::Remplace(d.Chemin() / "source/zones.csv", "900,LT_BROAD", "900,LT_WIDE");
    ASSERT_FALSE(Construit_Base(d / "source", d / "a/b/out").ok());
    EXPECT_FALSE(fs::exists(d.Chemin() / "a"));
}

// Work folders of runs that were killed (their process is gone) are removed by the next run
// beside them, an earlier base moved aside going back to its place; a live run's and a user's
// folders stay, those whose names are nearly a work folder's too.
TEST(Construction, WorkFoldersOfADeadRunAreRemovedByTheNextOne) {
    const pid_t mort = fork();
    if (mort == 0)
        _exit(0);
    ASSERT_GT(mort, 0);
    waitpid(mort, nullptr, 0);
    Dossier_Test d("kb-stale");
    const std::string m = std::to_string(mort), vivant = std::to_string(getpid());
    for (const std::string& nom :
         {".out.build-" + m + "-0a1b2c3d", ".out.sdd-" + m + "-0a1b2c3e", ".base.old-" + m + "-0a1b2c3f",
          ".out.build-" + vivant + "-0a1b2c40", ".out.notes-" + m + "-0a1b2c41", ".out.build-" + m,
          ".out.build-" + m + "-", ".out.build-" + m + "-notes", ".out.build-x" + m + "-0a1b2c43",
          std::string(".out.build-123456789012345678901-0a1b2c42")})
        fs::create_directories(d.Chemin() / nom / "data");
    ASSERT_TRUE(Construit_Base(std::string(KB_SOURCES) + "/petite", d / "out").ok());
    std::set<std::string> restent;
    for (const auto& e : fs::directory_iterator(d.Chemin())) restent.insert(e.path().filename().string());
    EXPECT_EQ(restent, (std::set<std::string>{"out", "base", ".out.build-" + vivant + "-0a1b2c40",
                                              ".out.notes-" + m + "-0a1b2c41", ".out.build-" + m,
                                              ".out.build-" + m + "-", ".out.build-" + m + "-notes",
                                              ".out.build-x" + m + "-0a1b2c43", ".out.build-123456789012345678901-0a1b2c42"}));
}

// The tool stopped by a signal while it works removes its work folders before it ends.
TEST(Outil, ASignalDuringABuildLeavesNoWorkFolder) {
    Dossier_Test d("kb-signal");
    const pid_t pid = fork();
    if (pid == 0) {
        execl(KB_OUTIL, KB_OUTIL, "build", KB_SOURCES "/petite", (d / "out").c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    bool vu = false;
    for (int k = 0; k < 60000 && !vu; ++k) {
        for (const auto& e : fs::directory_iterator(d.Chemin()))
            vu = vu || e.path().filename().string()[0] == '.';
        if (!vu)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(pid, SIGTERM);
    int statut = 0;
    waitpid(pid, &statut, 0);
    ASSERT_TRUE(vu) << "no work folder was seen";
    EXPECT_TRUE(WIFSIGNALED(statut) && WTERMSIG(statut) == SIGTERM) << statut;
    EXPECT_TRUE(fs::is_empty(d.Chemin()));
}

// {a command of the tool on a broken source, a damaged base, the sound base, a file that is no SDD}
// -> its exit status and what it says; a refused build or import leaves no output.
TEST(Outil, ExitsNonZeroOnARefusalAndSaysWhy) {
    Dossier_Test d("kb-cli");
    const fs::path source = d.Chemin() / "source", sortie = d.Chemin() / "out";
    test::Copie_Source("petite", source);
    test::Remplace(source / "zones.csv", "900,LT_BROAD", "900,LT_WIDE");
    const kestrane::test::Copie_Base abimee("petite");
    fs::remove(abimee.Dossier() / "data/couleur.wmf");
    test::Ecrit_Texte(d / "cle.xml", "<?xml version=\"1.0\"?>\n<Keys/>\n");
    const struct {
        std::string arguments;
        int code;
        const char* attendu;
    } cas[] = {
        {"build " + source.string() + " " + sortie.string(), 1, "zones.csv:2:"},
        {"check " + abimee.Dossier().string(), 1, "couleur.wmf: is missing"},
        {"check " KESTRANE_BASES "/petite", 0, "warning: "},  // warnings alone leave the base sound
        {"import-sdd " + (d / "cle.xml") + " " + sortie.string(), 1, "cle.xml:2: not an SDD document"},
    };
    for (const auto& c : cas) {
        const auto [code, texte] = test::Execute(std::string(KB_OUTIL) + " " + c.arguments);
        EXPECT_EQ(code, c.code) << c.arguments << "\n" << texte;
        EXPECT_NE(texte.find(c.attendu), std::string::npos) << c.arguments << "\n" << texte;
        EXPECT_FALSE(fs::exists(sortie)) << c.arguments;
    }
}

// {a species' page values} -> the sections its page shows, and those it leaves out: no heading over
// nothing, the group under its rank, a picture as a figure with its caption (which then stands
// once), a picture on the web as a link, a file that is no picture left out.
TEST(Construction, SpeciesPagesShowTheSectionsTheyHaveOnce) {
    Dossier_Test d("kb-pages");
    fs::create_directories(d.Chemin() / "source/documents");
    test::Ecrit_Texte(d.Chemin() / "source/documents/textes.csv",
                      "Cle,en\nFamille,Family\nGenre,Genus\nNoms,Common names\nSans_Dessin,No picture.\n");
    QImage photo(300, 200, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    ASSERT_TRUE(photo.save(QString::fromStdString(d / "photo.png")));
    test::Ecrit_Texte(d.Chemin() / "texte.png", "not a picture");
    // An icon whose directory says 16 pixels but which holds a picture 1500 wide: still reduced.
    QByteArray large, icone;
    QBuffer tampon(&large);
    ASSERT_TRUE(tampon.open(QIODevice::WriteOnly) && photo.scaled(1500, 100).save(&tampon, "PNG"));
    QDataStream o(&icone, QIODevice::WriteOnly);  // the header, then the one image's entry
    o.setByteOrder(QDataStream::LittleEndian);
    o << quint16(0) << quint16(1) << quint16(1) << quint32(16 | 16 << 8) << quint16(1) << quint16(32)
      << quint32(large.size()) << quint32(22);
    test::Ecrit_Texte(d.Chemin() / "icone.ico", (icone + large).toStdString());
    const struct {
        std::function<void(Espece_Source&)> change;
        std::vector<std::string> montre, cache;
    } cas[] = {
        // clang-format off
        {[](Espece_Source&) {}, {"<p>Family: Betulaceae</p>", "<p>No picture.</p>"}, {"Common names", "<figure", "<li>"}},
        {[](Espece_Source& e) { e.Famille = "Larix", e.Rang = "Genre"; }, {"<p>Genus: Larix</p>"}, {"Family"}},
        {[](Espece_Source& e) { e.Famille.clear(); }, {}, {"Family", "<p></p>"}},
        {[](Espece_Source& e) { e.Noms["en"] = {"Birch", "Silver birch"}; }, {"<p>Common names: Birch, Silver birch</p>"}, {}},
        {[](Espece_Source& e) { e.Legende = "In spring"; }, {"<p>In spring</p>"}, {"<figure"}},
        {[&](Espece_Source& e) {
             e.Legende = "In spring";
             e.Images = {{d / "photo.png", "", "In spring", {}}, {"", "https://example.org/b.jpg", "", {}}};
         },
         {"<figure><img src=\"case6_1.jpg\" alt=\"In spring\"", "<figcaption>In spring</figcaption>",
          "<li><a href=\"https://example.org/b.jpg\">https://example.org/b.jpg</a></li>"},
         {"<p>In spring</p>", "case6_2"}},
        {[&](Espece_Source& e) { e.Images = {{d / "texte.png", "", "Bark", {}}}; }, {}, {"<figure", "Bark", "<li>"}},
        {[](Espece_Source& e) { e.Description = "<p>White <b>bark</b>.</p>"; }, {"<p>White <b>bark</b>.</p>"}, {}},
        {[&](Espece_Source& e) { e.Images = {{d / "icone.ico", "", "", {}}}; }, {"<img src=\"case9_1.jpg\""}, {}},
        // clang-format on
    };
    Base_Source source;
    source.Dossier = d / "source";
    source.Langues = {{"en", "English"}};
    for (size_t k = 0; k < std::size(cas); ++k) {
        Espece_Source e;
        e.Code = "CASE" + std::to_string(k + 1);
        e.Espece = "Betula " + std::to_string(k + 1);
        e.Famille = "Betulaceae";
        e.Noms["en"] = {};
        cas[k].change(e);
        source.Especes.push_back(std::move(e));
    }
    ASSERT_TRUE(Ecrit_Documents(source, d / "base").ok());
    for (size_t k = 0; k < std::size(cas); ++k) {
        const std::string c5 = "case" + std::to_string(k + 1);
        const std::string page = test::Lit_Texte(d.Chemin() / "base/documents/c" / c5 / (c5 + "_en.html"));
        for (const auto& piece : cas[k].montre)
            EXPECT_EQ(page.find(piece), page.rfind(piece)) << c5 << ": twice " << piece;
        for (const auto& piece : cas[k].montre) EXPECT_NE(page.find(piece), std::string::npos) << c5 << ": " << piece << page;
        for (const auto& piece : cas[k].cache) EXPECT_EQ(page.find(piece), std::string::npos) << c5 << ": " << piece << page;
    }
    EXPECT_EQ(
        std::tuple(QImage(QString::fromStdString(d / "base/documents/c/case6/case6_vignette.png")).size(),
                   fs::exists(d.Chemin() / "base/documents/c/case7/case7_vignette.png"),
                   QImage(QString::fromStdString(d / "base/documents/c/case9/case9_1.jpg")).size()),
        std::tuple(QSize(64, 42), false, QSize(1200, 80)));
}

// The 256-colour drawings keep each flat colour exactly, a one-pixel line along the top edge too.
TEST(Construction, GifDrawingsKeepTheirFlatColours) {
    Dossier_Test d("kb-gif");
    QImage dessin(40, 7, QImage::Format_RGB32);
    dessin.fill(Qt::white);
    for (int x = 0; x < 40; ++x) dessin.setPixel(x, 0, qRgb(200, 0, 0));
    for (int y = 3; y < 7; ++y)
        for (int x = 10; x < 30; ++x) dessin.setPixel(x, y, qRgb(0, 0, 180));
    ASSERT_TRUE(Ecrit_Gif(dessin, d / "d.gif").ok());
    EXPECT_EQ(QImage(QString::fromStdString(d / "d.gif")).convertToFormat(QImage::Format_RGB32), dessin);
}

}  // namespace
}  // namespace kestrane::kb
