#pragma once
// The choice of the drawing of every portrait piece from the answers (rules of Hierarchie).
//
// For piece i the first row of Hierarchie, in key order, whose conditions are all chosen states
// (value exactly 1) and whose list ends with "Fin" applies; a piece without an applicable row
// keeps its drawing. The path is Rep_Robot + the piece number on at least two digits + "/" +
// Nom; a Nom without the metafile extension takes the variant suffix of piece 0's drawing (the
// last six characters of its name). A piece is loaded only when its upper-cased path changed.
//
// Loading is the window's: the composition asks its Chargeur_Pieces and remembers the path only
// when the load succeeded.

#include <cstdint>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Status.h"

namespace kestrane {

class Chargeur_Pieces {
  public:
    virtual ~Chargeur_Pieces() = default;
    // Loads the drawing at `chemin` as piece `piece`; false when it cannot be loaded.
    virtual bool Charge_Piece(int piece, const std::string& chemin) = 0;
    // A condition names a state identifier absent from Caracteres: `message` is the text to show
    // with an OK button. The rule is passed over and the composition goes on.
    virtual void Etat_Inexistant(const std::string& message) = 0;
};

class Composition_Portrait {
  public:
    // `rep_robot` is the portrait directory, ending with a separator.
    Composition_Portrait(const Base_Connaissance& base, std::string rep_robot);

    // Chooses and loads every piece. Fails when a drawing could not be loaded; the Status message
    // is the path (the window shows it and ends the program, as a key without its portrait
    // cannot be used).
    Status Compose(const std::vector<int16_t>& etats_choisis, Chargeur_Pieces& chargeur);

    // The upper-cased path of the drawing loaded for each piece ("" while none is).
    const std::vector<std::string>& Chemins() const { return chemins_; }
    // The path as built (before upper-casing) of each piece's current drawing.
    const std::vector<std::string>& Chemins_Charges() const { return chemins_charges_; }

    // Forgets what was loaded, so that the next composition loads every piece again.
    void Oublie();

    // The French message of a condition naming an unknown state.
    static std::string Message_Etat_Inexistant(const std::string& id_carac);
    // The piece folder: at least two digits.
    static std::string Dossier_Piece(int piece);

  private:
    const Base_Connaissance& base_;
    std::string rep_robot_;
    std::vector<std::vector<size_t>> regles_;  // rows of Hierarchie by piece, in key order
    std::vector<std::string> chemins_;
    std::vector<std::string> chemins_charges_;
};

}  // namespace kestrane
