#pragma once
// The key as the web page drives it: a compact base, one identification on it with its history,
// and every question the page asks answered as text (JSON for anything structured). The engine
// is the desktop's own; nothing here scores, ranks or searches.
//
// Pictures are not loaded here: the page shows the files the portrait composition names
// (robot/NN/...) from the exported folder. The "retry the skipped characters?" question of Search
// is declined, as on the command line. One object per page; not thread-safe.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Base_Compacte.h"
#include "Historique_Reponses.h"
#include "Identification_Courante.h"

namespace kestrane::web {

class Cle_Web {
  public:
    Cle_Web();
    ~Cle_Web();

    // Reads the compact base and starts a new identification on it; "" on success, else why not
    // (the key keeps the base it had).
    std::string Charge(const uint8_t* data, size_t taille);
    bool Chargee() const { return base_.Base != nullptr; }
    std::string Empreinte() const { return Texte_Empreinte(base_.Empreinte); }

    // Everything the page shows of the base, in language `suffixe` where the base has it; a
    // measured character has "mesure": true and its "unite".
    std::string Modele(const std::string& suffixe) const;

    // Settings of the identification.
    void Change_Seuil(int seuil);
    // "standard" or "applicable"; false for any other name.
    bool Change_Strategie(const std::string& nom);
    void Change_Textes(const Textes_Moteur& textes);

    // New identification (undoable).
    void Nouvelle();
    // Answers character `objet` with `etat` (its identifier or its cell number, -1 taking the answer
    // back), as the question bar does; "" on success, else why not.
    std::string Repond(const std::string& objet, const std::string& etat);
    // Answers measured character `objet` with a value, give or take `tolerance_pourcent` % of it
    // (undoable, as Repond); "" on success, else why not.
    std::string Repond_Mesure(const std::string& objet, double valeur, double tolerance_pourcent);
    // The character's answer as a cell number, -1 when none.
    int Choix(const std::string& objet) const;
    bool Annule();
    bool Retablit();
    bool Peut_Annuler() const { return historique_ && historique_->Peut_Annuler(); }
    bool Peut_Retablir() const { return historique_ && historique_->Peut_Retablir(); }

    // The results as the command-line key prints them with --json.
    std::string Rang() const;
    // The listed lines of the ranking without text, for a page that lists many species: the
    // species number and percentage of each line in turn (2 x the number of lines); and the label.
    std::vector<int32_t> Lignes() const;
    std::string Legende() const;
    std::string Meilleur(const std::string& suffixe);
    std::string Questions(const std::string& suffixe);
    std::string Contra(int espece) const;
    // {"pieces": [drawing path or null, ...]} as the composition chose them.
    std::string Portrait() const;
    // The answered characters in the order given: {"answers": [{"objet", "position", "choice"}]},
    // a measured value with "valeur" and "tolerance" (percent).
    std::string Reponses() const;
    // What tells species a and b apart: {"differ"|"shared"|"only_one": [{"position", "disjoint", "a", "b"}]}.
    std::string Compare(int a, int b) const;
    // The species that have a name holding `plie`, a text the page folded as the export folded the
    // names: {"species": [...]}.
    std::string Trouve(const std::string& plie) const;

    // The object under point (x, y) of a portrait of largeur x hauteur: the click zones first, then
    // the nearest palette colour to `couleur`, the pixel under the point (red + 256 green + 65536
    // blue; -1: none read), as the window does. "" when nothing.
    std::string Objet_Sous(double x, double y, double largeur, double hauteur, int32_t couleur) const;

    // The identification file's bytes, and opening one (undoable); "" on success.
    std::vector<uint8_t> Ido() const;
    std::string Ouvre_Ido(const uint8_t* data, size_t taille);

  private:
    class Fenetre;
    void Demarre_Identification();
    // One answer to `objet`, given by `valide` once the question is set: undoable, the ranking
    // refreshed; "" on success, else why not (nothing changed).
    std::string Enregistre_Reponse(const Objet_Fic& objet, const std::function<Status()>& valide);

    Base_Compacte base_;
    Reglages_Moteur reglages_;
    std::unique_ptr<Fenetre> fenetre_;
    std::unique_ptr<Identification_Courante> identification_;
    std::unique_ptr<Historique_Reponses> historique_;
};

}  // namespace kestrane::web
