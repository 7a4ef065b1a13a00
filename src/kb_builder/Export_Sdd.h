#pragma once
// kestrane-kb export-sdd: a built knowledge base written as an SDD 1.1 document (the TDWG
// exchange standard for descriptive data) that key programs read.
//
// What it writes: the species as TaxonNames (with their family in a TaxonHierarchy and their
// drawing as media), the characters (in question order) with their states and translations,
// the frames as descriptive concepts in a character tree, each character's dependencies as
// OnlyApplicableIf rules, one coded description per species (the states it shows; "NotApplicable"
// where it shows none), and media objects for the base's pictures, their hrefs relative to the
// document. Weights, the search flag and species codes go in Kestrane's extension
// (Extension_Sdd.h), so that importing the document gives back the same species, characters,
// states, weights and matrix. Ids are the base's own names where they are unique in the document.
//
// `donnees` is the folder holding kestrane.ini. The document is written to a temporary file and
// renamed, so a failure leaves no partial file; the error names what could not be read or written.

#include <string>

#include "Status.h"

namespace kestrane::kb {

Status Exporte_Sdd(const std::string& donnees, const std::string& fichier_xml);

}  // namespace kestrane::kb
