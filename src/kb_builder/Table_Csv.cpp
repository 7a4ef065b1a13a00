#include "Table_Csv.h"

#include <fstream>
#include <set>
#include <sstream>

#include "Texte_Utf8.h"

namespace kestrane::kb {

namespace {

std::string Sans_Blancs(const std::string& s) {
    size_t debut = 0, fin = s.size();
    while (debut < fin && (s[debut] == ' ' || s[debut] == '\t')) ++debut;
    while (fin > debut && (s[fin - 1] == ' ' || s[fin - 1] == '\t')) --fin;
    return s.substr(debut, fin - debut);
}

// A table is UTF-8 text: a NUL byte or bytes of another encoding are refused on their line
// rather than cut a text short or reach the base as they are.
Status Verifie_Texte(std::string_view t, const std::string& nom) {
    if (t.substr(0, 2) == "\xFF\xFE" || t.substr(0, 2) == "\xFE\xFF")
        return Status::Error(nom + ":1: the file is in UTF-16; save it as UTF-8");
    int ligne = 1;
    for (size_t i = 0; i < t.size();) {
        if (t[i] == '\0')
            return Status::Error(nom + ":" + std::to_string(ligne) + ": a NUL byte; the file is not text");
        ligne += t[i] == '\n' ? 1 : 0;
        const size_t n = Sequence_Utf8(t, i);
        if (n == 0)
            return Status::Error(nom + ":" + std::to_string(ligne) +
                                 ": the text is not UTF-8; save the file as UTF-8");
        i += n;
    }
    return Status::Ok();
}

}  // namespace

Result<Table_Csv> Table_Csv::Lit(const std::string& chemin, const std::string& nom_affiche) {
    std::ifstream in(chemin, std::ios::binary);
    if (!in)
        return Status::Error(nom_affiche + ":1: cannot be read");
    std::ostringstream tout;
    tout << in.rdbuf();
    return Analyse(tout.str(), nom_affiche);
}

Result<Table_Csv> Table_Csv::Analyse(const std::string& texte_brut, const std::string& nom_affiche) {
    std::string_view texte(texte_brut);
    if (texte.substr(0, 3) == "\xEF\xBB\xBF")
        texte.remove_prefix(3);  // byte-order mark of spreadsheets
    if (Status s = Verifie_Texte(texte, nom_affiche); !s.ok())
        return s;

    std::vector<Ligne_Csv> lignes;
    int ligne_courante = 1;
    size_t i = 0;
    const size_t n = texte.size();
    while (i < n) {
        Ligne_Csv rangee;
        rangee.Numero = ligne_courante;
        bool fin_rangee = false;
        while (!fin_rangee) {
            std::string champ;
            if (i < n && texte[i] == '"') {
                const int ligne_guillemet = ligne_courante;
                ++i;
                bool ferme = false;
                while (i < n) {
                    const char c = texte[i];
                    if (c == '"') {
                        if (i + 1 < n && texte[i + 1] == '"') {
                            champ += '"';
                            i += 2;
                        } else {
                            ++i;
                            ferme = true;
                            break;
                        }
                    } else {
                        if (c == '\n')
                            ++ligne_courante;
                        champ += c;
                        ++i;
                    }
                }
                if (!ferme) {
                    return Status::Error(nom_affiche + ":" + std::to_string(ligne_guillemet) +
                                         ": quoted field is never closed");
                }
                while (i < n && (texte[i] == ' ' || texte[i] == '\t')) ++i;
                if (i < n && texte[i] != ',' && texte[i] != '\n' && texte[i] != '\r') {
                    return Status::Error(nom_affiche + ":" + std::to_string(ligne_courante) +
                                         ": unexpected text after a closing quote");
                }
            } else {
                while (i < n && texte[i] != ',' && texte[i] != '\n' && texte[i] != '\r') {
                    if (texte[i] == '"') {
                        return Status::Error(nom_affiche + ":" + std::to_string(ligne_courante) +
                                             ": a quote inside an unquoted field (quote the whole field)");
                    }
                    champ += texte[i++];
                }
                champ = Sans_Blancs(champ);
            }
            rangee.Champs.push_back(std::move(champ));
            if (i < n && texte[i] == ',') {
                ++i;
            } else {
                if (i < n && texte[i] == '\r')
                    ++i;
                if (i < n && texte[i] == '\n')
                    ++i;
                ++ligne_courante;
                fin_rangee = true;
            }
        }
        bool vide = true;
        for (const auto& c : rangee.Champs) vide = vide && c.empty();
        if (!vide)
            lignes.push_back(std::move(rangee));
    }

    Table_Csv table;
    table.nom_ = nom_affiche;
    if (lignes.empty())
        return Status::Error(nom_affiche + ":1: the file has no header row");
    const Ligne_Csv& entete = lignes.front();
    std::set<std::string> vus;
    for (const auto& nom : entete.Champs) {
        if (nom.empty()) {
            return Status::Error(nom_affiche + ":" + std::to_string(entete.Numero) +
                                 ": a column has no name");
        }
        if (!vus.insert(nom).second) {
            return Status::Error(nom_affiche + ":" + std::to_string(entete.Numero) + ": column '" + nom +
                                 "' appears twice");
        }
    }
    table.colonnes_ = entete.Champs;
    for (size_t k = 1; k < lignes.size(); ++k) {
        Ligne_Csv& l = lignes[k];
        if (l.Champs.size() > table.colonnes_.size()) {
            return Status::Error(nom_affiche + ":" + std::to_string(l.Numero) + ": " +
                                 std::to_string(l.Champs.size()) + " fields where the header has " +
                                 std::to_string(table.colonnes_.size()));
        }
        l.Champs.resize(table.colonnes_.size());
        table.lignes_.push_back(std::move(l));
    }
    return table;
}

std::optional<size_t> Table_Csv::Colonne(const std::string& nom) const {
    for (size_t i = 0; i < colonnes_.size(); ++i)
        if (colonnes_[i] == nom)
            return i;
    return std::nullopt;
}

}  // namespace kestrane::kb
