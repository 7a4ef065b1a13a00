#include "Source_Flore.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <set>

#include "Disposition_Sortie.h"
#include "Table_Csv.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

std::string Plie(const std::string& s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

const std::string& Texte_Langue(const std::map<std::string, std::string>& traductions,
                                const std::string& suffixe, const std::string& defaut) {
    auto it = traductions.find(suffixe);
    return it == traductions.end() || it->second.empty() ? defaut : it->second;
}

int Base_Source::Etat(const std::string& id) const {
    auto it = Index_Etats.find(Plie(id));
    return it == Index_Etats.end() ? -1 : it->second;
}

int Base_Source::Caractere(const std::string& objet) const {
    auto it = Index_Objets.find(Plie(objet));
    return it == Index_Objets.end() ? -1 : it->second;
}

const Etat_Source& Base_Source::Etat_Numero(int e) const {
    for (const auto& c : Caracteres)
        if (e >= c.Index_Car && e < c.Index_Car + static_cast<int>(c.Etats.size()))
            return c.Etats[e - c.Index_Car];
    static const Etat_Source aucun;
    return aucun;
}

namespace {

// Collects the problems of one reading.
class Rapport {
  public:
    void Ajoute(const std::string& lieu, const std::string& quoi) {
        problemes_.push_back(lieu + ": " + quoi);
    }
    void Ajoute(const Status& s) { problemes_.push_back(s.message()); }
    bool Vide() const { return problemes_.empty(); }
    std::string Texte() const {
        std::string t;
        for (const auto& p : problemes_) t += p + "\n";
        if (!t.empty())
            t.pop_back();
        return t;
    }

  private:
    std::vector<std::string> problemes_;
};

// A table and its row being read, for field access by column name.
class Lecteur {
  public:
    Lecteur(const Table_Csv& t, Rapport& r) : table_(t), rapport_(r) {}

    bool Exige(const std::vector<std::string>& colonnes) {
        bool ok = true;
        for (const auto& c : colonnes) {
            if (!table_.Colonne(c)) {
                rapport_.Ajoute(table_.Nom() + ":1", "missing column '" + c + "'");
                ok = false;
            }
        }
        return ok;
    }
    std::string Champ(const Ligne_Csv& l, const std::string& colonne) const {
        auto i = table_.Colonne(colonne);
        return i ? l.Champs[*i] : std::string();
    }
    std::string Lieu(const Ligne_Csv& l) const { return table_.Lieu(l); }
    const Table_Csv& Table() const { return table_; }

  private:
    const Table_Csv& table_;
    Rapport& rapport_;
};

bool Entier(const std::string& s, long min, long max, int& out) {
    if (s.empty())
        return false;
    size_t pos = 0;
    long v = 0;
    try {
        v = std::stol(s, &pos);
    } catch (...) {
        return false;
    }
    if (pos != s.size() || v < min || v > max)
        return false;
    out = static_cast<int>(v);
    return true;
}

bool Reel(const std::string& s, double& out) {
    if (s.empty())
        return false;
    size_t pos = 0;
    try {
        out = std::stod(s, &pos);
    } catch (...) {
        return false;
    }
    return pos == s.size() && std::isfinite(out);
}

bool Booleen(const std::string& s, bool& out) {
    const std::string v = Plie(s);
    if (v == "1" || v == "yes" || v == "true" || v == "oui") {
        out = true;
        return true;
    }
    if (v == "0" || v == "no" || v == "false" || v == "non" || v.empty()) {
        out = false;
        return true;
    }
    return false;
}

std::vector<std::string> Decoupe(const std::string& s, const std::string& separateurs) {
    std::vector<std::string> out;
    std::string courant;
    auto pousse = [&] {
        size_t a = courant.find_first_not_of(" \t");
        size_t b = courant.find_last_not_of(" \t");
        if (a != std::string::npos)
            out.push_back(courant.substr(a, b - a + 1));
        courant.clear();
    };
    for (char c : s) {
        if (separateurs.find(c) != std::string::npos)
            pousse();
        else
            courant += c;
    }
    pousse();
    return out;
}

bool Nom_Fichier_Sur(const std::string& s) {
    if (s.empty())
        return false;
    for (char c : s) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '_' || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

// Reads an optional or required table; a missing optional table gives nullopt without a problem.
std::optional<Table_Csv> Ouvre(const std::string& dossier, const std::string& nom, bool requise, Rapport& r) {
    const fs::path chemin = fs::path(dossier) / nom;
    if (!fs::exists(chemin)) {
        if (requise)
            r.Ajoute(nom + ":1", "required file is missing");
        return std::nullopt;
    }
    auto t = Table_Csv::Lit(chemin.string(), nom);
    if (!t) {
        r.Ajoute(t.status());
        return std::nullopt;
    }
    return std::move(t).value();
}

void Grille(int n, int& lignes, int& colonnes) {
    if (n <= 3)
        colonnes = std::max(n, 1);
    else if (n == 4)
        colonnes = 2;
    else if (n <= 6)
        colonnes = 3;
    else if (n <= 8)
        colonnes = 4;
    else if (n == 9)
        colonnes = 3;
    else if (n <= 12)
        colonnes = 4;
    else if (n <= 15)
        colonnes = 5;
    else
        colonnes = 6;
    lignes = (n + colonnes - 1) / colonnes;
}

class Lecture_Source {
  public:
    explicit Lecture_Source(std::string dossier) { b_.Dossier = std::move(dossier); }

    Result<Base_Source> Lit() {
        Langues();
        Caracteres();
        Especes();
        Matrice();
        Dependances();
        {
            std::vector<std::string> problemes;
            Lit_Mesures_Source(b_, problemes);
            for (const auto& p : problemes) r_.Ajoute(p.substr(0, p.find(": ")), p.substr(p.find(": ") + 2));
        }
        Portrait();
        Zones();
        Couleurs();
        Barres();
        Contradictions();
        if (!r_.Vide())
            return Status::Error(r_.Texte());
        return std::move(b_);
    }

  private:
    bool Dessin_Existe(const std::string& sous_dossier, const std::string& nom) const {
        return fs::is_regular_file(fs::path(b_.Dossier) / sous_dossier / (nom + ".svg"));
    }
    void Exige_Dessin(const std::string& lieu, const std::string& sous_dossier, const std::string& nom) {
        if (!Nom_Fichier_Sur(nom)) {
            r_.Ajoute(lieu, "drawing name '" + nom + "' may hold only letters, digits, '_' and '-'");
        } else if (!Dessin_Existe(sous_dossier, nom)) {
            r_.Ajoute(lieu, "drawing " + sous_dossier + "/" + nom + ".svg does not exist");
        }
    }
    // Every column "<champ>_<suffix>" of the table must name a language of langues.csv.
    void Colonnes_Traduites(const Lecteur& l, std::initializer_list<const char*> champs) {
        for (const auto& colonne : l.Table().Colonnes())
            for (const char* champ : champs) {
                const std::string debut = std::string(champ) + "_";
                if (colonne.size() <= debut.size() || colonne.compare(0, debut.size(), debut) != 0)
                    continue;
                const std::string suffixe = colonne.substr(debut.size());
                const bool connue =
                    std::any_of(b_.Langues.begin(), b_.Langues.end(),
                                [&](const Langue_Source& lg) { return lg.Suffixe == suffixe; });
                if (!connue)
                    r_.Ajoute(l.Table().Nom() + ":1", "column '" + colonne + "' is in language '" + suffixe +
                                                          "', which langues.csv does not list");
            }
    }
    // The translations of one text of a row ("<champ>_<suffix>" for each language); a translation
    // of a text the row does not have is refused.
    std::map<std::string, std::string> Traductions(const Lecteur& l, const Ligne_Csv& ligne,
                                                   const std::string& champ, const std::string& texte) {
        std::map<std::string, std::string> out;
        for (const auto& lg : b_.Langues) {
            const std::string colonne = champ + "_" + lg.Suffixe;
            std::string traduction = l.Champ(ligne, colonne);
            if (traduction.empty())
                continue;
            if (texte.empty())
                r_.Ajoute(l.Lieu(ligne), colonne + " translates a " + champ + " that this row does not have");
            else
                out[lg.Suffixe] = std::move(traduction);
        }
        return out;
    }

    std::vector<std::string> Conditions(const Lecteur& l, const Ligne_Csv& ligne) {
        std::vector<std::string> out;
        for (const auto& id : Decoupe(l.Champ(ligne, "Conditions"), " ;\t")) {
            const int e = b_.Etat(id);
            if (e < 0)
                r_.Ajoute(l.Lieu(ligne), "condition '" + id + "' names no state (unknown ID_CARAC)");
            else
                out.push_back(b_.Etat_Numero(e).Id);
        }
        b_.Nb_Contraintes = std::max(b_.Nb_Contraintes, static_cast<int>(out.size()) + 1);
        return out;
    }

    void Langues() {
        auto t = Ouvre(b_.Dossier, "langues.csv", true, r_);
        if (!t)
            return;
        Lecteur l(*t, r_);
        if (!l.Exige({"Suffixe", "Langue"}))
            return;
        std::set<std::string> vus;
        for (const auto& ligne : t->Lignes()) {
            Langue_Source lg{l.Champ(ligne, "Suffixe"), l.Champ(ligne, "Langue")};
            if (lg.Suffixe.size() != 2 || !Nom_Fichier_Sur(lg.Suffixe)) {
                r_.Ajoute(l.Lieu(ligne), "Suffixe must be two letters (documents end in _xx.html)");
                continue;
            }
            if (lg.Langue.empty())
                r_.Ajoute(l.Lieu(ligne), "empty Langue");
            if (!vus.insert(Plie(lg.Suffixe)).second || !vus.insert("L" + Plie(lg.Langue)).second) {
                r_.Ajoute(l.Lieu(ligne), "language '" + lg.Langue + "' (" + lg.Suffixe + ") is listed twice");
                continue;
            }
            b_.Langues.push_back(lg);
        }
        if (b_.Langues.empty())
            r_.Ajoute("langues.csv:1", "at least one language is needed");
    }

    void Caracteres() {
        auto t = Ouvre(b_.Dossier, "caracteres.csv", true, r_);
        if (!t)
            return;
        Lecteur l(*t, r_);
        if (!l.Exige({"Objet", "Question", "Cadre", "Joker", "ID_CARAC", "Etat", "Poids", "Image"}))
            return;
        Colonnes_Traduites(l, {"Question", "Etat"});
        std::map<std::string, int> cadres;
        for (const auto& ligne : t->Lignes()) {
            const std::string objet = l.Champ(ligne, "Objet");
            const std::string lieu = l.Lieu(ligne);
            if (objet.empty()) {
                r_.Ajoute(lieu, "empty Objet");
                continue;
            }
            if (b_.Caracteres.empty() || Plie(b_.Caracteres.back().Objet) != Plie(objet)) {
                if (b_.Index_Objets.count(Plie(objet))) {
                    r_.Ajoute(lieu, "the states of '" + objet +
                                        "' must be on consecutive rows (character defined twice)");
                    continue;
                }
                Caractere_Source c;
                c.Objet = objet;
                c.Lieu = lieu;
                c.Desc_Num = static_cast<int>(b_.Caracteres.size());
                c.Question = l.Champ(ligne, "Question");
                if (c.Question.empty())
                    r_.Ajoute(lieu, "character '" + objet + "' has no Question");
                const std::string cadre = l.Champ(ligne, "Cadre");
                if (!cadre.empty()) {
                    auto [it, nouveau] = cadres.emplace(Plie(cadre), static_cast<int>(b_.Cadres.size()));
                    if (nouveau)
                        b_.Cadres.push_back(cadre);
                    c.Cadre = it->second;
                }
                if (!Booleen(l.Champ(ligne, "Joker"), c.Joker))
                    r_.Ajoute(lieu, "Joker must be 1 or 0");
                c.Traductions = Traductions(l, ligne, "Question", c.Question);
                b_.Index_Objets[Plie(objet)] = static_cast<int>(b_.Caracteres.size());
                b_.Caracteres.push_back(std::move(c));
            } else {
                const auto& c = b_.Caracteres.back();
                const std::string q = l.Champ(ligne, "Question");
                if (!q.empty() && q != c.Question)
                    r_.Ajoute(lieu,
                              "Question differs from the first row of '" + objet + "' (" + c.Lieu + ")");
                for (const auto& [suffixe, traduction] : Traductions(l, ligne, "Question", q))
                    if (traduction != Texte_Langue(c.Traductions, suffixe, c.Question))
                        r_.Ajoute(lieu, "Question_" + suffixe + " differs from the first row of '" + objet +
                                            "' (" + c.Lieu + ")");
            }
            Etat_Source e;
            e.Id = l.Champ(ligne, "ID_CARAC");
            e.Texte = l.Champ(ligne, "Etat");
            e.Image = l.Champ(ligne, "Image");
            e.Lieu = lieu;
            e.Traductions = Traductions(l, ligne, "Etat", e.Texte);
            if (e.Id.empty()) {
                r_.Ajoute(lieu, "empty ID_CARAC");
                continue;
            }
            if (Plie(e.Id) == "fin") {
                r_.Ajoute(lieu, "'Fin' is reserved and cannot be an ID_CARAC");
                continue;
            }
            if (e.Texte.empty())
                r_.Ajoute(lieu, "state '" + e.Id + "' has no Etat text");
            if (!Entier(l.Champ(ligne, "Poids"), 0, 32767, e.Poids))
                r_.Ajoute(lieu, "Poids must be a whole number from 0 to 32767");
            if (!e.Image.empty())
                Exige_Dessin(lieu, "etats", e.Image);
            if (b_.Index_Etats.count(Plie(e.Id))) {
                r_.Ajoute(lieu, "duplicate ID_CARAC '" + e.Id + "'");
                continue;
            }
            b_.Index_Etats[Plie(e.Id)] = b_.Nb_Etats++;
            b_.Caracteres.back().Etats.push_back(std::move(e));
        }
        std::vector<std::string> problemes;
        Numerote_Caracteres(b_, problemes);
        for (const auto& p : problemes) r_.Ajoute(p.substr(0, p.find(": ")), p.substr(p.find(": ") + 2));
        if (b_.Caracteres.empty())
            r_.Ajoute("caracteres.csv:1", "no character is defined");
    }

    void Especes() {
        auto t = Ouvre(b_.Dossier, "especes.csv", true, r_);
        if (!t)
            return;
        Lecteur l(*t, r_);
        std::vector<std::string> colonnes{"Code", "Espece", "Famille", "Legende"};
        for (const auto& lg : b_.Langues) colonnes.push_back("Nom_" + lg.Suffixe);
        if (!l.Exige(colonnes))
            return;
        Colonnes_Traduites(l, {"Legende", "Nom"});
        std::set<std::string> codes, noms;
        for (const auto& ligne : t->Lignes()) {
            Espece_Source e;
            e.Lieu = l.Lieu(ligne);
            e.Code = l.Champ(ligne, "Code");
            e.Espece = l.Champ(ligne, "Espece");
            e.Famille = l.Champ(ligne, "Famille");
            e.Legende = l.Champ(ligne, "Legende");
            e.Dessin = l.Champ(ligne, "Dessin");
            if (e.Code.size() != 5 || !Nom_Fichier_Sur(e.Code) ||
                e.Code.find_first_of("_-") != std::string::npos) {
                r_.Ajoute(e.Lieu, "Code '" + e.Code + "' must be exactly five letters or digits");
                continue;
            }
            if (e.Espece.empty())
                r_.Ajoute(e.Lieu, "empty Espece");
            if (e.Famille.empty())
                r_.Ajoute(e.Lieu, "empty Famille");
            if (!codes.insert(Plie(e.Code)).second) {
                r_.Ajoute(e.Lieu, "duplicate code '" + e.Code + "'");
                continue;
            }
            if (!noms.insert(Plie(e.Espece)).second) {
                r_.Ajoute(e.Lieu, "duplicate species '" + e.Espece + "'");
                continue;
            }
            if (!e.Dessin.empty())
                Exige_Dessin(e.Lieu, "dessins", e.Dessin);
            for (const auto& lg : b_.Langues)
                e.Noms[lg.Suffixe] = Decoupe(l.Champ(ligne, "Nom_" + lg.Suffixe), ";");
            e.Legendes = Traductions(l, ligne, "Legende", e.Legende);
            b_.Especes.push_back(std::move(e));
        }
        if (b_.Especes.empty())
            r_.Ajoute("especes.csv:1", "no species is defined");
    }

    void Matrice() {
        auto t = Ouvre(b_.Dossier, "matrice.csv", true, r_);
        if (!t)
            return;
        Lecteur l(*t, r_);
        if (!l.Exige({"Code"}))
            return;
        std::vector<int> etat_colonne(t->Colonnes().size(), -1);
        std::vector<bool> couvert(static_cast<size_t>(b_.Nb_Etats), false);
        for (size_t i = 0; i < t->Colonnes().size(); ++i) {
            const auto& nom = t->Colonnes()[i];
            if (nom == "Code" || nom == "Espece")
                continue;
            const int e = b_.Etat(nom);
            if (e < 0)
                r_.Ajoute("matrice.csv:1", "column '" + nom + "' names no state (unknown ID_CARAC)");
            else {
                etat_colonne[i] = e;
                couvert[static_cast<size_t>(e)] = true;
            }
        }
        for (int e = 0; e < b_.Nb_Etats; ++e)
            if (!couvert[static_cast<size_t>(e)])
                r_.Ajoute("matrice.csv:1", "no column for state '" + b_.Etat_Numero(e).Id + "'");
        std::map<std::string, size_t> par_code;
        for (size_t s = 0; s < b_.Especes.size(); ++s) par_code[Plie(b_.Especes[s].Code)] = s;
        std::vector<bool> vue(b_.Especes.size(), false);
        for (const auto& ligne : t->Lignes()) {
            const std::string code = l.Champ(ligne, "Code");
            auto it = par_code.find(Plie(code));
            if (it == par_code.end()) {
                r_.Ajoute(l.Lieu(ligne), "code '" + code + "' is not a species of especes.csv");
                continue;
            }
            if (vue[it->second]) {
                r_.Ajoute(l.Lieu(ligne), "species '" + code + "' has a second row");
                continue;
            }
            vue[it->second] = true;
            auto& valeurs = b_.Especes[it->second].Valeurs;
            valeurs.assign(static_cast<size_t>(b_.Nb_Etats), 0);
            for (size_t i = 0; i < etat_colonne.size(); ++i) {
                if (etat_colonne[i] < 0)
                    continue;
                const std::string& v = ligne.Champs[i];
                if (v.empty() || v == "0")
                    continue;
                if (v == "1")
                    valeurs[static_cast<size_t>(etat_colonne[i])] = 1;
                else
                    r_.Ajoute(l.Lieu(ligne),
                              "value '" + v + "' in column '" + t->Colonnes()[i] + "' must be 1, 0 or empty");
            }
        }
        for (size_t s = 0; s < b_.Especes.size(); ++s)
            if (!vue[s])
                r_.Ajoute(b_.Especes[s].Lieu,
                          "species '" + b_.Especes[s].Code + "' has no row in matrice.csv");
    }

    void Dependances() {
        auto t = Ouvre(b_.Dossier, "dependances.csv", false, r_);
        if (!t)
            return;
        Lecteur l(*t, r_);
        if (!l.Exige({"ID_CARAC", "Objet"}))
            return;
        for (const auto& ligne : t->Lignes()) {
            Dependance_Source d{l.Champ(ligne, "ID_CARAC"), l.Champ(ligne, "Objet")};
            const int e = b_.Etat(d.Id);
            const int c = b_.Caractere(d.Objet);
            if (e < 0)
                r_.Ajoute(l.Lieu(ligne), "ID_CARAC '" + d.Id + "' names no state");
            if (c < 0)
                r_.Ajoute(l.Lieu(ligne), "Objet '" + d.Objet + "' names no character");
            if (e < 0 || c < 0)
                continue;
            const auto& car = b_.Caracteres[static_cast<size_t>(c)];
            if (e >= car.Index_Car && e < car.Index_Car + static_cast<int>(car.Etats.size()))
                r_.Ajoute(l.Lieu(ligne), "character '" + d.Objet + "' cannot depend on its own state");
            d.Id = b_.Etat_Numero(e).Id;
            d.Objet = car.Objet;
            b_.Dependances.push_back(d);
        }
        // No cycle: character A -> B when a state of A is the parent of B.
        const size_t n = b_.Caracteres.size();
        std::vector<std::vector<size_t>> suivants(n);
        for (const auto& d : b_.Dependances) {
            const int e = b_.Etat(d.Id);
            for (size_t a = 0; a < n; ++a) {
                const auto& car = b_.Caracteres[a];
                if (e >= car.Index_Car && e < car.Index_Car + static_cast<int>(car.Etats.size()))
                    suivants[a].push_back(static_cast<size_t>(b_.Caractere(d.Objet)));
            }
        }
        std::vector<int> etat(n, 0);
        std::function<bool(size_t)> cycle = [&](size_t a) {
            etat[a] = 1;
            for (size_t b : suivants[a]) {
                if (etat[b] == 1)
                    return true;
                if (etat[b] == 0 && cycle(b))
                    return true;
            }
            etat[a] = 2;
            return false;
        };
        for (size_t a = 0; a < n; ++a)
            if (etat[a] == 0 && cycle(a)) {
                r_.Ajoute("dependances.csv:1",
                          "the dependencies form a cycle through character '" + b_.Caracteres[a].Objet + "'");
                break;
            }
    }

    void Portrait() {
        auto t = Ouvre(b_.Dossier, "portrait.csv", false, r_);
        if (!t)
            return;
        Lecteur l(*t, r_);
        if (!l.Exige({"Piece", "Dessin", "Conditions"}))
            return;
        std::map<std::string, int> pieces;
        for (const auto& ligne : t->Lignes()) {
            Regle_Source regle;
            regle.Lieu = l.Lieu(ligne);
            const std::string piece = l.Champ(ligne, "Piece");
            if (piece.empty()) {
                r_.Ajoute(regle.Lieu, "empty Piece");
                continue;
            }
            auto [it, nouveau] = pieces.emplace(Plie(piece), static_cast<int>(b_.Pieces.size()));
            if (nouveau)
                b_.Pieces.push_back(piece);
            regle.Piece = it->second;
            regle.Dessin = l.Champ(ligne, "Dessin");
            regle.Conditions = Conditions(l, ligne);
            if (!Nom_Fichier_Sur(regle.Dessin)) {
                r_.Ajoute(regle.Lieu,
                          "Dessin '" + regle.Dessin + "' may hold only letters, digits, '_' and '-'");
                continue;
            }
            if (regle.Piece == 0) {
                const std::string& d = regle.Dessin;
                if (d.size() < 3 || !isdigit(static_cast<unsigned char>(d[d.size() - 1])) ||
                    !isdigit(static_cast<unsigned char>(d[d.size() - 2]))) {
                    r_.Ajoute(regle.Lieu,
                              "a drawing of the first piece must end in a two-digit variant number (e.g. "
                              "'tree01')");
                    continue;
                }
                const std::string v = d.substr(d.size() - 2);
                if (std::find(b_.Variantes.begin(), b_.Variantes.end(), v) == b_.Variantes.end())
                    b_.Variantes.push_back(v);
                regle.Nom = d + ".wmf";
                Exige_Dessin(regle.Lieu, "portrait", d);
            } else {
                regle.Nom = regle.Dessin;
            }
            b_.Regles.push_back(std::move(regle));
        }
        // Later pieces exist in every variant of the first: <Dessin><variant>.svg or <Dessin>.svg.
        for (const auto& regle : b_.Regles) {
            if (regle.Piece == 0)
                continue;
            bool generique = Dessin_Existe("portrait", regle.Dessin);
            for (const auto& v : b_.Variantes)
                if (!generique && !Dessin_Existe("portrait", regle.Dessin + v))
                    r_.Ajoute(regle.Lieu, "drawing portrait/" + regle.Dessin + ".svg (or " + regle.Dessin +
                                              v + ".svg) does not exist");
        }
        for (size_t p = 0; p < b_.Pieces.size(); ++p) {
            bool defaut = false;
            for (const auto& regle : b_.Regles)
                defaut = defaut || (regle.Piece == static_cast<int>(p) && regle.Conditions.empty());
            if (!defaut)
                r_.Ajoute("portrait.csv:1",
                          "piece '" + b_.Pieces[p] + "' has no row without conditions (its default drawing)");
        }
    }

    void Zones() {
        auto t = Ouvre(b_.Dossier, "zones.csv", false, r_);
        if (!t)
            return;
        Lecteur l(*t, r_);
        if (!l.Exige({"Objet", "Cadre", "Test_Cadre", "X1", "X2", "Y1", "Y2", "Conditions"}))
            return;
        for (const auto& ligne : t->Lignes()) {
            Zone_Source z;
            z.Lieu = l.Lieu(ligne);
            z.Objet = l.Champ(ligne, "Objet");
            const int c = b_.Caractere(z.Objet);
            if (c < 0)
                r_.Ajoute(z.Lieu, "Objet '" + z.Objet + "' names no character");
            else
                z.Objet = b_.Caracteres[static_cast<size_t>(c)].Objet;
            const std::string cadre = l.Champ(ligne, "Cadre");
            if (!cadre.empty()) {
                auto it = std::find_if(b_.Cadres.begin(), b_.Cadres.end(),
                                       [&](const std::string& n) { return Plie(n) == Plie(cadre); });
                if (it == b_.Cadres.end())
                    r_.Ajoute(z.Lieu, "Cadre '" + cadre + "' is the frame of no character");
                else
                    z.Cadre = static_cast<int>(it - b_.Cadres.begin());
            }
            if (!Booleen(l.Champ(ligne, "Test_Cadre"), z.Test_Cadre))
                r_.Ajoute(z.Lieu, "Test_Cadre must be 1 or 0");
            bool ok = Reel(l.Champ(ligne, "X1"), z.X1) && Reel(l.Champ(ligne, "X2"), z.X2) &&
                      Reel(l.Champ(ligne, "Y1"), z.Y1) && Reel(l.Champ(ligne, "Y2"), z.Y2);
            if (!ok)
                r_.Ajoute(z.Lieu, "X1, X2, Y1, Y2 must be numbers");
            else if (!(z.X1 < z.X2 && z.Y1 < z.Y2 && z.X1 >= 0 && z.X2 <= 2400 && z.Y1 >= 0 && z.Y2 <= 1800))
                r_.Ajoute(z.Lieu, "the zone must satisfy X1 < X2, Y1 < Y2 inside the 2400 x 1800 frame");
            z.Conditions = Conditions(l, ligne);
            b_.Zones.push_back(std::move(z));
        }
    }

    void Couleurs() {
        auto t = Ouvre(b_.Dossier, "couleurs.csv", false, r_);
        if (!t)
            return;
        Lecteur l(*t, r_);
        if (!l.Exige({"Objet", "Couleur"}))
            return;
        std::set<uint32_t> vues;
        for (const auto& ligne : t->Lignes()) {
            Couleur_Source c;
            c.Code = l.Champ(ligne, "Objet");
            const int k = b_.Caractere(c.Code);
            if (k < 0)
                r_.Ajoute(l.Lieu(ligne), "palette code '" + c.Code + "' names no character");
            else
                c.Code = b_.Caracteres[static_cast<size_t>(k)].Objet;
            const std::string v = l.Champ(ligne, "Couleur");
            bool ok = v.size() == 7 && v[0] == '#' &&
                      v.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
            if (!ok) {
                r_.Ajoute(l.Lieu(ligne), "Couleur '" + v + "' must be written #rrggbb");
                continue;
            }
            c.Rgb = static_cast<uint32_t>(std::stoul(v.substr(1), nullptr, 16));
            if (!vues.insert(c.Rgb).second)
                r_.Ajoute(l.Lieu(ligne), "colour " + v + " is used twice in the palette");
            b_.Couleurs.push_back(c);
        }
    }

    void Barre(const std::string& fichier, bool deter, std::vector<Bouton_Source>& out) {
        auto t = Ouvre(b_.Dossier, fichier, false, r_);
        if (!t)
            return;
        Lecteur l(*t, r_);
        std::vector<std::string> colonnes{"Caption", "Image", "TipText"};
        if (deter)
            colonnes.push_back("Key");
        if (!l.Exige(colonnes))
            return;
        Colonnes_Traduites(l, {"Caption", "TipText"});
        std::set<std::string> captions;
        for (const auto& ligne : t->Lignes()) {
            Bouton_Source b{l.Champ(ligne, "Caption"), l.Champ(ligne, "Image"), l.Champ(ligne, "TipText"),
                            deter ? l.Champ(ligne, "Key") : std::string(), l.Lieu(ligne)};
            b.Captions = Traductions(l, ligne, "Caption", b.Caption);
            b.TipTexts = Traductions(l, ligne, "TipText", b.TipText);
            if (b.Caption.empty())
                r_.Ajoute(b.Lieu, "empty Caption");
            if (!captions.insert(Plie(b.Caption)).second)
                r_.Ajoute(b.Lieu, "Caption '" + b.Caption + "' is used twice");
            Exige_Dessin(b.Lieu, "barres", b.Image);
            if (deter && b.Key != "Search" && b.Key != "Results") {
                const int c = b_.Caractere(b.Key);
                if (c < 0)
                    r_.Ajoute(b.Lieu, "Key '" + b.Key + "' is neither a character nor Search or Results");
                else
                    b.Key = b_.Caracteres[static_cast<size_t>(c)].Objet;
            }
            out.push_back(std::move(b));
        }
    }

    void Barres() {
        Barre("barre_determination.csv", true, b_.But_Deter);
        Barre("barre_questions.csv", false, b_.But_Quest);
    }

    void Contradictions() {
        auto t = Ouvre(b_.Dossier, "contradictions.csv", false, r_);
        if (!t)
            return;
        Lecteur l(*t, r_);
        if (!l.Exige({"Objet", "Bouton", "Dessin"}))
            return;
        std::set<std::string> vus;
        for (const auto& ligne : t->Lignes()) {
            Contradiction_Source c{l.Champ(ligne, "Objet"), -1, l.Champ(ligne, "Dessin")};
            const int k = b_.Caractere(c.Objet);
            if (k < 0) {
                r_.Ajoute(l.Lieu(ligne), "Objet '" + c.Objet + "' names no character");
                continue;
            }
            c.Objet = b_.Caracteres[static_cast<size_t>(k)].Objet;
            if (!vus.insert(Plie(c.Objet)).second)
                r_.Ajoute(l.Lieu(ligne), "character '" + c.Objet + "' has a second row");
            const std::string bouton = l.Champ(ligne, "Bouton");
            if (!bouton.empty()) {
                for (size_t i = 0; i < b_.But_Deter.size(); ++i)
                    if (Plie(b_.But_Deter[i].Caption) == Plie(bouton))
                        c.Bouton = static_cast<int>(i) + 1;
                if (c.Bouton < 0)
                    r_.Ajoute(l.Lieu(ligne),
                              "Bouton '" + bouton + "' is no button of barre_determination.csv");
                else if (Plie(b_.But_Deter[static_cast<size_t>(c.Bouton - 1)].Key) != Plie(c.Objet))
                    r_.Ajoute(l.Lieu(ligne),
                              "button '" + bouton + "' does not stand for character '" + c.Objet + "'");
            }
            Exige_Dessin(l.Lieu(ligne), "contra", c.Dessin);
            b_.Contradictions.push_back(c);
        }
    }

    Base_Source b_;
    Rapport r_;
};

}  // namespace

void Numerote_Caracteres(Base_Source& b, std::vector<std::string>& problemes) {
    int index = 0;
    std::set<std::string> popups;
    b.Index_Etats.clear();
    b.Index_Objets.clear();
    for (size_t k = 0; k < b.Caracteres.size(); ++k) {
        auto& c = b.Caracteres[k];
        b.Index_Objets[Plie(c.Objet)] = static_cast<int>(k);
        c.Desc_Num = static_cast<int>(k);
        c.Index_Car = index;
        for (const auto& e : c.Etats) b.Index_Etats[Plie(e.Id)] = index++;
        if (c.Etats.empty())
            problemes.push_back(c.Lieu + ": character '" + c.Objet + "' has no state");
        Grille(static_cast<int>(c.Etats.size()), c.Lignes, c.Colonnes);
        // The state picture is one metafile, whose frame cannot pass 32767 units; a character
        // without pictures is asked from the list of its states and draws none.
        const int lignes_max = 32767 / Disposition_Sortie::Cote_Case;
        if (c.Lignes > lignes_max && !Popup_Stocke(c).empty())
            problemes.push_back(c.Lieu + ": character '" + c.Objet + "' has " +
                                std::to_string(c.Etats.size()) + " states; its state picture holds at most " +
                                std::to_string(lignes_max * c.Colonnes));
        std::string base;
        for (char ch : Plie(c.Objet)) base += Nom_Fichier_Sur(std::string(1, ch)) ? ch : '_';
        std::string popup = base + ".wmf";
        for (int n = 2; popups.count(popup); ++n) popup = base + "_" + std::to_string(n) + ".wmf";
        popups.insert(popup);
        c.Popup = popup;
    }
    b.Nb_Etats = index;
}

std::string Popup_Stocke(const Caractere_Source& c) {
    const bool dessins = std::any_of(c.Etats.begin(), c.Etats.end(), [](const Etat_Source& e) { return !e.Image.empty(); });
    return dessins ? c.Popup : std::string();
}

Result<Base_Source> Lit_Source(const std::string& dossier) {
    if (!fs::is_directory(dossier))
        return Status::Error(dossier + ": not a folder");
    return Lecture_Source(dossier).Lit();
}

}  // namespace kestrane::kb
