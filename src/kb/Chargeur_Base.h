#pragma once
// Builds a Base_Connaissance from the knowledge database and its two data files.
//
// The load follows a fixed order: open the database, read the counts, sample the palette, read
// the tables that stay open, the Joker flags, POIDS.DAT, the species, then MATRICE.DAT. Only the
// database (also one whose tables or common names' queries go beyond the bounds any base needs,
// Database::Hors_Bornes), the two data files, an inconsistent count and a base without species or
// characters stop it; every other problem (a missing table, field or row) is passed over and reported as a
// warning, which the caller shows to the user. Nothing is ever written.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Palette_Sampler.h"

namespace kestrane {

// Why a load stopped. The window turns each kind into its message box.
struct Echec_Chargement {
    enum class Genre {
        Base_Donnees,          // the database cannot be opened: Message is "<path>, Erreur N° <code>"
        Fichier_Absent,        // a data file cannot be opened: Message is its full path
        Lecture_Poids,         // POIDS.DAT cannot be read whole
        Lecture_Matrice,       // MATRICE.DAT cannot be read whole
        Donnees_Incoherentes,  // a count that no base can have (negative): Message says which
        Base_Vide,             // no species or no characters: Message says which
    };
    Genre Genre_Echec;
    std::string Message;
    std::string Detail;  // what went wrong, naming the file, for logs and the command line
};

struct Chargement {
    std::unique_ptr<Base_Connaissance> Base;     // null when the load stopped
    std::optional<Echec_Chargement> Echec;
    std::vector<std::string> Avertissements;     // everything passed over
};

struct Emplacements_Base {
    std::string Chemin_Base;  // the database file
    std::string Rep_Data;     // prefix of POIDS.DAT and MATRICE.DAT (ends with "/")
};

// Loads the base. The sampler may be null: the palette's pixel colours then stay 0.
Chargement Charge_Base(const Emplacements_Base& lieux, Palette_Sampler* palette);

}  // namespace kestrane
