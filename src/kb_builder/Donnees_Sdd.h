#pragma once
// What an SDD 1.1 dataset (the TDWG exchange standard for descriptive data) says, as read from
// its XML, before it becomes a knowledge base: its taxa, characters and states, the order and
// grouping of the characters, their dependencies, the coded descriptions and the media. Labels
// and details keep their language; references are checked and, where the standard puts the
// target first, already resolved to indexes.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrane::kb {

// A label or detail in one language: the primary language subtag in lower case ("en" for
// "en-au"), "" for text in no language (a scientific name).
struct Texte_Sdd {
    std::string Langue;
    std::string Texte;  // as written; may hold HTML mark-up
};

// A reference by id, with the line where it stands.
struct Reference_Sdd {
    std::string Id;
    long Ligne = 0;
};

struct Representation_Sdd {
    std::vector<Texte_Sdd> Labels;
    std::vector<Texte_Sdd> Details;
    std::vector<Reference_Sdd> Medias;  // MediaObject refs, a "Primary" one first
};

struct Etat_Sdd {
    std::string Id;
    Representation_Sdd Rep;
    std::optional<int> Poids;  // Kestrane's extension, when present
    long Ligne = 0;
};

struct Caractere_Sdd {
    enum class Genre { Categoriel, Quantitatif, Autre };
    std::string Id;
    Genre Type = Genre::Autre;
    Representation_Sdd Rep;
    std::vector<Etat_Sdd> Etats;  // categorical characters
    std::string Unite;            // quantitative characters: "mm" (prefix and unit)
    std::optional<bool> Propose;  // Kestrane's extension: the search may propose it
    bool Etats_Concepts = false;  // states given by reference to concept states (not read)
    long Ligne = 0;
};

struct Taxon_Sdd {
    std::string Id;
    Representation_Sdd Rep;
    std::string Rang;  // Rank code ("fam", "gen", "sp"), may be empty
    std::string Code;  // Kestrane's extension: the five-character code
    long Ligne = 0;
};

struct Noeud_Taxon_Sdd {
    std::string Id;
    Reference_Sdd Parent;
    int Index_Parent = -1;  // in the hierarchy's nodes
    int Taxon = -1;
};

struct Concept_Sdd {
    std::string Id;
    Representation_Sdd Rep;
};

// A node of the character tree: a group (Node, with a descriptive concept or none) or a
// character (CharNode). Dependency rules name states as (character, state) indexes.
struct Noeud_Sdd {
    std::string Id;  // empty for a character node
    Reference_Sdd Parent;
    int Index_Parent = -1;  // in the tree's nodes
    Reference_Sdd Concept;
    int Index_Concept = -1;
    int Caractere = -1;  // character nodes
    std::vector<std::pair<int, int>> Inapplicable_Si, Applicable_Si;
    long Ligne = 0;
};

// What a description says of one character.
struct Codage_Sdd {
    enum class Statut : uint8_t { Code, Inconnu, Inapplicable };
    int Caractere = -1;
    Statut Etat = Statut::Code;
    std::vector<int> Etats;           // state indexes within the character
    std::optional<double> Bas, Haut;  // measured range of a quantitative character
    long Ligne = 0;
};

struct Description_Sdd {
    std::string Id;
    Representation_Sdd Rep;
    int Taxon = -1;  // its Scope's TaxonName, -1 when it names none
    std::vector<Codage_Sdd> Codages;
    long Ligne = 0;
};

struct Media_Sdd {
    std::string Id;
    std::string Type;  // "Image", "Sound", ...
    std::string Href;
    Representation_Sdd Rep;
    long Ligne = 0;
};

struct Donnees_Sdd {
    std::string Langue;  // the dataset's xml:lang subtag, "" when absent
    long Ligne = 0;      // of the Dataset element
    Representation_Sdd Rep;
    std::vector<Taxon_Sdd> Taxons;
    std::vector<Noeud_Taxon_Sdd> Hierarchie;  // the first taxon hierarchy
    std::vector<Caractere_Sdd> Caracteres;
    std::vector<Concept_Sdd> Concepts;
    std::vector<Noeud_Sdd> Arbre;  // the first character tree
    std::vector<Description_Sdd> Descriptions;
    std::vector<Media_Sdd> Medias;
    int Autres_Datasets = 0;                  // datasets after the first, not read
    std::map<std::string, int> Index_Medias;  // by id
};

}  // namespace kestrane::kb
