#include "Chargeur_Base.h"

#include <new>
#include <tuple>

#include "Chemins_Fichiers.h"
#include "Conversions.h"
#include "Database.h"
#include "Fichiers_Donnees.h"
#include "Mesures_Objets.h"

namespace kestrane {
namespace {

class Chargeur {
public:
    Chargeur(const Emplacements_Base& lieux, Palette_Sampler* palette) : lieux_(lieux), palette_(palette) {}

    Chargement Charge();

private:
    void Avertit(std::string message) { resultat_.Avertissements.push_back(std::move(message)); }
    bool Echoue(Echec_Chargement::Genre genre, std::string message, std::string detail) {
        resultat_.Echec = Echec_Chargement{genre, std::move(message), std::move(detail)};
        return false;
    }

    std::unique_ptr<Recordset> Ouvre(const char* table, const char* index);
    // Fails the load, as for a damaged database, when a read went beyond the database's bounds.
    bool Endommagee(const Status& status);
    bool Verifie_Requetes();
    bool Lit_Compte(Recordset* parametres, const char* nom, int32_t& compte, bool flore = false);
    void Lit_Palette(Recordset* parametres);
    bool Lit_Comptes(Recordset* parametres);
    void Lit_Objets();
    void Lit_Caracteres();
    void Lit_Descendance();
    void Lit_Hierarchie();
    void Lit_Clic_Zone();
    void Lit_Boutons(const char* table, int32_t nombre, bool avec_cle, std::vector<Bouton_Barre>& out);
    void Lit_Contradictions();
    void Lit_Langues();
    void Lit_Flore();
    bool Accepte_Lecture(const std::string& chemin, const Lecture_Tableau& lu,
                         Echec_Chargement::Genre genre_lecture);
    // Fails the load of a base without species or without characters.
    bool Verifie_Contenu();
    bool Lit_Fichier(const std::string& nom, size_t elements, std::vector<int16_t>& out,
                     Echec_Chargement::Genre genre_lecture);
    bool Verifie_Fichiers();
    size_t Elements_Matrice() const;
    bool Lit_Matrice();
    std::vector<std::string> Conditions(const Recordset& rs, bool& terminees) const;

    const Emplacements_Base& lieux_;
    Palette_Sampler* palette_;
    Base_Connaissance* base_ = nullptr;
    Chargement resultat_;
};

int Entier(const Recordset& rs, const char* field) { return static_cast<int>(rs.Get(field).Number()); }

std::unique_ptr<Recordset> Chargeur::Ouvre(const char* table, const char* index) {
    auto rs = base_->Base_Donnees->Open_Table(table);
    if (!rs) {
        if (!Endommagee(rs.status()))
            Avertit(rs.status().message());
        return nullptr;
    }
    if (index != nullptr) {
        if (Status s = rs.value()->Set_Index(index); !s && !Endommagee(s))
            Avertit(lieux_.Chemin_Base + ": " + s.message());
    }
    return std::move(rs.value());
}

bool Chargeur::Endommagee(const Status& status) {
    if (!Database::Hors_Bornes(status))
        return false;
    if (!resultat_.Echec)
        Echoue(Echec_Chargement::Genre::Base_Donnees, lieux_.Chemin_Base + ", Erreur N°" + Signed_Text(status.code()),
               status.message());
    return true;
}

// The common names' stored queries are read by the species tree and the name search; one made to
// run for ever or to fill the memory is found here, while the splash window is still up.
bool Chargeur::Verifie_Requetes() {
    for (const std::string& langue : base_->Communs_Langues) {
        if (auto vue = base_->Base_Donnees->Open_Query("Vernaculaire_" + langue); !vue)
            Endommagee(vue.status());
        if (resultat_.Echec)
            return false;
    }
    return true;
}

// The species and state counts take the 32-bit range (the data files must then hold them); the
// others, which size toolbars, frames and the portrait, keep the 16-bit range they always had.
bool Chargeur::Lit_Compte(Recordset* parametres, const char* nom, int32_t& compte, bool flore) {
    if (parametres == nullptr || !parametres->Seek_Equal(Value(nom))) return true;  // keeps its value
    const std::string texte = parametres->Get("Etat").Text();
    const std::optional<int32_t> valeur =
        flore ? Leading_Int32(texte) : std::optional<int32_t>(Leading_Int16(texte));
    if (!valeur) {
        Avertit(lieux_.Chemin_Base + ": parameter " + nom + " = \"" + texte + "\" does not fit a " +
                (flore ? "32" : "16") + "-bit count");
        return true;
    }
    if (*valeur < 0) {
        return Echoue(Echec_Chargement::Genre::Donnees_Incoherentes,
                      lieux_.Chemin_Base + ": parameter " + nom + " is negative (" + std::to_string(*valeur) + ")",
                      "");
    }
    compte = *valeur;
    return true;
}

void Chargeur::Lit_Palette(Recordset* parametres) {
    const int n = base_->Nb_Couleurs;
    base_->Couleur_Pixel.assign(static_cast<size_t>(n), 0);
    base_->Couleur_Comp.assign(static_cast<size_t>(n), {});
    base_->Code_Couleur.assign(static_cast<size_t>(n), {});
    if (palette_ != nullptr && n > 0) {
        const auto couleurs = palette_->Echantillonne(n);
        for (size_t c = 0; c < couleurs.size() && c < static_cast<size_t>(n); ++c) {
            base_->Couleur_Pixel[c] = couleurs[c];
            base_->Couleur_Comp[c] = Decompose_Couleur(couleurs[c]);
        }
    }
    auto couleurs = Ouvre("Couleurs", "PrimaryKey");
    if (!couleurs) return;
    for (int k = 1; k <= n; ++k) {
        if (couleurs->Seek_Equal(Value(k))) {
            base_->Code_Couleur[static_cast<size_t>(k - 1)] = couleurs->Get("Code_Couleur").Text();
        } else {
            Avertit(lieux_.Chemin_Base + ": Couleurs has no row " + std::to_string(k));
        }
    }
}

bool Chargeur::Lit_Comptes(Recordset* parametres) {
    struct {
        const char* nom;
        int32_t* compte;
        bool flore;
    } const comptes[] = {
        {"Nb_Esp", &base_->Nb_Esp, true},
        {"Nb_Etats_Desc", &base_->Nb_Etats_Desc, true},
        {"Nb_Cadre", &base_->Nb_Cadre, false},
        {"Nb_Robot", &base_->Nb_Robot, false},
        {"Nb_But_Car", &base_->Nb_But_Car, false},
        {"Nb_But_Deter", &base_->Nb_But_Deter, false},
        {"Nb_But_Quest", &base_->Nb_But_Quest, false},
        {"Nb_Contraintes", &base_->Nb_Contraintes, false},
    };
    for (const auto& c : comptes) {
        if (!Lit_Compte(parametres, c.nom, *c.compte, c.flore))
            return false;
    }
    return true;
}

std::vector<std::string> Chargeur::Conditions(const Recordset& rs, bool& terminees) const {
    std::vector<std::string> conditions;
    terminees = false;
    for (int j = 0; j < base_->Nb_Contraintes; ++j) {
        const std::string champ = "C_" + std::to_string(j);
        const std::string valeur = rs.Get(champ).Text();
        if (valeur == "Fin") {
            terminees = true;
            break;
        }
        conditions.push_back(valeur);
    }
    return conditions;
}

void Chargeur::Lit_Objets() {
    auto rs = Ouvre("Objets_Fic", "Objet");
    if (!rs) return;
    const int nb_etats = base_->Nb_Etats_Desc;
    for (rs->Move_First(); !rs->Eof(); rs->Move_Next()) {
        Objet_Fic o;
        o.Objet = rs->Get("Objet").Text();
        o.Desc_Num = Entier(*rs, "Desc_Num");
        o.Index_Car = Entier(*rs, "Index_Car");
        o.Nb_Car = Entier(*rs, "Nb_Car");
        o.Lignes = Entier(*rs, "Lignes");
        o.Colonnes = Entier(*rs, "Colonnes");
        o.Cadre = rs->Get("Cadre").Is_Null() ? -1 : Entier(*rs, "Cadre");
        o.Popup = rs->Get("Popup").Text();
        o.TipText = rs->Get("TipText").Text();
        o.Joker = rs->Get("Joker").Boolean().value_or(false);
        if (o.Index_Car < 0 || o.Nb_Car < 0 || o.Index_Car + o.Nb_Car > nb_etats) {
            Avertit(lieux_.Chemin_Base + ": Objets_Fic row \"" + o.Objet + "\" has states " +
                    std::to_string(o.Index_Car) + " .. " + std::to_string(o.Index_Car + o.Nb_Car - 1) +
                    " outside 0 .. " + std::to_string(nb_etats - 1) + "; passed over");
            continue;
        }
        if (o.Cadre < -1 || o.Cadre >= base_->Nb_Cadre) {
            Avertit(lieux_.Chemin_Base + ": Objets_Fic row \"" + o.Objet + "\" has frame " + std::to_string(o.Cadre) +
                    " outside 0 .. " + std::to_string(base_->Nb_Cadre - 1) + "; taken as no frame");
            o.Cadre = -1;
        }
        base_->Objets.push_back(std::move(o));
    }
    // Joker: one flag per record of the table, set by each character's Desc_Num. A row passed over
    // above still counts, so that it cannot shift another character out of range.
    base_->Joker.assign(static_cast<size_t>(rs->Record_Count()), false);
    for (const auto& o : base_->Objets) {
        if (o.Desc_Num < 0 || o.Desc_Num >= static_cast<int>(base_->Joker.size())) {
            Avertit(lieux_.Chemin_Base + ": Objets_Fic row \"" + o.Objet + "\" has Desc_Num " +
                    std::to_string(o.Desc_Num) + " outside 0 .. " + std::to_string(base_->Joker.size() - 1) +
                    "; its Joker flag is passed over");
            continue;
        }
        base_->Joker[static_cast<size_t>(o.Desc_Num)] = o.Joker;
    }
}

void Chargeur::Lit_Caracteres() {
    auto rs = Ouvre("Caracteres", "PrimaryKey");
    if (!rs) return;
    for (rs->Move_First(); !rs->Eof(); rs->Move_Next()) {
        Etat_Caractere e;
        e.NUM = Entier(*rs, "NUM");
        e.ID_CARAC = rs->Get("ID_CARAC").Text();
        e.TipText = rs->Get("TipText").Text();
        if (e.NUM < 0 || e.NUM >= base_->Nb_Etats_Desc) {
            Avertit(lieux_.Chemin_Base + ": Caracteres row \"" + e.ID_CARAC + "\" has state number " +
                    std::to_string(e.NUM) + " outside 0 .. " + std::to_string(base_->Nb_Etats_Desc - 1) +
                    "; passed over");
            continue;
        }
        base_->Caracteres.push_back(std::move(e));
    }
    if (!rs->Set_Index("ID_CARAC")) Avertit(lieux_.Chemin_Base + ": Caracteres has no index ID_CARAC");
}

void Chargeur::Lit_Descendance() {
    if (!base_->Base_Donnees->Has_Table("Descendance")) return;  // a base without dependencies
    auto rs = Ouvre("Descendance", "PrimaryKey");
    if (!rs) return;
    const auto champs = rs->Field_Names();
    for (rs->Move_First(); !rs->Eof(); rs->Move_Next()) {
        Dependance d;
        // The record number is the primary key, whatever its column is called.
        d.Numero = rs->Has_Field("Numero") ? Entier(*rs, "Numero") : rs->Position() + 1;
        d.ID_CARAC = rs->Get("ID_CARAC").Text();
        d.Objet = rs->Get("Objet").Text();
        base_->Descendance.push_back(std::move(d));
    }
}

void Chargeur::Lit_Hierarchie() {
    auto rs = Ouvre("Hierarchie", "PrimaryKey");
    if (!rs) return;
    for (rs->Move_First(); !rs->Eof(); rs->Move_Next()) {
        Regle_Portrait r;
        r.Robot_Num = Entier(*rs, "Robot_Num");
        r.Nom = rs->Get("Nom").Text();
        r.Conditions = Conditions(*rs, r.Conditions_Terminees);
        base_->Hierarchie.push_back(std::move(r));
    }
}

void Chargeur::Lit_Clic_Zone() {
    auto rs = Ouvre("Clic_Zone", "PrimaryKey");
    if (!rs) return;
    // A Null edge stays absent: it never contains the point.
    auto nombre = [&](const char* champ) -> std::optional<double> {
        const Value v = rs->Get(champ);
        if (v.Is_Null())
            return std::nullopt;
        return v.Is_Real() ? std::stod(v.Text()) : static_cast<double>(v.Number());
    };
    for (rs->Move_First(); !rs->Eof(); rs->Move_Next()) {
        Zone_Clic z;
        z.Nom = rs->Get("Nom").Text();
        z.Cadre = rs->Get("Cadre").Is_Null() ? -1 : Entier(*rs, "Cadre");
        z.Test_Cadre = rs->Get("Test_Cadre").Boolean();
        z.X1 = nombre("X1");
        z.X2 = nombre("X2");
        z.Y1 = nombre("Y1");
        z.Y2 = nombre("Y2");
        z.Conditions = Conditions(*rs, z.Conditions_Terminees);
        base_->Clic_Zone.push_back(std::move(z));
    }
}

void Chargeur::Lit_Boutons(const char* table, int32_t nombre, bool avec_cle, std::vector<Bouton_Barre>& out) {
    if (!base_->Base_Donnees->Has_Table(table)) return;
    auto rs = Ouvre(table, "PrimaryKey");
    if (!rs) return;
    for (int b = 1; b <= nombre; ++b) {
        if (!rs->Seek_Equal(Value(b))) continue;  // a missing button number is skipped
        Bouton_Barre bouton;
        bouton.Numero = b;
        bouton.Caption = rs->Get("Caption").Text();
        bouton.File = rs->Get("File").Text();
        bouton.TipText = rs->Get("TipText").Text();
        if (avec_cle) bouton.Key = rs->Get("Key").Text();
        out.push_back(std::move(bouton));
    }
}

void Chargeur::Lit_Contradictions() {
    if (!base_->Base_Donnees->Has_Table("Contradictions")) return;
    auto rs = Ouvre("Contradictions", "PrimaryKey");
    if (!rs) return;
    for (rs->Move_First(); !rs->Eof(); rs->Move_Next()) {
        Marque_Contradiction m;
        m.Objet = rs->Get("Objet").Text();
        m.Bouton = rs->Get("Bouton").Is_Null() ? -1 : Entier(*rs, "Bouton");
        m.Popup = rs->Get("Popup").Text();
        base_->Contradictions.push_back(std::move(m));
    }
}

void Chargeur::Lit_Langues() {
    auto rs = Ouvre("Communs_Langues", "Langue");
    if (!rs) return;
    for (rs->Move_First(); !rs->Eof(); rs->Move_Next()) base_->Communs_Langues.push_back(rs->Get("Langue").Text());
}

void Chargeur::Lit_Flore() {
    base_->Nom_Esp.assign(static_cast<size_t>(base_->Nb_Esp), {});
    auto rs = Ouvre("Flore", "PrimaryKey");
    if (!rs) return;
    base_->Flore.reserve(static_cast<size_t>(rs->Record_Count()));
    size_t n = 0;
    for (rs->Move_First(); !rs->Eof(); rs->Move_Next(), ++n) {
        Espece_Flore e{rs->Get("Espece").Text(), rs->Get("Code").Text(), rs->Get("Famille").Text(),
                       rs->Get("Legende").Text()};
        if (n < base_->Nom_Esp.size()) base_->Nom_Esp[n] = e.Espece;
        base_->Flore.push_back(std::move(e));
    }
    if (n > base_->Nom_Esp.size()) {
        Avertit(lieux_.Chemin_Base + ": Flore has " + std::to_string(n) + " rows for Nb_Esp = " +
                std::to_string(base_->Nb_Esp) + "; the rows beyond are not species of the key");
    } else if (n < base_->Nom_Esp.size()) {
        Avertit(lieux_.Chemin_Base + ": Flore has " + std::to_string(n) + " rows for Nb_Esp = " +
                std::to_string(base_->Nb_Esp) + "; the species beyond have no name");
    }
}

bool Chargeur::Verifie_Contenu() {
    // A key needs species to rank and characters to ask: without them the window would open on an
    // empty key as if all were well.
    if (base_->Nb_Esp <= 0) {
        return Echoue(Echec_Chargement::Genre::Base_Vide,
                      lieux_.Chemin_Base +
                          ": this knowledge base has no species (Parametres gives Nb_Esp = " +
                          std::to_string(base_->Nb_Esp) + ")",
                      "");
    }
    if (base_->Nb_Etats_Desc <= 0 || base_->Objets.empty()) {
        return Echoue(Echec_Chargement::Genre::Base_Vide,
                      lieux_.Chemin_Base + ": this knowledge base has no characters (Nb_Etats_Desc = " +
                          std::to_string(base_->Nb_Etats_Desc) + ", " + std::to_string(base_->Objets.size()) +
                          " usable rows in Objets_Fic)",
                      "");
    }
    return true;
}

bool Chargeur::Accepte_Lecture(const std::string& chemin, const Lecture_Tableau& lu,
                               Echec_Chargement::Genre genre_lecture) {
    switch (lu.echec) {
        case Echec_Lecture::Aucun:
            return true;
        case Echec_Lecture::Ouverture:
            return Echoue(Echec_Chargement::Genre::Fichier_Absent, chemin, lu.detail);
        case Echec_Lecture::Lecture:
            return Echoue(genre_lecture, chemin, lu.detail);
    }
    return true;
}

bool Chargeur::Lit_Fichier(const std::string& nom, size_t elements, std::vector<int16_t>& out,
                           Echec_Chargement::Genre genre_lecture) {
    const std::string chemin = lieux_.Rep_Data + nom;
    return Accepte_Lecture(chemin, Lit_Tableau_16(chemin, elements, out), genre_lecture);
}

size_t Chargeur::Elements_Matrice() const {
    return static_cast<size_t>(base_->Nb_Esp) * static_cast<size_t>(base_->Nb_Etats_Desc);
}

bool Chargeur::Verifie_Fichiers() {
    // Counts that the files cannot fill (a damaged Parametres) are refused before anything is
    // made to their size, with the message the read would give.
    for (const auto& [nom, elements, genre] :
         {std::tuple{"POIDS.DAT", static_cast<size_t>(base_->Nb_Etats_Desc),
                     Echec_Chargement::Genre::Lecture_Poids},
          std::tuple{"MATRICE.DAT", Elements_Matrice(), Echec_Chargement::Genre::Lecture_Matrice}}) {
        const std::string chemin = lieux_.Rep_Data + nom;
        if (!Accepte_Lecture(chemin, Verifie_Tableau_16(chemin, elements), genre))
            return false;
    }
    return true;
}

bool Chargeur::Lit_Matrice() {
    const std::string chemin = lieux_.Rep_Data + "MATRICE.DAT";
    const auto genre = Echec_Chargement::Genre::Lecture_Matrice;
    const size_t elements = Elements_Matrice();
    try {
        base_->Matrice = Matrice_Especes(base_->Nb_Esp, base_->Nb_Etats_Desc);
    } catch (const std::bad_alloc&) {
        return Echoue(genre, chemin, chemin + ": no memory for " + std::to_string(elements) + " values");
    }
    return Lit_Fichier("MATRICE.DAT", elements, base_->Matrice.Data(), genre);
}

Chargement Chargeur::Charge() {
    auto base = std::make_unique<Base_Connaissance>();
    base_ = base.get();
    base_->Chemin_Base = lieux_.Chemin_Base;
    base_->Rep_Data = lieux_.Rep_Data;

    // 1. The database, read-only.
    auto db = Database::Open_Read_Only(Trouve_Fichier(lieux_.Chemin_Base));
    if (!db) {
        Echoue(Echec_Chargement::Genre::Base_Donnees,
               lieux_.Chemin_Base + ", Erreur N°" + Signed_Text(db.status().code()), db.status().message());
        return std::move(resultat_);
    }
    base_->Base_Donnees = std::move(db.value());

    // 2-4. Counts and palette.
    auto parametres = Ouvre("Parametres", "PrimaryKey");
    if (resultat_.Echec) return std::move(resultat_);
    if (!Lit_Compte(parametres.get(), "Nb_Couleurs", base_->Nb_Couleurs)) return std::move(resultat_);
    Lit_Palette(parametres.get());
    if (!Lit_Comptes(parametres.get()) || !Verifie_Fichiers())
        return std::move(resultat_);

    // 5-9. Arrays and the tables read at every answer.
    Lit_Hierarchie();
    Lit_Clic_Zone();
    Lit_Caracteres();
    Lit_Objets();
    Lit_Langues();
    Lit_Descendance();
    Lit_Boutons("But_Deter", base_->Nb_But_Deter, true, base_->But_Deter);
    Lit_Boutons("But_Quest", base_->Nb_But_Quest, false, base_->But_Quest);
    Lit_Contradictions();
    base_->Textes = Textes_Base::Lit(*base_->Base_Donnees, resultat_.Avertissements);
    if (resultat_.Echec || !Verifie_Requetes() || !Verifie_Contenu())
        return std::move(resultat_);

    // 10-13. Weights, species, matrix.
    const auto nb_etats = static_cast<size_t>(base_->Nb_Etats_Desc);
    if (!Lit_Fichier("POIDS.DAT", nb_etats, base_->Poids, Echec_Chargement::Genre::Lecture_Poids)) {
        return std::move(resultat_);
    }
    Lit_Flore();
    if (resultat_.Echec || !Lit_Matrice())
        return std::move(resultat_);
    std::vector<std::string> mesures;
    Lit_Mesures(*base_->Base_Donnees, *base_, mesures);
    for (auto& m : mesures) Avertit(lieux_.Chemin_Base + ": " + m + "; passed over");
    base_->Indexe();
    resultat_.Base = std::move(base);
    return std::move(resultat_);
}

}  // namespace

Chargement Charge_Base(const Emplacements_Base& lieux, Palette_Sampler* palette) {
    return Chargeur(lieux, palette).Charge();
}

}  // namespace kestrane
