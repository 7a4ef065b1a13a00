#include "Commande_Info.h"

#include "Resultats_Json.h"

namespace kestrane::cli {
namespace {

struct Compte {
    const char* nom;
    int valeur;
};

std::vector<Compte> Comptes(const Base_Connaissance& b) {
    return {{"Nb_Esp", b.Nb_Esp},         {"Nb_Etats_Desc", b.Nb_Etats_Desc}, {"Nb_Cadre", b.Nb_Cadre},
            {"Nb_Robot", b.Nb_Robot},     {"Nb_But_Car", b.Nb_But_Car},       {"Nb_But_Deter", b.Nb_But_Deter},
            {"Nb_But_Quest", b.Nb_But_Quest}, {"Nb_Couleurs", b.Nb_Couleurs}, {"Nb_Contraintes", b.Nb_Contraintes}};
}

std::string Famille(const Base_Connaissance& b, size_t s) { return s < b.Flore.size() ? b.Flore[s].Famille : ""; }
std::string Code(const Base_Connaissance& b, size_t s) { return s < b.Flore.size() ? b.Flore[s].Code : ""; }

void Ecrit_Texte(const Base_Connaissance& b, std::string_view suffixe, std::ostream& out) {
    out << "Base: " << b.Chemin_Base << "\n";
    for (const auto& c : Comptes(b)) out << "  " << c.nom << " = " << c.valeur << "\n";
    out << "Species (" << b.Nom_Esp.size() << "):\n";
    for (size_t s = 0; s < b.Nom_Esp.size(); ++s) {
        out << "  " << s << "  " << b.Nom_Esp[s] << "  [" << Code(b, s) << ", " << Famille(b, s) << "]\n";
    }
    out << "Characters (" << b.Objets.size() << "):\n";
    for (const auto& o : b.Objets) {
        out << "  " << o.Objet << "  \"" << b.Textes.Question(o, suffixe) << "\"  states " << o.Index_Car << ".."
            << o.Index_Car + o.Nb_Car - 1 << "  frame " << o.Cadre << (o.Joker ? "" : "  (never proposed)") << "\n";
        for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e) {
            const Etat_Caractere* etat = b.Etat_Par_Numero(e);
            out << "      " << e << "  " << (etat ? etat->ID_CARAC : "?") << "  weight "
                << (static_cast<size_t>(e) < b.Poids.size() ? b.Poids[static_cast<size_t>(e)] : 0);
            if (etat) out << "  \"" << b.Textes.Etat(*etat, suffixe) << "\"";
            out << "\n";
        }
    }
}

void Ecrit_Json(const Base_Connaissance& b, std::string_view suffixe, std::ostream& out) {
    out << "{\"base\": " << Json_Texte(b.Chemin_Base) << ", \"counts\": {";
    const auto comptes = Comptes(b);
    for (size_t i = 0; i < comptes.size(); ++i) {
        out << (i ? ", " : "") << Json_Texte(comptes[i].nom) << ": " << comptes[i].valeur;
    }
    out << "}, \"species\": [";
    for (size_t s = 0; s < b.Nom_Esp.size(); ++s) {
        out << (s ? ", " : "") << "{\"index\": " << s << ", \"name\": " << Json_Texte(b.Nom_Esp[s])
            << ", \"code\": " << Json_Texte(Code(b, s)) << ", \"family\": " << Json_Texte(Famille(b, s)) << "}";
    }
    out << "], \"characters\": [";
    for (size_t i = 0; i < b.Objets.size(); ++i) {
        const auto& o = b.Objets[i];
        out << (i ? ", " : "") << "{\"objet\": " << Json_Texte(o.Objet) << ", \"question\": " << Json_Texte(b.Textes.Question(o, suffixe))
            << ", \"frame\": " << o.Cadre << ", \"joker\": " << (o.Joker ? "true" : "false") << ", \"states\": [";
        for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e) {
            const Etat_Caractere* etat = b.Etat_Par_Numero(e);
            out << (e > o.Index_Car ? ", " : "") << "{\"number\": " << e
                << ", \"id\": " << Json_Texte(etat ? etat->ID_CARAC : "")
                << ", \"text\": " << Json_Texte(etat ? b.Textes.Etat(*etat, suffixe) : "") << "}";
        }
        out << "]}";
    }
    out << "]}\n";
}

}  // namespace

void Ecrit_Info(const Base_Connaissance& base, bool json, std::string_view suffixe, std::ostream& out) {
    if (json) {
        Ecrit_Json(base, suffixe, out);
    } else {
        Ecrit_Texte(base, suffixe, out);
    }
}

}  // namespace kestrane::cli
