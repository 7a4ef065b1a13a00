// The web key's engine on a base of 10,000 species x 4,000 states (1,000 characters of 4 states),
// run by Node, against its targets:
//   the module's memory with the base loaded                        < 64 MB
//   an answer to a refreshed ranking (the ranking's JSON parsed)    < 50 ms
// and the figures without a target: the file's size, the load, a search under each strategy (after
// 20 answers, and with all species tied), a search by name. The base is the engine bench's
// synthetic one, written as a compact base file.
// `web_bench --base FILE` only writes that file, for the page's bench in a browser (page_bench.mjs).

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "Base_Test.h"
#include "Ecriture_Base_Compacte.h"
#include "Resultats_Json.h"

int main(int argc, char** argv) {
    using namespace kestrane;
    const test::Base_Temporaire dossier(test::Base_Synthetique(10000, 1000, 4, 1234));
    Chargement c = Charge_Base(dossier.Lieux(), nullptr);
    if (!c.Base) {
        std::fprintf(stderr, "web_bench: the synthetic base does not load\n");
        return 1;
    }
    auto octets = kb::Ecrit_Base_Compacte(*c.Base, Noms_Especes::Lit(*c.Base));
    if (!octets) {
        std::fprintf(stderr, "web_bench: %s\n", octets.status().message().c_str());
        return 1;
    }
    const bool seule_base = argc == 3 && std::string(argv[1]) == "--base";
    const std::string base = seule_base ? std::string(argv[2]) : dossier.Dossier() + "base.kbc";
    std::ofstream(base, std::ios::binary)
        .write(reinterpret_cast<const char*>(octets->data()), static_cast<std::streamsize>(octets->size()));
    if (seule_base)
        return 0;
    // 20 answers on distinct characters, as the engine bench gives them.
    std::mt19937 alea(99);
    std::string reponses = "[";
    for (int i = 0; i < 20; ++i) {
        const Objet_Fic& o = c.Base->Objets[static_cast<size_t>(i * 37 % 1000)];
        const Etat_Caractere* e = c.Base->Etat_Par_Numero(o.Index_Car + static_cast<int>(alea() % 4));
        reponses +=
            std::string(i ? ", " : "") + "[" + Json_Texte(o.Objet) + ", " + Json_Texte(e->ID_CARAC) + "]";
    }
    std::ofstream(dossier.Dossier() + "answers.json") << reponses << "]";
    const std::string commande = std::string(KESTRANE_NODE) + " --no-experimental-fetch " +
                                 KESTRANE_WEB_BENCH + "/bench_web.js " + KESTRANE_WEB_ENGINE +
                                 "/kestrane.js " + base + " " + dossier.Dossier() + "answers.json";
    return std::system(commande.c_str()) == 0 ? 0 : 1;
}
