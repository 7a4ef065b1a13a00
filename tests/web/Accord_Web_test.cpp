// The web key's engine, run by Node on its compact base, gives what the command-line key gives on
// the same base: the same ranking lines, best question under both strategies, ranked questions,
// contradictions and identification file bytes, on the demo flora and on generated keys (with
// dependencies, species showing several states, and values other than 0 and 1), over random
// answer sets; and the object under points of the portrait, and a saved identification opened again.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "Base_Test.h"
#include "Cle_Test.h"
#include "Commandes_Cle.h"
#include "Ecriture_Base_Compacte.h"
#include "Fichier_Identification.h"
#include "Recherche_Objet.h"
#include "Resultats_Json.h"
#include "Textes_Moteur_Langue.h"

namespace fs = std::filesystem;

namespace kestrane::test {
namespace {

// A point of an 800 x 600 portrait and the colour read there.
struct Point {
    double x, y;
    int32_t couleur;
};

struct Jeu {
    std::vector<std::pair<std::string, std::string>> reponses;
    std::vector<std::pair<std::string, double>> mesures;  // measured values, after the answers
    double tolerance = 10;
    std::vector<int> contra;
    std::vector<Point> points;
};

std::string Lit(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<Jeu> Jeux_Aleatoires(const Base_Connaissance& base, int nombre, unsigned graine) {
    std::mt19937 alea(graine), mesures(graine + 1);
    std::vector<Jeu> jeux(static_cast<size_t>(nombre));
    for (Jeu& jeu : jeux) {
        const int n = static_cast<int>(alea() % 8);
        for (int i = 0; i < n; ++i) {
            const Objet_Fic& o = base.Objets[alea() % base.Objets.size()];
            std::string etat = "-1";
            if (alea() % 10 != 0) {
                const Etat_Caractere* e = base.Etat_Par_Numero(
                    o.Index_Car + static_cast<int>(alea() % static_cast<unsigned>(o.Nb_Car)));
                etat = e ? e->ID_CARAC : "0";
            }
            jeu.reponses.emplace_back(o.Objet, etat);
        }
        // Measures from a generator of their own, so that a base without measured characters gets
        // the sets it always got.
        for (const Mesure_Objet& m : base.Mesures)
            if (mesures() % 2 == 0)
                jeu.mesures.emplace_back(m.Objet, static_cast<double>(mesures() % 60) / 2);
        jeu.tolerance = std::array{0.0, 5.0, 10.0, 25.0}[mesures() % 4];
        for (int i = 0; i < 2; ++i)
            jeu.contra.push_back(static_cast<int>(alea() % static_cast<unsigned>(base.Nb_Esp)));
        for (int i = 0; i < 3; ++i) {
            const auto& palette = base.Couleur_Pixel;
            const int32_t couleur = !palette.empty() && alea() % 2 == 0
                                        ? palette[alea() % palette.size()]
                                        : static_cast<int32_t>(alea() % 0x1000000);
            jeu.points.push_back(
                {static_cast<double>(alea() % 800), static_cast<double>(alea() % 600), couleur});
        }
    }
    return jeux;
}

// What the command-line key prints for each set, in the order accord.js prints it.
std::string Sorties_Cli(const Base_Connaissance& base, const std::vector<Jeu>& jeux,
                        const fs::path& dossier) {
    Reglages reglages;
    reglages.Rep_Robot = "robot/";
    reglages.Rep_Data = "data/";
    std::string sortie;
    const std::string ido = (dossier / "cli.ido").string();
    for (const Jeu& jeu : jeux) {
        cli::Options_Cle options;
        options.json = true;
        for (const auto& [objet, etat] : jeu.reponses) options.reponses.push_back(objet + "=" + etat);
        for (const auto& [objet, valeur] : jeu.mesures) options.mesures.push_back(objet + "=" + Texte_Nombre(valeur));
        options.tolerance = jeu.tolerance;
        std::ostringstream out, err;
        auto lance = [&](cli::Commande_Cle commande) {
            out.str("");
            return cli::Execute_Sur_Base(commande, options, base, reglages, out, err) == 0;
        };
        options.sauvegarde = ido;
        if (!lance(cli::Commande_Cle::Rang)) {
            sortie += "error";
            continue;
        }
        sortie += out.str();
        options.sauvegarde.clear();
        for (const char* strategie : {"standard", "applicable"}) {
            options.strategie = strategie;
            for (const bool toutes : {false, true}) {
                options.toutes = toutes;
                lance(cli::Commande_Cle::Meilleur);
                sortie += out.str();
            }
        }
        for (const int espece : jeu.contra) {
            options.espece = base.Nom_Esp[static_cast<size_t>(espece)];
            lance(cli::Commande_Cle::Contra);
            sortie += out.str();
        }
        static constexpr char hex[] = "0123456789abcdef";
        const std::string octets = Lit(ido);
        for (const unsigned char c : octets) sortie += {hex[c >> 4], hex[c & 15]};
        sortie += "\n";
        // The object under each point, by the window's hit-testing on the answers saved.
        auto r = Decode_Identification(reinterpret_cast<const uint8_t*>(octets.data()), octets.size(),
                                       base.Nb_Etats_Desc, base.Nb_Cadre);
        for (const Point& p : jeu.points) {
            const Zone_Trouvee z = Cherche_Zone(base, r->Etats_Choisis, r->Etat_Cadre, Reference_X(p.x, 800),
                                                Reference_Y(p.y, 600));
            const Objet_Fic* o = z.Objet ? z.Objet : base.Trouve_Objet(Couleur_Proche(base, p.couleur));
            sortie += (o ? o->Objet : std::string()) + "|";
        }
        sortie += "\n";
        // The saved answers opened again give the same ranking.
        options.reponses.clear();
        options.mesures.clear();
        options.ido = ido;
        lance(cli::Commande_Cle::Rang);
        sortie += out.str();
    }
    return sortie;
}

// The same from the web key's engine under Node.
std::string Sorties_Web(const Base_Connaissance& base, const std::vector<Jeu>& jeux,
                        const fs::path& dossier) {
    auto octets = kb::Ecrit_Base_Compacte(base, Noms_Especes::Lit(base));
    if (!octets)
        return "cannot write the compact base: " + octets.status().message();
    std::ofstream(dossier / "base.kbc", std::ios::binary)
        .write(reinterpret_cast<const char*>(octets->data()), static_cast<std::streamsize>(octets->size()));
    const Textes_Moteur t = Textes_Moteur_Langue(0);
    std::string script = "{\"textes\": [" + Json_Texte(t.Especes_A) + ", " + Json_Texte(t.Plus_Discriminant) +
                         ", " + Json_Texte(t.Essayer_Passes) + ", " + Json_Texte(t.Une_Seule_Espece) +
                         "], \"sets\": [";
    for (size_t i = 0; i < jeux.size(); ++i) {
        script += std::string(i ? ", " : "") + "{\"answers\": [";
        for (size_t r = 0; r < jeux[i].reponses.size(); ++r)
            script += std::string(r ? ", " : "") + "[" + Json_Texte(jeux[i].reponses[r].first) + ", " +
                      Json_Texte(jeux[i].reponses[r].second) + "]";
        script += "], \"measures\": [";
        for (size_t m = 0; m < jeux[i].mesures.size(); ++m)
            script += std::string(m ? ", " : "") + "[" + Json_Texte(jeux[i].mesures[m].first) + ", " +
                      Texte_Nombre(jeux[i].mesures[m].second) + "]";
        script += "], \"tolerance\": " + Texte_Nombre(jeux[i].tolerance) + ", \"contra\": [";
        for (size_t c = 0; c < jeux[i].contra.size(); ++c)
            script += (c ? ", " : "") + std::to_string(jeux[i].contra[c]);
        script += "], \"points\": [";
        for (size_t p = 0; p < jeux[i].points.size(); ++p)
            script += (p ? ", " : "") + std::string("[") + std::to_string(jeux[i].points[p].x) + ", " +
                      std::to_string(jeux[i].points[p].y) + ", " + std::to_string(jeux[i].points[p].couleur) +
                      "]";
        script += "]}";
    }
    std::ofstream(dossier / "sets.json") << script << "]}";
    const std::string commande = std::string(KESTRANE_NODE) + " --no-experimental-fetch " +
                                 KESTRANE_WEB_TESTS + "/accord.js " + KESTRANE_WEB_ENGINE + "/kestrane.js " +
                                 (dossier / "base.kbc").string() + " " + (dossier / "sets.json").string() +
                                 " " + (dossier / "web.txt").string();
    if (std::system(commande.c_str()) != 0)
        return "node failed: " + commande;
    return Lit(dossier / "web.txt");
}

void Attend_Accord(const Base_Connaissance& base, int nombre, unsigned graine) {
    const fs::path dossier = Dossier_Temporaire("kestrane-accord");
    const std::vector<Jeu> jeux = Jeux_Aleatoires(base, nombre, graine);
    const std::string cli = Sorties_Cli(base, jeux, dossier);
    const std::string web = Sorties_Web(base, jeux, dossier);
    std::error_code ec;
    fs::remove_all(dossier, ec);
    // Line by line, so that a difference shows where it is.
    std::istringstream a(cli), b(web);
    std::string la, lb;
    int ligne = 0, erreurs = 0;
    while (std::getline(a, la)) {
        ++ligne;
        if (!std::getline(b, lb)) {
            ADD_FAILURE() << "the web key stops at line " << ligne << "; the command line goes on with "
                          << la;
            return;
        }
        if (la != lb && ++erreurs <= 3) {
            // Around the first difference: the lines hold whole rankings.
            const size_t i = static_cast<size_t>(
                std::mismatch(la.begin(), la.end(), lb.begin(), lb.end()).first - la.begin());
            const size_t debut = i < 80 ? 0 : i - 80;
            ADD_FAILURE() << "line " << ligne << ", from column " << debut
                          << "\ncommand line: " << la.substr(debut, 200)
                          << "\nweb key:      " << lb.substr(debut, 200);
        }
    }
    EXPECT_FALSE(std::getline(b, lb)) << "the web key prints more: " << lb;
    EXPECT_EQ(erreurs, 0);
    EXPECT_GT(ligne, nombre * 6);
}

TEST(Accord_Web, La_Flore_De_Demonstration) {
    const auto base = Charge_Ou_Echoue(Lieux_Construits(KB_FLORA_BUILT));
    Attend_Accord(*base, 500, 20260611);
}

TEST(Accord_Web, Des_Cles_Generees) {
    std::mt19937 alea(424242);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        Cle_Memoire cle;
        const int nb_caracteres = 6 + static_cast<int>(alea() % 9);
        for (int c = 0; c < nb_caracteres; ++c) {
            cle.etats.push_back(2 + static_cast<int>(alea() % 4));
            cle.poids.push_back(static_cast<int16_t>(1 + alea() % 5));
            if (c > 0 && alea() % 5 == 0) {
                const int p = static_cast<int>(alea() % static_cast<unsigned>(c));
                cle.dependances.push_back(
                    {c, p,
                     static_cast<int>(alea() % static_cast<unsigned>(cle.etats[static_cast<size_t>(p)]))});
            }
        }
        const int nb_esp = 30 + static_cast<int>(alea() % 170);
        for (int s = 0; s < nb_esp; ++s) {
            std::vector<int> etats;
            for (const int n : cle.etats)
                etats.push_back(alea() % 7 == 0 ? -1 : static_cast<int>(alea() % static_cast<unsigned>(n)));
            cle.especes.push_back(etats);
        }
        auto base = Construit(cle);
        if (k == 1) {  // C0 measured: cuts 5, 10, ...; species' ranges within 0 .. 30, some without
            Mesure_Objet m{"C0", "mm", {}, {}, {}, -1};
            for (int j = 1; j < cle.etats[0]; ++j) m.Limites.push_back(5.0 * j);
            for (int s = 0; s < nb_esp; ++s) {
                const double bas = static_cast<double>(alea() % 50) / 2, haut = bas + static_cast<double>(alea() % 12) / 2;
                m.Bas.push_back(alea() % 7 == 0 ? std::nan("") : bas);
                m.Haut.push_back(m.Bas.back() == m.Bas.back() ? haut : std::nan(""));
            }
            base->Mesures.push_back(std::move(m));
            base->Indexe();
        }
        // Species that show several states; on the last key, values other than 0 and 1 as well.
        for (auto& v : base->Matrice.Data()) {
            if (alea() % 20 == 0)
                v = k == 2 && alea() % 2 == 0 ? static_cast<Cellule_Matrice>(alea() % 2 == 0 ? 2 : -1) : 1;
        }
        Attend_Accord(*base, 200, 1000 + static_cast<unsigned>(k));
    }
}

}  // namespace
}  // namespace kestrane::test
