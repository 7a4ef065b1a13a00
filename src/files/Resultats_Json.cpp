#include "Resultats_Json.h"

#include <cstdio>

namespace kestrane {

std::string Json_Texte(std::string_view texte) {
    std::string out = "\"";
    for (const unsigned char c : texte) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out += buffer;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string Pouvoir_Texte(double pouvoir) {
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%.6f", pouvoir);
    return tampon;
}

std::string Identifiant_Etat(const Base_Connaissance& base, int etat) {
    const Etat_Caractere* e = base.Etat_Par_Numero(etat);
    return e ? e->ID_CARAC : std::to_string(etat);
}

void Ecrit_Rang_Json(const Identification_Courante& id, std::ostream& out) {
    const Liste_Especes& liste = id.Liste();
    const auto& r = id.Resultats();
    out << "{\"label\": " << Json_Texte(liste.Legende) << ", \"nb_esp_max\": " << liste.Nb_Esp_Max
        << ", \"lines\": [";
    for (size_t k = 0; k < liste.Lignes.size(); ++k) {
        out << (k ? ", " : "") << "{\"rank\": " << k << ", \"species\": " << r.Classement_Esp.Espece[k]
            << ", \"name\": " << Json_Texte(Nom_De_Ligne(liste.Lignes[k]))
            << ", \"score\": " << r.Classement_Esp.Score[k] << ", \"percent\": " << r.Pourcent_Esp[k]
            << ", \"line\": " << Json_Texte(liste.Lignes[k]) << "}";
    }
    out << "]}\n";
}

double Pouvoir_Objet(const Base_Connaissance& base, const Identification_Courante& id, const Objet_Fic* objet) {
    for (size_t p = 0; p < base.Objets.size() && p < id.Pouvoir_Discriminant().size(); ++p) {
        if (&base.Objets[p] == objet)
            return id.Pouvoir_Discriminant()[p];
    }
    return 0;
}

void Ecrit_Meilleur_Json(const Base_Connaissance& base, const Identification_Courante& id,
                         Issue_Recherche issue, const std::string& message, std::string_view suffixe,
                         std::ostream& out) {
    if (issue != Issue_Recherche::Proposee) {
        out << "{\"proposed\": null, \"message\": " << Json_Texte(message) << "}\n";
        return;
    }
    const Question_Courante& q = id.Question;
    const Objet_Fic* objet = base.Trouve_Objet(q.Objet);
    const std::string& question = objet ? base.Textes.Question(*objet, suffixe) : q.TipText;
    const double pouvoir = Pouvoir_Objet(base, id, objet);
    out << "{\"proposed\": {\"objet\": " << Json_Texte(q.Objet) << ", \"question\": " << Json_Texte(question)
        << ", \"power\": " << Pouvoir_Texte(pouvoir) << ", \"states\": [";
    for (int j = 0; j < q.Nb_Car; ++j)
        out << (j ? ", " : "") << Json_Texte(Identifiant_Etat(base, q.Index_Car + j));
    out << "]}, \"message\": null}\n";
}

void Ecrit_Classement_Json(const Base_Connaissance& base, const std::vector<Question_Classee>& lignes,
                           std::string_view suffixe, std::ostream& out) {
    out << "{\"questions\": [";
    for (size_t i = 0; i < lignes.size(); ++i) {
        const Objet_Fic& o = base.Objets[static_cast<size_t>(lignes[i].Position)];
        out << (i ? ", " : "") << "{\"objet\": " << Json_Texte(o.Objet)
            << ", \"question\": " << Json_Texte(base.Textes.Question(o, suffixe))
            << ", \"power\": " << Pouvoir_Texte(lignes[i].Pouvoir) << "}";
    }
    out << "]}\n";
}

void Ecrit_Contra_Json(const Base_Connaissance& base, const Contradictions_Espece& c, std::ostream& out) {
    const std::string nom = base.Nom_Esp[static_cast<size_t>(c.Espece)];
    out << "{\"species\": " << Json_Texte(nom) << ", \"nb_dessins_sup\": " << c.Nb_Dessins_Sup
        << ", \"contradictions\": [";
    for (size_t i = 0; i < c.Etats.size(); ++i) {
        const auto& e = c.Etats[i];
        out << (i ? ", " : "") << "{\"objet\": " << Json_Texte(e.Objet)
            << ", \"state\": " << Json_Texte(Identifiant_Etat(base, e.Etat));
        if (!e.Dessin.empty()) {
            out << ", \"layer\": " << e.Calque << ", \"drawing\": " << Json_Texte(e.Dessin);
        } else if (e.Bouton != -1) {
            out << ", \"button\": " << e.Bouton;
        }
        out << "}";
    }
    out << "], \"buttons\": [";
    for (size_t i = 0; i < c.Barre.size(); ++i) {
        const auto& b = c.Barre[i];
        out << (i ? ", " : "") << "{\"number\": " << b.Numero << ", \"caption\": " << Json_Texte(b.Caption)
            << ", \"picture\": " << Json_Texte(b.Image)
            << ", \"contradicted\": " << (b.Contredit ? "true" : "false") << "}";
    }
    out << "]}\n";
}

}  // namespace kestrane
