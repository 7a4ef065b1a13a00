#pragma once
// `kestrane-cli answers [--ido FILE] [--answer ...] [--measure ...] [--settings FILE] [--lang en|es|fr]
// [--json]`: the answers of a saved identification and of those given, in the words and the order
// of the window's answers panel after Open (a file keeps no order: state-number order), one line
// per chosen state, a measured value on a line of its own before them:
//   OBJET <tab> question <tab> ID_CARAC <tab> state text
//   OBJET <tab> question <tab> = <tab> 34 mm (± 10 %)
// A file shorter than the base's layout is refused; values other than 0 and 1 are listed as the
// panel lists them (every non-zero state the base names).

#include <ostream>
#include <string_view>

#include "Base_Connaissance.h"

namespace CLI {
class App;
}

namespace kestrane {
class Identification_Courante;
}

namespace kestrane::cli {

// The identification's answers as the command prints them.
void Ecrit_Reponses(const Base_Connaissance& base, const Identification_Courante& id, std::string_view suffixe,
                    bool json, std::ostream& out);

void Ajoute_Commande_Reponses(CLI::App& app);

}  // namespace kestrane::cli
