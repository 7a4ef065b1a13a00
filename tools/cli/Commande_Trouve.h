#pragma once
// `kestrane-cli find TEXT [--settings FILE] [--json]`: the species one of whose names holds TEXT,
// scientific or common in any language of the base, without regard to case or accents (as the
// window's name filter finds them), in the order of Flore, one line per species:
//   species <tab> code <tab> family <tab> the names that hold TEXT, "name (language)", "; " between
// Exit status 0 when a species is found, 1 when none is (or on a failure, with a message).

namespace CLI {
class App;
}

namespace kestrane::cli {

void Ajoute_Commande_Trouve(CLI::App& app);

}  // namespace kestrane::cli
