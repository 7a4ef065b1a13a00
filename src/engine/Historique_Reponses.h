#pragma once
// The history of the answers: the order in which the characters were answered, and the undo and
// redo of every change of the answers (an answer confirmed or taken back, New, Open).
//
// Each change is kept as the whole answer state before and after it: Etats_Choisis, Etat_Cadre,
// Joker, Car_Passe, the measured values, the order of the answers and, for New and Open, the
// current file name. Undo
// and redo put a state back and refresh the identification (portrait, scores, list), so the
// results are exactly those of that state. The modified flag follows the state: a state saved to,
// opened from or cleared under the current file name is unmodified, any other is modified. Saving
// keeps the history. At most `profondeur` changes are kept; the oldest go first.
//
// The order: a confirmed answer goes to the end (a changed one moves there, one confirmed
// unchanged keeps its place); answers cleared as dependants leave it; after Open or New it is the
// state-number order (Caracteres_Repondus), since a file keeps no order.
//
// Use: Demarre once the identification has started; around every change, Commence before it and
// Termine after it, or Abandonne when it did not happen; Enregistre after each save. The
// identification and the base must outlive this object. User-interface thread only.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Identification_Courante.h"
#include "Status.h"

namespace kestrane {

enum class Genre_Changement {
    Reponse,    // an answer confirmed in the chooser or taken back
    Nouvelle,   // New: the state after it is unmodified under its file name ("")
    Ouverture,  // Open: the state after it is unmodified under the file opened
};

class Historique_Reponses {
  public:
    static constexpr size_t Profondeur_Defaut = 200;

    Historique_Reponses(Identification_Courante& identification, const Base_Connaissance& base,
                        size_t profondeur = Profondeur_Defaut);

    // Forgets every change: the identification as it stands, without a file, is unmodified.
    void Demarre();

    // Before a change of the answers.
    void Commence();
    // After it. `objet`: the character confirmed or taken back (index in base.Objets), for
    // Reponse. `fichier`: the current file name after the change. A change that left the answer
    // state as it was is not kept as a step.
    void Termine(Genre_Changement genre, std::optional<size_t> objet, const std::string& fichier);
    // The change begun did not happen (a cancelled dialog, a refused file).
    void Abandonne() { avant_.reset(); }
    // The current state was saved to `fichier`, now the current file name.
    void Enregistre(const std::string& fichier);

    bool Peut_Annuler() const { return position_ > 0; }
    bool Peut_Retablir() const { return position_ < etapes_.size(); }
    // Puts back the state before the last change kept (Annule) or after the next one undone
    // (Retablit), refreshes and sets the modified flag. A drawing that cannot be loaded is
    // reported as the refresh reports it; the state is put back all the same.
    Status Annule();
    Status Retablit();

    // The answered characters (indices in base.Objets), in the order given.
    const std::vector<size_t>& Ordre() const { return ordre_; }
    // The current file name as the history knows it ("" for none).
    const std::string& Fichier() const { return fichier_; }

  private:
    struct Etat {
        std::vector<int16_t> etats_choisis;
        std::vector<int16_t> etat_cadre;
        std::vector<bool> joker;
        bool car_passe = false;
        Valeurs_Mesurees valeurs;
        std::vector<size_t> ordre;
        std::string fichier;
        uint64_t version = 0;  // equal versions: equal states
    };
    struct Etape {
        Etat avant;
        Etat apres;
        bool change_fichier = false;  // New and Open: undo and redo put the file name back too
    };

    Etat Capture() const;
    bool Meme_Etat(const Etat& a, const Etat& b) const;
    bool Propre() const;
    std::vector<size_t> Ordre_Apres(Genre_Changement genre, std::optional<size_t> objet,
                                    const Etat& avant) const;
    Status Restaure(const Etat& etat, bool avec_fichier);

    Identification_Courante& identification_;
    const Base_Connaissance& base_;
    size_t profondeur_;

    std::optional<Etat> avant_;
    std::vector<Etape> etapes_;
    size_t position_ = 0;  // steps done; the next undo is etapes_[position_ - 1]

    std::vector<size_t> ordre_;
    std::string fichier_;
    uint64_t version_ = 0;
    uint64_t compteur_ = 0;
    std::map<std::string, uint64_t> enregistrees_;  // by file name: the version saved there
};

}  // namespace kestrane
