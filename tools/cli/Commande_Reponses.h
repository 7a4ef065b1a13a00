#pragma once
// `kestrane-cli answers --ido FILE [--settings FILE] [--lang en|es|fr] [--json]`: the answers of a
// saved identification, in the words and the order of the window's answers panel after Open (a
// file keeps no order: state-number order), one line per chosen state:
//   OBJET <tab> question <tab> ID_CARAC <tab> state text
// A file shorter than the base's layout is refused; values other than 0 and 1 are listed as the
// panel lists them (every non-zero state the base names).

namespace CLI {
class App;
}

namespace kestrane::cli {

void Ajoute_Commande_Reponses(CLI::App& app);

}  // namespace kestrane::cli
