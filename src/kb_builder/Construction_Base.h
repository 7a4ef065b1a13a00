#pragma once
// Builds a knowledge base from its source folder into an output folder.
//
// The output folder must be new, empty or an earlier base (Sortie_Base.h); anything else is
// refused first. The source is read and checked; the base is then written into a temporary
// folder beside the output, checked as the program will read it (Verifie_Base), and only then
// renamed into place, replacing an earlier base. On any failure the output folder is left as it
// was, and neither the temporary folder nor a parent folder made for the output is left. The
// check's warnings (texts without a translation) do not stop the build; they go to
// `avertissements` when it is given. Needs a QGuiApplication for the pictures.

#include <string>
#include <vector>

#include "Progression.h"
#include "Status.h"

namespace kestrane::kb {

struct Base_Source;

Status Construit_Base(const std::string& source, const std::string& sortie,
                      std::vector<std::string>* avertissements = nullptr);

// The second half of Construit_Base, for a source read by other means (an exchange file): writes,
// checks and moves into place a source already read and numbered, with the same guarantees;
// `entree` is what it was read from, which the output must not hold.
Status Installe_Base(const Base_Source& source, const std::string& sortie, const std::string& entree,
                     std::vector<std::string>* avertissements = nullptr, const Progression& progression = {});

}  // namespace kestrane::kb
