#include "Commande_Comparaison.h"

#include <string>
#include <vector>

#include "Conversions.h"
#include "Resultats_Json.h"
#include "Textes_Ajoutes.h"
#include "Textes_Base.h"

namespace kestrane::cli {
namespace {

struct Section {
    const char* cle;  // the JSON key
    Texte_Ajoute titre;
    const std::vector<Caractere_Compare>* caracteres;
};

std::string Etats_Texte(const Base_Connaissance& base, const std::vector<int>& etats,
                        std::string_view suffixe, int langue) {
    if (etats.empty())
        return std::string(Chaine_Ajoutee(Texte_Ajoute::Comparaison_Inconnu, langue));
    std::string texte;
    for (const int e : etats) {
        const Etat_Caractere* etat = base.Etat_Par_Numero(e);
        texte += (texte.empty() ? "" : "; ") + (etat ? base.Textes.Etat(*etat, suffixe) : std::to_string(e));
    }
    return texte;
}

std::string Etats_Json(const Base_Connaissance& base, const std::vector<int>& etats,
                       std::string_view suffixe) {
    std::string json = "[";
    for (const int e : etats) {
        const Etat_Caractere* etat = base.Etat_Par_Numero(e);
        json += (json.size() > 1 ? ", " : "") + std::string("{\"state\": ") +
                Json_Texte(etat ? etat->ID_CARAC : std::to_string(e)) +
                ", \"text\": " + Json_Texte(etat ? base.Textes.Etat(*etat, suffixe) : "") + "}";
    }
    return json + "]";
}

}  // namespace

int Trouve_Espece(const Base_Connaissance& base, const std::string& nom) {
    for (size_t s = 0; s < base.Nom_Esp.size(); ++s) {
        if (Equal_No_Case(base.Nom_Esp[s], nom) ||
            (s < base.Flore.size() && Equal_No_Case(base.Flore[s].Code, nom)))
            return static_cast<int>(s);
    }
    return -1;
}

void Ecrit_Comparaison(const Base_Connaissance& base, const Comparaison_Especes& c, int langue, bool json,
                       std::ostream& out) {
    const std::string_view suffixe = Suffixe_Interface(langue);
    const Section sections[] = {
        {"differ", Texte_Ajoute::Comparaison_Differents, &c.Differents},
        {"shared", Texte_Ajoute::Comparaison_Communs, &c.Communs},
        {"only_one", Texte_Ajoute::Comparaison_Un_Seul, &c.Un_Seul},
    };
    const std::string& a = base.Nom_Esp[static_cast<size_t>(c.Espece_A)];
    const std::string& b = base.Nom_Esp[static_cast<size_t>(c.Espece_B)];
    if (json) {
        out << "{\"species\": [" << Json_Texte(a) << ", " << Json_Texte(b) << "]";
        for (const Section& s : sections) {
            out << ", \"" << s.cle << "\": [";
            for (size_t i = 0; i < s.caracteres->size(); ++i) {
                const Caractere_Compare& car = (*s.caracteres)[i];
                const Objet_Fic& o = base.Objets[static_cast<size_t>(car.Position)];
                out << (i ? ", " : "") << "{\"objet\": " << Json_Texte(o.Objet)
                    << ", \"question\": " << Json_Texte(base.Textes.Question(o, suffixe))
                    << ", \"disjoint\": " << (car.Disjoints ? "true" : "false")
                    << ", \"a\": " << Etats_Json(base, car.Etats_A, suffixe)
                    << ", \"b\": " << Etats_Json(base, car.Etats_B, suffixe) << "}";
            }
            out << "]";
        }
        out << "}\n";
        return;
    }
    std::string titre(Chaine_Ajoutee(Texte_Ajoute::Comparaison_Titre, langue));
    titre.replace(titre.find("%1"), 2, a);
    titre.replace(titre.find("%2"), 2, b);
    out << titre << "\n";
    for (const Section& s : sections) {
        out << "\n" << Chaine_Ajoutee(s.titre, langue) << "\n";
        if (s.caracteres->empty())
            out << Chaine_Ajoutee(Texte_Ajoute::Comparaison_Aucun, langue) << "\n";
        for (const Caractere_Compare& car : *s.caracteres) {
            const Objet_Fic& o = base.Objets[static_cast<size_t>(car.Position)];
            out << o.Objet << "\t" << base.Textes.Question(o, suffixe) << "\t"
                << Etats_Texte(base, car.Etats_A, suffixe, langue) << "\t"
                << Etats_Texte(base, car.Etats_B, suffixe, langue) << "\n";
        }
    }
}

}  // namespace kestrane::cli
