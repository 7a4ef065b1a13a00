#pragma once
// The compact base file: a whole knowledge base in one file that the model reads without a
// database, for the web key (written by kestrane-kb export-web).
//
// Layout, little-endian throughout:
//   "KESTRANE" (8 bytes), the format version (u32, Version_Format_Compacte), the base's stamp
//   (u64: Empreinte_Compacte of every byte after it), then the payload: the counts, the species
//   (names, Flore rows), the weights, the matrix, the palette, the Joker flags, the tables
//   Objets_Fic, Caracteres, Descendance, Hierarchie, Clic_Zone, But_Deter, But_Quest,
//   Contradictions and Communs_Langues in the model's order, the texts in every language, and
//   each species' names with their folded forms (the browser has no folding of its own); then, in a
//   base with measured characters only, Marque_Mesures and each one's Objet, Unite, cuts (a list of
//   f64) and the species' ranges (a list of species number i32, Bas and Haut f64).
// A string is its length (u32) and its UTF-8 bytes; a list its count (u32) and its elements.
// The matrix is its two dimensions (i32), a cell width (1: one bit per cell, every value 0 or 1;
// 8: one signed byte per cell) and the cells state-major as MATRICE.DAT orders them, bits from
// the lowest of each byte.
//
// The stamp changes with any change of the base, so a page can tell an identification made
// with another version of it; the reader checks it, which also catches a damaged download.
// Reading validates every count and size against the bytes there are before allocating, so a
// damaged or hostile file gives an error, never a crash or a huge allocation.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Base_Connaissance.h"
#include "Noms_Especes.h"
#include "Status.h"

namespace kestrane {

inline constexpr char Signature_Compacte[8] = {'K', 'E', 'S', 'T', 'R', 'A', 'N', 'E'};
inline constexpr uint32_t Version_Format_Compacte = 1;
inline constexpr size_t Entete_Compacte = 20;  // signature, version, stamp
inline constexpr uint8_t Matrice_Bits = 1;
inline constexpr uint8_t Matrice_Octets = 8;
// Before the measured characters, which follow the names only in a base that has any.
inline constexpr char Marque_Mesures[4] = {'M', 'E', 'S', 'U'};

struct Base_Compacte {
    std::unique_ptr<Base_Connaissance> Base;  // indexed, without a database
    Noms_Especes Noms;
    uint64_t Empreinte = 0;
};

// FNV-1a (64 bits) of the bytes: the stamp of a payload.
uint64_t Empreinte_Compacte(const uint8_t* data, size_t taille);
// A stamp as 16 lower-case hexadecimal digits.
std::string Texte_Empreinte(uint64_t empreinte);

// Reads a compact base. Fails with a message saying what is wrong (not a compact base, another
// format version, damaged, a value out of range); a matrix too large for the memory gives an
// error too.
Result<Base_Compacte> Lit_Base_Compacte(const uint8_t* data, size_t taille);

}  // namespace kestrane
