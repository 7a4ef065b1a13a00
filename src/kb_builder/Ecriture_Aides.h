#pragma once
// The help pages of the questions ("What is this?"): for each character that has notes or
// pictures, of its own or of its states, one page per language in the documents' "aide/" folder,
// named after the character's object in lower case ("aide/leaf_shape_en.html"), with its pictures
// beside it. The page shows the question, its notes and figures, then each state that has help
// under the state's text. Notes are HTML already made safe by whoever filled the source.

#include <filesystem>
#include <string>

#include "Source_Flore.h"
#include "Status.h"

namespace kestrane::kb {

constexpr const char* Dossier_Aides = "aide";

// Whether the character or one of its states has help.
bool A_Une_Aide(const Caractere_Source& caractere);

// Writes the pages under `documents` (the base's documents folder).
Status Ecrit_Aides(const Base_Source& source, const std::filesystem::path& documents);

}  // namespace kestrane::kb
