#pragma once
// Reads an SDD 1.1 document (the TDWG exchange standard for descriptive data) as it streams in,
// without holding its XML tree: the first Dataset of the Datasets root, element by element.
//
// What a Kestrane base can use is kept (Donnees_Sdd); everything else the standard allows is
// passed over. The document is refused, with "name:line: what", when it is not well-formed XML,
// carries a DTD, is not an SDD document, has no Dataset, names an id that nothing defines (or
// defines one twice), gives a state, character or taxon without a label, a measure or weight
// that is not a number in range, or tree nodes in a cycle or more than 1000 levels deep. Only Qt Core is needed. `progression` hears the bytes read so
// far, now and then.

#include <cstdint>
#include <functional>
#include <string>

#include "Donnees_Sdd.h"
#include "Status.h"

class QIODevice;

namespace kestrane::kb {

Result<Donnees_Sdd> Lit_Sdd(QIODevice& source, const std::string& nom,
                            const std::function<void(int64_t lus)>& progression = {});

// The primary subtag of an xml:lang value in lower case ("en-AU" gives "en"); "" for a value
// that names no language ("zxx-x-taxon", "und", "x-...", "").
std::string Langue_Principale(const std::string& xml_lang);

}  // namespace kestrane::kb
