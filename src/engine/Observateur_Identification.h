#pragma once
// What the window (or the command line) does around a refresh of the identification: load the
// portrait's drawings, show the refilled results list, enable Save when the identification first
// changes. Calls come synchronously from the Identification_Courante methods that say so.

#include "Composition_Portrait.h"
#include "Liste_Especes.h"

namespace kestrane {

class Observateur_Identification : public Chargeur_Pieces {
  public:
    // The identification changed since it was last cleared, opened or saved: enable Save As, Save
    // when a file is current, and the toolbar's Save button. Called once per change of the flag.
    virtual void Identification_Devenue_Modifiee() {}
    // The results list and label were rebuilt (after a refresh, or only the lines after a
    // change of threshold).
    virtual void Liste_Esp_Remplie(const Liste_Especes& liste) {}
};

}  // namespace kestrane
