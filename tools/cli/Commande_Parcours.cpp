#include "Commande_Parcours.h"

#include <cstdio>

#include "Resultats_Json.h"

namespace kestrane::cli {
namespace {

std::string Nom(const Base_Connaissance& base, int espece) {
    return espece >= 0 && static_cast<size_t>(espece) < base.Nom_Esp.size()
               ? base.Nom_Esp[static_cast<size_t>(espece)]
               : std::to_string(espece);
}

std::string Nombre(const char* format, double valeur) {
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, format, valeur);
    return tampon;
}

void Ecrit_Texte(const Base_Connaissance& base, const std::vector<Bilan_Parcours>& bilans,
                 std::ostream& out) {
    out << "strategy    species  identified        alone  mean questions  worst  did not apply\n";
    for (const auto& b : bilans) {
        char ligne[160];
        std::snprintf(ligne, sizeof ligne, "%-10s %8zu  %5d (%5.1f%%)  %5d  %14.2f  %5d  %13d\n",
                      std::string(Nom_Strategie(b.Strategie)).c_str(), b.Especes.size(), b.Nb_Identifiees,
                      100.0 * b.Part_Identifiee(), b.Nb_Seules, b.Moyenne_Questions, b.Pire_Questions,
                      b.Questions_Non_Applicables);
        out << ligne;
    }
    for (const auto& b : bilans) {
        for (const auto& p : b.Especes) {
            if (p.Identifiee)
                continue;
            out << Nom_Strategie(b.Strategie) << ": " << Nom(base, p.Espece) << " not identified after "
                << p.Questions.size() << " questions; at the top:";
            for (size_t g = 0; g < p.Groupe.size(); ++g)
                out << (g ? "; " : " ") << Nom(base, p.Groupe[g]);
            out << "\n";
        }
    }
}

void Ecrit_Json(const Base_Connaissance& base, const std::vector<Bilan_Parcours>& bilans, std::ostream& out) {
    out << "{\"strategies\": [";
    for (size_t i = 0; i < bilans.size(); ++i) {
        const auto& b = bilans[i];
        out << (i ? ", " : "") << "{\"strategy\": " << Json_Texte(Nom_Strategie(b.Strategie))
            << ", \"species\": " << b.Especes.size() << ", \"identified\": " << b.Nb_Identifiees
            << ", \"identified_share\": " << Nombre("%.4f", b.Part_Identifiee())
            << ", \"alone\": " << b.Nb_Seules
            << ", \"mean_questions\": " << Nombre("%.4f", b.Moyenne_Questions)
            << ", \"worst_questions\": " << b.Pire_Questions
            << ", \"questions_not_applying\": " << b.Questions_Non_Applicables << ", \"walks\": [";
        for (size_t k = 0; k < b.Especes.size(); ++k) {
            const auto& p = b.Especes[k];
            out << (k ? ", " : "") << "{\"species\": " << Json_Texte(Nom(base, p.Espece))
                << ", \"questions\": [";
            for (size_t q = 0; q < p.Questions.size(); ++q) {
                const int position = p.Questions[q];
                out << (q ? ", " : "")
                    << Json_Texte(position >= 0 ? base.Objets[static_cast<size_t>(position)].Objet : "");
            }
            out << "], \"not_applying\": " << p.Non_Applicables << ", \"group\": [";
            for (size_t g = 0; g < p.Groupe.size(); ++g)
                out << (g ? ", " : "") << Json_Texte(Nom(base, p.Groupe[g]));
            out << "], \"identified\": " << (p.Identifiee ? "true" : "false") << "}";
        }
        out << "]}";
    }
    out << "]}\n";
}

}  // namespace

void Ecrit_Parcours(const Base_Connaissance& base, const std::vector<Bilan_Parcours>& bilans, bool json,
                    std::ostream& out) {
    if (json) {
        Ecrit_Json(base, bilans, out);
    } else {
        Ecrit_Texte(base, bilans, out);
    }
}

}  // namespace kestrane::cli
