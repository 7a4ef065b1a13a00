#pragma once
// The documents of a base: per species and language a species page and a drawing page, linked to
// each other and to the same pages in the other languages; per species the full-size drawing
// (2200 x 3300 GIF), unless it has neither a drawing of its own nor a portrait to make one from
// (its pages then say so, with the label Sans_Dessin); per language the error page (in the data
// folder); the short user guide.
//
// Pages are filled from the templates of the source's documents/ folder (espece.html,
// dessin.html, erreur.html, guide.html) and its label table textes.csv, or from built-in ones.
// A template names a value as {{Name}} (Espece, Famille, Legende, Description, Noms, ...) and a
// label as {{T:Key}}; every value is escaped except Description, which is HTML already made safe
// by whoever filled the source.

#include <filesystem>
#include <string>

#include "Progression.h"
#include "Source_Flore.h"
#include "Status.h"

namespace kestrane::kb {

// `progression` hears "pages": the species whose pages are written, then the drawings made.
Status Ecrit_Documents(const Base_Source& source, const std::string& dossier_sortie,
                       const Progression& progression = {});

// The source drawings (SVG paths) of the portrait pieces that a species shows: for each piece the
// first rule whose conditions are all states of the species, in the variant of piece 0.
// Writes `texte` as the whole file `p`; the error names the file.
Status Ecrit_Texte(const std::filesystem::path& p, const std::string& texte);

// Text made safe inside XML or HTML markup and attribute values.
std::string Echappe_Xml(const std::string& s);

std::vector<std::string> Dessins_Portrait(const Base_Source& source, const Espece_Source& espece);

}  // namespace kestrane::kb
