#pragma once
// The knowledge-base source that an SDD dataset gives: the same Base_Source that the CSV reader
// builds, so that the builder's writers and checks make the base.
//
// - Taxa: the described TaxonNames (or each description's own label when it names none) become
//   species with their labels, their details (made safe) on their pages, their family from the
//   taxon hierarchy (the ancestor of rank "fam", else the nearest ancestor, else the genus).
// - Characters: categorical ones with their states; quantitative ones divided into classes
//   (Classes_Mesures), with a warning naming each; others are left out. The first character tree
//   gives their order (depth first) and their frames (the nearest descriptive concept above).
// - The matrix: a taxon has each state its descriptions list; a character it does not code, or
//   codes as unknown, stays open (every state) unless a dependency rule makes it inapplicable,
//   which it also is when coded "NotApplicable" (no state).
// - Dependency rules become Descendance rows: OnlyApplicableIf lists the parent states;
//   InapplicableIf the other states of the controlling character.
// - Languages: the dataset's xml:lang (English when absent) gives the texts, labels in the other
//   interface languages (en, es, fr) their translations; others are left out with a warning.
// - Pictures: a state's or taxon's image found beside the dataset is used; otherwise a card with
//   its text stands in. Both, the toolbar icons (Search, Results; OK, Back, Next) and the page
//   labels are written into `dossier`, the source folder of the result. The pages take the taxa's
//   pictures and links, the questions' help the characters' and states' notes and pictures
//   (Medias_Sdd).
// Refuses, with "file:line: what", a dataset with no usable character or species and dependency
// rules that form a cycle. Needs a QGuiApplication.

#include <string>
#include <vector>

#include "Donnees_Sdd.h"
#include "Source_Flore.h"
#include "Status.h"

namespace kestrane::kb {

Result<Base_Source> Source_Sdd(const Donnees_Sdd& donnees, const std::string& fichier_sdd,
                               const std::string& dossier, std::vector<std::string>& avertissements);

}  // namespace kestrane::kb
