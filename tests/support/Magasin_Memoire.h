#pragma once
// A per-user settings store in memory: a value reads as its default until written.

#include <map>
#include <string>

#include "Magasin_Utilisateur.h"

namespace kestrane::test {

class Magasin_Memoire : public Magasin_Utilisateur {
public:
    std::string Lit(const std::string& section, const std::string& cle, const std::string& defaut) const override {
        const auto it = valeurs.find(section + "/" + cle);
        return it == valeurs.end() ? defaut : it->second;
    }
    void Ecrit(const std::string& section, const std::string& cle, const std::string& valeur) override {
        valeurs[section + "/" + cle] = valeur;
    }
    std::map<std::string, std::string> valeurs;  // "Section/Key" -> value
};

}  // namespace kestrane::test
