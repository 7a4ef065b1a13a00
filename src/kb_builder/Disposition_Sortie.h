#pragma once
// Where a built knowledge base puts its files, relative to its folder. The settings file
// kestrane.ini at the top names these folders with relative paths, so the folder can be moved.

#include <string>

namespace kestrane::kb {

struct Disposition_Sortie {
    static constexpr const char* Reglages = "kestrane.ini";
    static constexpr const char* Data = "data/";            // Rep_Data
    static constexpr const char* Base = "kestrane.sqlite";  // in Data
    static constexpr const char* Descripteurs = "descripteurs/";
    static constexpr const char* Robot = "robot/";
    static constexpr const char* Documents = "documents/";
    static constexpr const char* Executables = "./";
    static constexpr const char* Aide = "help/";      // under Executables
    static constexpr const char* Barres = "barres/";  // toolbar pictures, under Data

    static constexpr int Largeur_Portrait = 2400;  // the click-zone reference frame
    static constexpr int Hauteur_Portrait = 1800;
    static constexpr int Largeur_Dessin = 2200;  // full-size drawing of a species
    static constexpr int Hauteur_Dessin = 3300;
    static constexpr int Cote_Case = 300;  // one cell of a state picture
};

// The piece folder name: at least two digits ("00", "07", "12", "123").
std::string Dossier_Piece(int piece);

}  // namespace kestrane::kb
