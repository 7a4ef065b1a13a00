#pragma once
// kestrane-kb import-sdd: a knowledge base built from an SDD 1.1 file, the same output as
// kestrane-kb build (settings file, database, weight and matrix files, pictures, pages).
//
// The file streams through Lit_Sdd, Source_Sdd makes the builder's source (its drawings in a
// temporary folder beside the output, removed afterwards) and Installe_Base writes, checks and
// moves the base into place. OUT must be new, empty or an earlier base (Sortie_Base.h). On any
// failure, with "file:line: what" for bad input, nothing is left at `sortie` (an earlier base
// there stays as it was). Warnings (characters left out or
// divided into classes, languages left out, pictures missing, texts without a translation) go to
// `avertissements`. `progression` hears "reading" (bytes), then "pictures" and "pages". Needs a
// QGuiApplication.

#include <string>
#include <vector>

#include "Progression.h"
#include "Status.h"

namespace kestrane::kb {

Status Importe_Sdd(const std::string& fichier, const std::string& sortie,
                   std::vector<std::string>* avertissements, const Progression& progression = {});

}  // namespace kestrane::kb
