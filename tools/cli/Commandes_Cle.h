#pragma once
// `kestrane-cli rank | best | contra SPECIES | portrait`: the identification key on the command
// line, driving the same engine as the window.
//
// Each command loads the base named by a machine settings file, optionally opens a saved
// identification, applies the answers in order as the window's question bar does (validation,
// dependants cleared, refresh), optionally saves the result, then prints:
//   rank      the results label and list lines, exactly as the window shows them;
//   best      the character the discriminant search proposes, with its power, or its message
//             (--all: every character still allowed and unanswered, ranked by its power;
//             --strategy standard|applicable: how the search chooses);
//   contra    the answers that contradict a species, with the layer or button that shows each;
//   portrait  the drawing file of each portrait piece.
// Failures (base, identification file, unknown character or state, save) are reported on the
// error stream and give a non-zero status.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Reglages.h"

namespace CLI {
class App;
}

namespace kestrane {
class Identification_Courante;
}

namespace kestrane::cli {

enum class Commande_Cle { Rang, Meilleur, Contra, Portrait, Reponses };

struct Options_Cle {
    std::string reglages;               // machine settings file
    std::string ido;                    // identification to start from ("" for none)
    std::vector<std::string> reponses;  // OBJET=STATE, STATE an ID_CARAC or the cell number
    std::vector<std::string> mesures;   // OBJET=VALUE of measured characters, after the answers
    double tolerance = 10;              // of the measures, a percentage of each value
    std::optional<int> seuil;           // display threshold; the settings' one when absent
    std::string langue = "en";          // en, es, fr
    std::string sauvegarde;             // where to save the resulting identification
    bool json = false;
    std::string espece;  // contra: the species name
    std::string strategie = "standard";  // best: the search strategy's name
    bool toutes = false;                 // best: the whole ranking
};

// Runs one command; returns the process exit status.
int Execute_Commande_Cle(Commande_Cle commande, const Options_Cle& options, std::ostream& out,
                         std::ostream& err);

// The same on a base already loaded with its settings (the options' settings file is not read):
// what the tests run many times on one base.
int Execute_Sur_Base(Commande_Cle commande, const Options_Cle& options, const Base_Connaissance& base,
                     const Reglages& reglages, std::ostream& out, std::ostream& err);

// Applies the options' answers, then their measures, to an identification as the window's
// question bar does; false with a message on `err` at the first that names nothing.
bool Applique_Reponses(const Base_Connaissance& base, Identification_Courante& id, const Options_Cle& options,
                       std::ostream& err);

// The options --answer, --measure and --tolerance on a command.
void Ajoute_Options_Reponses(CLI::App& commande, Options_Cle& options);

// Adds the four commands to the program's parser. `statut` receives the exit status of the one
// that ran.
void Ajoute_Commandes_Cle(CLI::App& app, Options_Cle& options, int& statut);

}  // namespace kestrane::cli
