#pragma once
// Everything the program knows about the flora, loaded once and read-only afterwards.
//
// Species are numbered in the order of table Flore by its primary key; states 0 .. Nb_Etats_Desc-1
// over all characters, a character owning Index_Car .. Index_Car + Nb_Car - 1; colours
// 0 .. Nb_Couleurs-1 (row c + 1 of Couleurs, band c of the palette picture). The open database and
// its record sets stay open for the whole run; the tables that the engine and the portrait read
// at every answer are also held here in plain arrays, in the order of their index.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Textes_Base.h"

namespace kestrane {

class Database;

// One cell of the matrix. The desktop holds the 16 bits of MATRICE.DAT; the browser's build
// holds one byte per cell, so that a large base fits a phone's memory (the compact base file it
// reads refuses, when it is written, values a byte cannot carry).
#ifdef KESTRANE_MATRICE_OCTETS
using Cellule_Matrice = int8_t;
#else
using Cellule_Matrice = int16_t;
#endif

// The species-by-state matrix, held once, state-major exactly as MATRICE.DAT lays it out:
// the value for species s and state e is at s + Nb_Esp * e. A state's column is contiguous.
class Matrice_Especes {
public:
    Matrice_Especes() = default;
    // Zero-filled. A large matrix is placed in huge pages where the system offers them, so that
    // filling it does not fault page by page. Throws std::bad_alloc when the memory is lacking.
    Matrice_Especes(int nb_esp, int nb_etats);

    Cellule_Matrice operator()(int s, int e) const { return values_[Offset(s, e)]; }
    Cellule_Matrice& operator()(int s, int e) { return values_[Offset(s, e)]; }
    // The Nb_Esp values of state e, one per species.
    const Cellule_Matrice* Etat(int e) const { return values_.data() + static_cast<size_t>(nb_esp_) * static_cast<size_t>(e); }
    int Nb_Esp() const { return nb_esp_; }
    int Nb_Etats() const { return nb_etats_; }
    std::vector<Cellule_Matrice>& Data() { return values_; }
    const std::vector<Cellule_Matrice>& Data() const { return values_; }
    bool operator==(const Matrice_Especes&) const = default;

private:
    size_t Offset(int s, int e) const {
        return static_cast<size_t>(s) + static_cast<size_t>(nb_esp_) * static_cast<size_t>(e);
    }
    int nb_esp_ = 0;
    int nb_etats_ = 0;
    std::vector<Cellule_Matrice> values_;
};

struct Couleur_Composantes {
    uint8_t Bleu = 0;
    uint8_t Vert = 0;
    uint8_t Rouge = 0;
    bool operator==(const Couleur_Composantes&) const = default;
};

// One row of Objets_Fic: a character (an object of the portrait) and its states.
struct Objet_Fic {
    std::string Objet;
    int Desc_Num = 0;
    int Index_Car = 0;
    int Nb_Car = 0;
    int Lignes = 0;
    int Colonnes = 0;
    int Cadre = -1;
    std::string Popup;
    std::string TipText;
    bool Joker = false;
    bool operator==(const Objet_Fic&) const = default;
};

// One row of Caracteres: a state.
struct Etat_Caractere {
    int NUM = 0;
    std::string ID_CARAC;
    std::string TipText;
    bool operator==(const Etat_Caractere&) const = default;
};

// One row of Descendance: character Objet depends on the parent state ID_CARAC.
struct Dependance {
    int Numero = 0;  // the record number, 1 .. record count
    std::string ID_CARAC;
    std::string Objet;
    bool operator==(const Dependance&) const = default;
};

// One row of Hierarchie: piece Robot_Num shows drawing Nom when every condition state is chosen.
// Conditions holds the values of C_0, C_1, ... as stored (the list ends at the first "Fin";
// Conditions_Terminees says whether one was found within Nb_Contraintes columns).
struct Regle_Portrait {
    int Robot_Num = 0;
    std::string Nom;
    std::vector<std::string> Conditions;
    bool Conditions_Terminees = false;
    bool operator==(const Regle_Portrait&) const = default;
};

// One row of Clic_Zone, in reference units of the 2400 x 1800 frame. A Null edge or Test_Cadre
// stays absent (nullopt): such an edge never contains a point, such a Test_Cadre is neutral.
struct Zone_Clic {
    std::string Nom;
    int Cadre = -1;
    std::optional<bool> Test_Cadre = false;
    std::optional<double> X1 = 0, X2 = 0, Y1 = 0, Y2 = 0;
    std::vector<std::string> Conditions;
    bool Conditions_Terminees = false;
    bool operator==(const Zone_Clic&) const = default;
};

// One row of But_Deter or But_Quest (Key is empty for the question bar).
struct Bouton_Barre {
    int Numero = 0;
    std::string Caption;
    std::string File;
    std::string TipText;
    std::string Key;
    bool operator==(const Bouton_Barre&) const = default;
};

// One row of Contradictions.
struct Marque_Contradiction {
    std::string Objet;
    int Bouton = -1;
    std::string Popup;
    bool operator==(const Marque_Contradiction&) const = default;
};

// One row of Flore.
struct Espece_Flore {
    std::string Espece;
    std::string Code;
    std::string Famille;
    std::string Legende;
    bool operator==(const Espece_Flore&) const = default;
};

// A measured character (optional tables Objets_Mesures and Etendues_Especes; Mesures_Objets.h):
// its unit, the limits between its classes (its states, in order) and each species' range.
struct Mesure_Objet {
    std::string Objet;
    std::string Unite;            // "mm", may be empty
    std::vector<double> Limites;  // Nb_Car - 1 ascending cuts; class k holds [Limites[k-1], Limites[k])
    std::vector<double> Bas;      // by species; NaN where the species has no range
    std::vector<double> Haut;
    int Position = -1;            // its row in Objets (set by Indexe)
    bool operator==(const Mesure_Objet&) const = default;
};

struct Base_Connaissance {
    // Counts from Parametres. Nb_Esp and Nb_Etats_Desc take the 32-bit range, so that a base may
    // hold more than 32,767 species or states (the data files' values stay 16-bit); the others
    // are read within 16 bits.
    int32_t Nb_Esp = 0;
    int32_t Nb_Etats_Desc = 0;
    int32_t Nb_Cadre = 0;
    int32_t Nb_Robot = 0;
    int32_t Nb_But_Car = 0;
    int32_t Nb_But_Deter = 0;
    int32_t Nb_But_Quest = 0;
    int32_t Nb_Couleurs = 0;
    int32_t Nb_Contraintes = 0;

    // Species.
    std::vector<std::string> Nom_Esp;       // Nb_Esp names, in Flore order
    std::vector<Espece_Flore> Flore;        // every Flore row in index order (may exceed Nb_Esp)

    // States.
    std::vector<int16_t> Poids;             // Nb_Etats_Desc weights
    Matrice_Especes Matrice;                // Nb_Esp x Nb_Etats_Desc

    // Palette.
    std::vector<int32_t> Couleur_Pixel;     // 0x00BBGGRR
    std::vector<Couleur_Composantes> Couleur_Comp;
    std::vector<std::string> Code_Couleur;

    // Characters and their flags as loaded: Joker(Desc_Num) of the row whose Desc_Num it is.
    std::vector<bool> Joker;

    // Tables read at every answer, in the order of their index.
    std::vector<Objet_Fic> Objets;          // Objets_Fic by index "Objet"
    std::vector<Etat_Caractere> Caracteres; // by state number (index "PrimaryKey")
    std::vector<Dependance> Descendance;    // by record number
    std::vector<Regle_Portrait> Hierarchie; // by primary key
    std::vector<Zone_Clic> Clic_Zone;       // by primary key
    std::vector<Bouton_Barre> But_Deter;    // by button number
    std::vector<Bouton_Barre> But_Quest;    // by button number
    std::vector<Marque_Contradiction> Contradictions;  // by Objet
    std::vector<std::string> Communs_Langues;          // by index "Langue"

    // The measured characters, in Objets_Mesures order (empty for a base without the tables).
    std::vector<Mesure_Objet> Mesures;

    // The texts above in the other languages the base offers (empty when it offers none).
    Textes_Base Textes;

    // The open database, for the readers that walk its tables themselves (stored queries, ...);
    // null for a base read from the compact file. Shared, so that the model is destroyed without
    // the database's code: the browser's build has none.
    std::shared_ptr<Database> Base_Donnees;
    std::string Chemin_Base;
    std::string Rep_Data;

    // Look-ups without regard to case; nullptr / nullopt when absent.
    const Objet_Fic* Trouve_Objet(std::string_view objet) const;
    std::optional<int> Etat_Par_Identifiant(std::string_view id_carac) const;
    const Etat_Caractere* Etat_Par_Numero(int num) const;
    const Marque_Contradiction* Trouve_Contradiction(std::string_view objet) const;
    // The measure of the character at row `position` of Objets; nullptr when it is not measured.
    const Mesure_Objet* Mesure_De(size_t position) const {
        return position < mesure_par_position_.size() && mesure_par_position_[position] >= 0
                   ? &Mesures[static_cast<size_t>(mesure_par_position_[position])]
                   : nullptr;
    }

    // Builds the look-up maps once the tables above are filled.
    void Indexe();

private:
    std::map<std::string, size_t> objet_par_nom_;
    std::map<std::string, int> etat_par_identifiant_;
    std::map<int, size_t> etat_par_numero_;
    std::map<std::string, size_t> contradiction_par_objet_;
    std::vector<int> mesure_par_position_;  // by row of Objets: index in Mesures, -1 when none
};

// Components of a colour value 0x00BBGGRR.
Couleur_Composantes Decompose_Couleur(int32_t value);

}  // namespace kestrane
