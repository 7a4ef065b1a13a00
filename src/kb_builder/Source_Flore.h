#pragma once
// The knowledge-base source, read from its folder and numbered the way the program reads it.
//
// Authors name things; this is where they get their numbers: states in the order of
// caracteres.csv (Index_Car, NUM), characters in order of first appearance (Desc_Num), frames and
// portrait pieces by first appearance, buttons, colours and dependencies by row. flora/README.md
// describes the files. Lit_Source reports every problem it finds, each as "file:line: what",
// and returns the source only when there is none.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Classes_Mesures.h"
#include "Status.h"

namespace kestrane::kb {

struct Langue_Source {
    std::string Suffixe;  // "en" (documents end in "_en.html")
    std::string Langue;   // "English": the Communs_Langues row and the "Vernaculaire_" view
};

// A picture or a link of a taxon's page or of a character's help: a picture file (its real
// path, already judged safe to read) or, for a picture that stays where it is, its web address.
struct Image_Source {
    std::string Fichier;
    std::string Adresse;  // http or https, when Fichier is empty
    std::string Legende;
    std::map<std::string, std::string> Legendes;  // by language suffix
};

// The help offered beside a question ("What is this?"): notes as HTML already made safe, and
// pictures.
struct Aide_Source {
    std::string Notes;
    std::map<std::string, std::string> Notes_Traduites;  // by language suffix
    std::vector<Image_Source> Images;
    bool Vide() const { return Notes.empty() && Notes_Traduites.empty() && Images.empty(); }
};

struct Etat_Source {
    std::string Id;     // ID_CARAC
    std::string Texte;  // TipText of the state
    int Poids = 1;
    std::string Image;                               // drawing of the state (etats/<Image>.svg), may be empty
    std::map<std::string, std::string> Traductions;  // Etat_<suffix>: its text on the pages of that language
    std::string Lieu;
    Aide_Source Aide;
};

struct Caractere_Source {
    std::string Objet;
    std::string Question;
    int Cadre = -1;
    bool Joker = true;
    int Index_Car = 0;
    int Desc_Num = 0;
    int Lignes = 1;
    int Colonnes = 1;
    std::string Popup;  // file name of its state picture in the descriptors folder
    std::vector<Etat_Source> Etats;
    std::map<std::string, std::string> Traductions;  // Question_<suffix>
    std::string Lieu;
    // A measured character (mesures.csv, a quantitative SDD character): its unit and the cuts
    // between its classes, the states in order (Etats.size() - 1 ascending numbers).
    bool Mesure = false;
    std::string Unite;
    std::vector<double> Limites;
    Aide_Source Aide;  // with its states' own help, the page of "What is this?"
};

struct Espece_Source {
    std::string Code, Espece, Famille, Legende;
    std::string Rang;  // the page label (documents/textes.csv key) of Famille's rank; "" for "Famille"
    std::map<std::string, std::vector<std::string>> Noms;  // by language suffix
    std::vector<int16_t> Valeurs;                          // one per state
    std::string Dessin;                                    // optional own drawing (dessins/<Dessin>.svg)
    std::map<std::string, std::string> Legendes;           // Legende_<suffix>, for the pages of that language
    std::string Description;                      // HTML for the species page, already made safe; may be empty
    std::map<std::string, std::string> Descriptions;  // the same in other languages, by suffix
    std::string Lieu;
    std::map<int, Etendue> Etendues;  // measured range, by index in Caracteres
    std::vector<Image_Source> Images;  // shown on its page, the first also as its thumbnail
};

struct Regle_Source {
    int Piece = 0;
    std::string Nom;     // as stored in Hierarchie
    std::string Dessin;  // source drawing base name in portrait/
    std::vector<std::string> Conditions;
    std::string Lieu;
};

struct Zone_Source {
    std::string Objet;
    int Cadre = -1;
    bool Test_Cadre = false;
    double X1 = 0, X2 = 0, Y1 = 0, Y2 = 0;
    std::vector<std::string> Conditions;
    std::string Lieu;
};

struct Couleur_Source {
    std::string Code;  // the Objet it names
    uint32_t Rgb = 0;  // 0xRRGGBB
};

struct Bouton_Source {
    std::string Caption, Image, TipText, Key;
    std::string Lieu;
    std::map<std::string, std::string> Captions, TipTexts;  // Caption_<suffix>, TipText_<suffix>
};

struct Contradiction_Source {
    std::string Objet;
    int Bouton = -1;     // determination button number, or -1 for an overlay drawing
    std::string Dessin;  // contra/<Dessin>.svg; also the stored Popup
};

struct Dependance_Source {
    std::string Id;     // parent state
    std::string Objet;  // dependent character
};

struct Base_Source {
    std::string Dossier;
    std::vector<Langue_Source> Langues;  // the first is the language of the texts without a suffix
    std::vector<Espece_Source> Especes;  // in source order
    std::vector<Caractere_Source> Caracteres;
    std::vector<std::string> Cadres;     // frame names, by number
    std::vector<std::string> Pieces;     // portrait piece names, by number
    std::vector<std::string> Variantes;  // two-digit variants of piece 0 ("01", ...)
    std::vector<Regle_Source> Regles;
    std::vector<Zone_Source> Zones;
    std::vector<Couleur_Source> Couleurs;
    std::vector<Bouton_Source> But_Deter, But_Quest;
    std::vector<Contradiction_Source> Contradictions;
    std::vector<Dependance_Source> Dependances;
    int Nb_Etats = 0;
    int Nb_Contraintes = 1;

    // State number of an ID_CARAC (without regard to case), -1 when unknown.
    int Etat(const std::string& id) const;
    // Index in Caracteres of an object name (without regard to case), -1 when unknown.
    int Caractere(const std::string& objet) const;
    const Etat_Source& Etat_Numero(int e) const;

    std::map<std::string, int> Index_Etats;   // folded ID_CARAC -> state number
    std::map<std::string, int> Index_Objets;  // folded Objet -> character index
};

// Numbers the characters read so far the way the program reads them: Desc_Num and Index_Car in
// order, the grid of each state picture (1 x 2, 1 x 3, 2 x 2, ...) and its Popup file name (after
// the character, unique), Nb_Etats and the name indexes. A character without states, or with more
// than its state picture holds, is reported in `problemes`, one "place: what" a line.
void Numerote_Caracteres(Base_Source& source, std::vector<std::string>& problemes);

// Reads the optional mesures.csv and etendues.csv of the source folder into the characters and
// species read so far (Mesures_Source.cpp); each problem is one "file:line: what".
void Lit_Mesures_Source(Base_Source& source, std::vector<std::string>& problemes);

// Reads and checks the source folder. On failure the Status message lists every problem, one a
// line, each starting with the file and line.
Result<Base_Source> Lit_Source(const std::string& dossier);

// Translations (the maps of the structures above) hold only the texts the source gives, by
// language suffix; a column "<Field>_<suffix>" whose suffix langues.csv does not list, or a
// translation of a text the row does not have, is refused.

// The text for a language: its translation when there is one, else the default text.
const std::string& Texte_Langue(const std::map<std::string, std::string>& traductions,
                                const std::string& suffixe, const std::string& defaut);

// The file of a character's state picture as the base stores it: "" when none of its states has a
// drawing (the program then asks it from the list of the states' texts), else its Popup.
std::string Popup_Stocke(const Caractere_Source& caractere);

// ASCII lower case, for comparisons without regard to case.
std::string Plie(const std::string& s);

}  // namespace kestrane::kb
