#include "Ecriture_Base.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <tuple>

#include "Disposition_Sortie.h"
#include "Fichiers_Donnees.h"
#include "Mesures_Objets.h"
#include "Ordre_Alphabetique.h"
#include "Schema_Base.h"
#include "Textes_Base.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

std::string Dossier_Piece(int piece) {
    std::string s = std::to_string(piece);
    return s.size() < 2 ? "0" + s : s;
}

namespace {

struct Fermeture_Base {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct Fin_Requete {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

// A value bound to a statement: null, integer or text.
struct Champ {
    enum class Genre { Nul, Entier, Reel, Texte } genre = Genre::Nul;
    long long entier = 0;
    double reel = 0;
    std::string texte;
    static Champ E(long long v) {
        Champ c;
        c.genre = Genre::Entier;
        c.entier = v;
        return c;
    }
    static Champ R(double v) {
        Champ c;
        c.genre = Genre::Reel;
        c.reel = v;
        return c;
    }
    static Champ T(std::string v) {
        Champ c;
        c.genre = Genre::Texte;
        c.texte = std::move(v);
        return c;
    }
};

class Ecrivain_Sql {
  public:
    explicit Ecrivain_Sql(std::string chemin) : chemin_(std::move(chemin)) {}

    Status Ouvre() {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(chemin_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
            SQLITE_OK) {
            sqlite3_close(db);
            return Status::Error(chemin_ + ": cannot be created");
        }
        db_.reset(db);
        return Execute("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;");
    }
    Status Execute(const std::string& sql) {
        char* erreur = nullptr;
        if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &erreur) != SQLITE_OK) {
            std::string m = erreur ? erreur : "unknown error";
            sqlite3_free(erreur);
            return Status::Error(chemin_ + ": " + m);
        }
        return Status::Ok();
    }
    Status Insere(const std::string& table, const std::vector<std::string>& colonnes,
                  const std::vector<Champ>& valeurs) {
        std::string sql = "INSERT INTO " + table + " (";
        std::string marques;
        for (size_t i = 0; i < colonnes.size(); ++i) {
            sql += (i ? ", \"" : "\"") + colonnes[i] + "\"";
            marques += i ? ", ?" : "?";
        }
        sql += ") VALUES (" + marques + ")";
        auto& st = requetes_[sql];
        if (!st) {
            sqlite3_stmt* s = nullptr;
            if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &s, nullptr) != SQLITE_OK)
                return Status::Error(chemin_ + ": " + sqlite3_errmsg(db_.get()));
            st.reset(s);
        }
        sqlite3_stmt* s = st.get();
        sqlite3_reset(s);
        for (size_t i = 0; i < valeurs.size(); ++i) {
            const int k = static_cast<int>(i) + 1;
            const Champ& v = valeurs[i];
            switch (v.genre) {
                case Champ::Genre::Nul:
                    sqlite3_bind_null(s, k);
                    break;
                case Champ::Genre::Entier:
                    sqlite3_bind_int64(s, k, v.entier);
                    break;
                case Champ::Genre::Reel:
                    sqlite3_bind_double(s, k, v.reel);
                    break;
                case Champ::Genre::Texte:
                    sqlite3_bind_text(s, k, v.texte.c_str(), -1, SQLITE_TRANSIENT);
                    break;
            }
        }
        if (sqlite3_step(s) != SQLITE_DONE)
            return Status::Error(chemin_ + ": " + table + ": " + sqlite3_errmsg(db_.get()));
        return Status::Ok();
    }
    // Species names in the order of Flore's primary key, as every reader of the base sees them.
    std::vector<std::string> Ordre_Flore() {
        std::vector<std::string> out;
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db_.get(), "SELECT Espece FROM Flore ORDER BY Espece COLLATE NOCASE, rowid", -1,
                           &s, nullptr);
        while (s && sqlite3_step(s) == SQLITE_ROW)
            out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
        return out;
    }
    Status Termine() {
        requetes_.clear();
        return Execute("COMMIT;");
    }

  private:
    std::string chemin_;
    std::unique_ptr<sqlite3, Fermeture_Base> db_;
    std::map<std::string, std::unique_ptr<sqlite3_stmt, Fin_Requete>> requetes_;
};

#define KB_ESSAIE(expr)     \
    do {                    \
        Status s_ = (expr); \
        if (!s_.ok())       \
            return s_;      \
    } while (0)

std::vector<Champ> Conditions(const std::vector<std::string>& conditions, int nb) {
    std::vector<Champ> out;
    for (int j = 0; j < nb; ++j) {
        if (j < static_cast<int>(conditions.size()))
            out.push_back(Champ::T(conditions[static_cast<size_t>(j)]));
        else if (j == static_cast<int>(conditions.size()))
            out.push_back(Champ::T("Fin"));
        else
            out.push_back(Champ());
    }
    return out;
}

std::vector<std::string> Colonnes_Conditions(std::vector<std::string> debut, int nb) {
    for (int j = 0; j < nb; ++j) debut.push_back("C_" + std::to_string(j));
    return debut;
}

template <typename T>
std::vector<T> Concat(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The common names, species by species, each with its rank in its language's alphabetical order.
Status Ecrit_Noms_Communs(const Base_Source& src, Ecrivain_Sql& sql) {
    for (const auto& lg : src.Langues) {
        std::vector<std::string> noms;
        for (const auto& e : src.Especes)
            for (const auto& nom : e.Noms.at(lg.Suffixe)) noms.push_back(nom);
        const std::vector<int> rangs = Rangs_Alphabetiques(noms, lg.Suffixe);
        size_t i = 0;
        for (const auto& e : src.Especes)
            for (const auto& nom : e.Noms.at(lg.Suffixe))
                KB_ESSAIE(
                    sql.Insere("Noms_Communs", {"Code", "Langue", "Nom", "Rang"},
                               {Champ::T(e.Code), Champ::T(lg.Langue), Champ::T(nom), Champ::E(rangs[i++])}));
    }
    return Status::Ok();
}

// The languages the base offers (the first is the one of the tables' own texts) and every
// translated text the source gives.
Status Ecrit_Traductions(const Base_Source& src, Ecrivain_Sql& sql) {
    KB_ESSAIE(sql.Execute(Schema_Traductions_SQL()));
    for (size_t k = 0; k < src.Langues.size(); ++k)
        KB_ESSAIE(sql.Insere(
            "Langues_Textes", {"Suffixe", "Langue", "Origine"},
            {Champ::T(src.Langues[k].Suffixe), Champ::T(src.Langues[k].Langue), Champ::E(k == 0 ? -1 : 0)}));
    auto ecrit = [&](Texte_Traduisible quoi, const std::string& cle,
                     const std::map<std::string, std::string>& traductions) -> Status {
        for (const auto& [suffixe, texte] : traductions)
            KB_ESSAIE(sql.Insere("Traductions", {"Nom_Table", "Cle", "Champ", "Langue", "Texte"},
                                 {Champ::T(std::string(quoi.Table)), Champ::T(cle),
                                  Champ::T(std::string(quoi.Champ)), Champ::T(suffixe), Champ::T(texte)}));
        return Status::Ok();
    };
    for (const auto& c : src.Caracteres) {
        KB_ESSAIE(ecrit(Question_Objet, c.Objet, c.Traductions));
        for (const auto& e : c.Etats) KB_ESSAIE(ecrit(Texte_Etat, e.Id, e.Traductions));
    }
    for (const auto& [boutons, caption, tiptext] :
         {std::tuple{&src.But_Deter, Caption_Deter, TipText_Deter},
          std::tuple{&src.But_Quest, Caption_Quest, TipText_Quest}}) {
        for (size_t k = 0; k < boutons->size(); ++k) {
            const std::string numero = std::to_string(k + 1);
            KB_ESSAIE(ecrit(caption, numero, (*boutons)[k].Captions));
            KB_ESSAIE(ecrit(tiptext, numero, (*boutons)[k].TipTexts));
        }
    }
    for (const auto& e : src.Especes) KB_ESSAIE(ecrit(Legende_Espece, e.Espece, e.Legendes));
    return Status::Ok();
}

// The measured characters' units, cuts and the species' ranges, only when the source has any: a
// base without them has neither table.
Status Ecrit_Mesures(const Base_Source& src, Ecrivain_Sql& sql) {
    if (std::none_of(src.Caracteres.begin(), src.Caracteres.end(), [](const auto& c) { return c.Mesure; }))
        return Status::Ok();
    KB_ESSAIE(sql.Execute(Schema_Mesures_SQL()));
    for (const auto& c : src.Caracteres)
        if (c.Mesure)
            KB_ESSAIE(sql.Insere("Objets_Mesures", {"Objet", "Unite", "Limites"},
                                 {Champ::T(c.Objet), Champ::T(c.Unite), Champ::T(Texte_Limites(c.Limites))}));
    for (const auto& e : src.Especes)
        for (const auto& [k, etendue] : e.Etendues)
            KB_ESSAIE(sql.Insere("Etendues_Especes", {"Espece", "Objet", "Bas", "Haut"},
                                 {Champ::T(e.Espece), Champ::T(src.Caracteres[static_cast<size_t>(k)].Objet),
                                  Champ::R(etendue.Bas), Champ::R(etendue.Haut)}));
    return Status::Ok();
}

Status Ecrit_Tables(const Base_Source& src, Ecrivain_Sql& sql) {
    const int nc = src.Nb_Contraintes;
    KB_ESSAIE(sql.Execute(Schema_SQL(nc)));

    const std::vector<std::pair<std::string, int>> parametres{
        {"Nb_Esp", static_cast<int>(src.Especes.size())},
        {"Nb_Etats_Desc", src.Nb_Etats},
        {"Nb_Cadre", static_cast<int>(src.Cadres.size())},
        {"Nb_Robot", static_cast<int>(src.Pieces.size())},
        {"Nb_But_Car", static_cast<int>(src.Caracteres.size())},
        {"Nb_But_Deter", static_cast<int>(src.But_Deter.size())},
        {"Nb_But_Quest", static_cast<int>(src.But_Quest.size())},
        {"Nb_Couleurs", static_cast<int>(src.Couleurs.size())},
        {"Nb_Contraintes", nc},
    };
    for (const auto& [nom, valeur] : parametres)
        KB_ESSAIE(
            sql.Insere("Parametres", {"Nom", "Etat"}, {Champ::T(nom), Champ::T(std::to_string(valeur))}));

    for (size_t k = 0; k < src.Couleurs.size(); ++k)
        KB_ESSAIE(sql.Insere("Couleurs", {"Numero", "Code_Couleur"},
                             {Champ::E(static_cast<long long>(k) + 1), Champ::T(src.Couleurs[k].Code)}));

    for (const auto& e : src.Especes)
        KB_ESSAIE(sql.Insere("Flore", {"Espece", "Code", "Famille", "Legende"},
                             {Champ::T(e.Espece), Champ::T(e.Code), Champ::T(e.Famille),
                              e.Legende.empty() ? Champ() : Champ::T(e.Legende)}));

    for (const auto& c : src.Caracteres) {
        KB_ESSAIE(sql.Insere(
            "Objets_Fic",
            {"Objet", "Desc_Num", "Index_Car", "Nb_Car", "Lignes", "Colonnes", "Cadre", "Popup", "TipText",
             "Joker"},
            {Champ::T(c.Objet), Champ::E(c.Desc_Num), Champ::E(c.Index_Car),
             Champ::E(static_cast<long long>(c.Etats.size())), Champ::E(c.Lignes), Champ::E(c.Colonnes),
             Champ::E(c.Cadre), Champ::T(Popup_Stocke(c)), Champ::T(c.Question), Champ::E(c.Joker ? -1 : 0)}));
        for (size_t k = 0; k < c.Etats.size(); ++k)
            KB_ESSAIE(sql.Insere("Caracteres", {"NUM", "ID_CARAC", "TipText"},
                                 {Champ::E(c.Index_Car + static_cast<long long>(k)), Champ::T(c.Etats[k].Id),
                                  Champ::T(c.Etats[k].Texte)}));
    }

    for (size_t k = 0; k < src.Regles.size(); ++k) {
        const auto& r = src.Regles[k];
        KB_ESSAIE(
            sql.Insere("Hierarchie", Colonnes_Conditions({"Numero", "Robot_Num", "Nom"}, nc),
                       Concat({Champ::E(static_cast<long long>(k) + 1), Champ::E(r.Piece), Champ::T(r.Nom)},
                              Conditions(r.Conditions, nc))));
    }
    for (size_t k = 0; k < src.Zones.size(); ++k) {
        const auto& z = src.Zones[k];
        KB_ESSAIE(sql.Insere(
            "Clic_Zone",
            Colonnes_Conditions({"Numero", "Nom", "Cadre", "Test_Cadre", "X1", "X2", "Y1", "Y2"}, nc),
            Concat({Champ::E(static_cast<long long>(k) + 1), Champ::T(z.Objet), Champ::E(z.Cadre),
                    Champ::E(z.Test_Cadre ? -1 : 0), Champ::R(z.X1), Champ::R(z.X2), Champ::R(z.Y1),
                    Champ::R(z.Y2)},
                   Conditions(z.Conditions, nc))));
    }

    for (size_t k = 0; k < src.Langues.size(); ++k)
        KB_ESSAIE(sql.Insere("Communs_Langues", {"Numero", "Langue"},
                             {Champ::E(static_cast<long long>(k) + 1), Champ::T(src.Langues[k].Langue)}));
    KB_ESSAIE(Ecrit_Noms_Communs(src, sql));

    const std::string barres = Disposition_Sortie::Barres;
    for (size_t k = 0; k < src.But_Deter.size(); ++k) {
        const auto& b = src.But_Deter[k];
        KB_ESSAIE(sql.Insere("But_Deter", {"Numero", "Caption", "File", "TipText", "Key"},
                             {Champ::E(static_cast<long long>(k) + 1), Champ::T(b.Caption),
                              Champ::T(barres + b.Image + ".ico"), Champ::T(b.TipText), Champ::T(b.Key)}));
    }
    for (size_t k = 0; k < src.But_Quest.size(); ++k) {
        const auto& b = src.But_Quest[k];
        KB_ESSAIE(sql.Insere("But_Quest", {"Numero", "Caption", "File", "TipText"},
                             {Champ::E(static_cast<long long>(k) + 1), Champ::T(b.Caption),
                              Champ::T(barres + b.Image + ".ico"), Champ::T(b.TipText)}));
    }
    for (const auto& c : src.Contradictions)
        KB_ESSAIE(sql.Insere("Contradictions", {"Objet", "Bouton", "Popup"},
                             {Champ::T(c.Objet), Champ::E(c.Bouton), Champ::T(c.Dessin)}));
    for (size_t k = 0; k < src.Dependances.size(); ++k)
        KB_ESSAIE(sql.Insere("Descendance", {"Numero", "ID_CARAC", "Objet"},
                             {Champ::E(static_cast<long long>(k) + 1), Champ::T(src.Dependances[k].Id),
                              Champ::T(src.Dependances[k].Objet)}));

    for (const auto& lg : src.Langues) KB_ESSAIE(sql.Execute(Vue_Vernaculaire_SQL(lg.Langue)));
    KB_ESSAIE(Ecrit_Mesures(src, sql));
    return Ecrit_Traductions(src, sql);
}

Status Ecrit_Reglages(const std::string& chemin) {
    std::ofstream ini(chemin, std::ios::trunc);
    using D = Disposition_Sortie;
    ini << "; Machine settings of this knowledge base; paths are relative to this file's folder.\n"
        << "[Logiciel]\nData=" << D::Data << "\nBase=" << D::Base << "\nDescripteurs=" << D::Descripteurs
        << "\nExecutables=" << D::Executables << "\nRobot=" << D::Robot << "\n"
        << "[Documents]\nAdresse=" << D::Documents << "\n"
        << "[Options]\nDistribution=hd\nValeur=0\nCurseur=False\n";
    ini.close();
    if (!ini)
        return Status::Error(chemin + ": cannot be written");
    return Status::Ok();
}

}  // namespace

Status Ecrit_Base(const Base_Source& src, const std::string& dossier) {
    using D = Disposition_Sortie;
    const fs::path data = fs::path(dossier) / D::Data;
    std::error_code ec;
    fs::create_directories(data, ec);
    if (ec)
        return Status::Error(data.string() + ": cannot be created");

    Ecrivain_Sql sql((data / D::Base).string());
    KB_ESSAIE(sql.Ouvre());
    KB_ESSAIE(Ecrit_Tables(src, sql));
    const std::vector<std::string> ordre = sql.Ordre_Flore();
    KB_ESSAIE(sql.Termine());

    std::map<std::string, const Espece_Source*> par_nom;
    for (const auto& e : src.Especes) par_nom[Plie(e.Espece)] = &e;
    if (ordre.size() != src.Especes.size())
        return Status::Error((data / D::Base).string() + ": Flore lost species");

    std::vector<int16_t> poids(static_cast<size_t>(src.Nb_Etats));
    for (const auto& c : src.Caracteres)
        for (size_t k = 0; k < c.Etats.size(); ++k)
            poids[static_cast<size_t>(c.Index_Car) + k] = static_cast<int16_t>(c.Etats[k].Poids);
    const size_t nb_esp = ordre.size();
    std::vector<int16_t> matrice(nb_esp * static_cast<size_t>(src.Nb_Etats));
    for (size_t s = 0; s < nb_esp; ++s) {
        const Espece_Source& esp = *par_nom.at(Plie(ordre[s]));
        for (size_t e = 0; e < static_cast<size_t>(src.Nb_Etats); ++e)
            matrice[s + nb_esp * e] = esp.Valeurs[e];
    }
    if (!Ecrit_Tableau_16((data / "POIDS.DAT").string(), poids))
        return Status::Error((data / "POIDS.DAT").string() + ": cannot be written");
    if (!Ecrit_Tableau_16((data / "MATRICE.DAT").string(), matrice))
        return Status::Error((data / "MATRICE.DAT").string() + ": cannot be written");
    return Ecrit_Reglages((fs::path(dossier) / D::Reglages).string());
}

}  // namespace kestrane::kb
