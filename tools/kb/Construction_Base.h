#pragma once
// Builds a knowledge base from its source folder into an output folder.
//
// The source is read and checked first; the base is then written into a temporary folder beside
// the output, checked as the program will read it (Verifie_Base), and only then renamed into
// place, replacing an older base. On any failure the output folder is left as it was and the
// temporary folder is removed. Needs a QGuiApplication for the pictures.

#include <string>

#include "Status.h"

namespace kestrane::kb {

Status Construit_Base(const std::string& source, const std::string& sortie);

}  // namespace kestrane::kb
