#pragma once
// Builds a knowledge base from its source folder into an output folder.
//
// The source is read and checked first; the base is then written into a temporary folder beside
// the output, checked as the program will read it (Verifie_Base), and only then renamed into
// place, replacing an older base. On any failure the output folder is left as it was and the
// temporary folder is removed. The check's warnings (texts without a translation) do not stop
// the build; they go to `avertissements` when it is given. Needs a QGuiApplication for the
// pictures.

#include <string>
#include <vector>

#include "Status.h"

namespace kestrane::kb {

Status Construit_Base(const std::string& source, const std::string& sortie,
                      std::vector<std::string>* avertissements = nullptr);

}  // namespace kestrane::kb
