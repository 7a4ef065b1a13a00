#pragma once
// The drawings of a base: the portrait pieces in their folders (00, 01, ...) and variants, the
// state pictures (one grid per character), the contradiction overlays (CONTRA/) and icons
// (contra/), the toolbar pictures and the palette picture couleur.wmf.

#include <string>

#include "Progression.h"
#include "Source_Flore.h"
#include "Status.h"

namespace kestrane::kb {

// `progression` hears "pictures" once per character picture.
Status Ecrit_Dessins(const Base_Source& source, const std::string& dossier_sortie,
                     const Progression& progression = {});

}  // namespace kestrane::kb
