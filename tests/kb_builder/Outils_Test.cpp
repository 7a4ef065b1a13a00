#include "Outils_Test.h"

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gtest/gtest.h>

#include "Calcul_Classement.h"
#include "Base_Test.h"

namespace fs = std::filesystem;

namespace kestrane::kb::test {

void Copie_Source(const std::string& nom, const fs::path& cible) {
    fs::copy(fs::path(KB_SOURCES) / nom, cible,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::string Lit_Texte(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Ecrit_Texte(const fs::path& p, const std::string& texte) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << texte;
}

void Remplace(const fs::path& p, const std::string& avant, const std::string& apres) {
    std::string t = Lit_Texte(p);
    Ecrit_Texte(p, t.replace(t.find(avant), avant.size(), apres));  // throws when `avant` is absent
}

std::vector<Rang> Classe(const Base_Connaissance& base, const std::vector<std::string>& reponses) {
    std::vector<int16_t> choisis(static_cast<size_t>(base.Nb_Etats_Desc), 0);
    for (const auto& id : reponses) {
        auto e = base.Etat_Par_Identifiant(id);
        if (!e)
            throw std::runtime_error("unknown state " + id);
        choisis[static_cast<size_t>(*e)] = 1;
    }
    Resultats_Classement r = Resultats_Classement::Initial(base.Nb_Esp);
    Calcul_Classement(base).Calcule(choisis, r);
    std::vector<Rang> out;
    for (size_t k = 0; k < r.Classement_Esp.Espece.size() && k < r.Pourcent_Esp.size(); ++k)
        out.push_back({base.Nom_Esp[static_cast<size_t>(r.Classement_Esp.Espece[k])], r.Pourcent_Esp[k]});
    return out;
}

std::unique_ptr<Base_Connaissance> Charge(const fs::path& sortie) {
    return kestrane::test::Charge_Ou_Echoue(kestrane::test::Lieux_Construits(sortie));
}

std::pair<int, std::string> Execute(const std::string& commande) {
    std::string sortie;
    FILE* f = popen((commande + " 2>&1").c_str(), "r");
    if (!f)
        return {-1, ""};
    std::array<char, 4096> tampon{};
    size_t n = 0;
    while ((n = fread(tampon.data(), 1, tampon.size(), f)) > 0) sortie.append(tampon.data(), n);
    const int statut = pclose(f);
    return {WIFEXITED(statut) ? WEXITSTATUS(statut) : -1, sortie};
}

}  // namespace kestrane::kb::test
