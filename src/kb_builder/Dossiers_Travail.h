#pragma once
// The builder's work folders found again by their names (".OUT.GENRE-PID-MARK", see
// Dossier_Provisoire.h): those of a process that no longer runs, left by a run that was killed,
// and those of this process, for a signal handler that ends the run.

#include <filesystem>
#include <string>

namespace kestrane::kb {

// The name of a work folder for `sortie`, owned by this process.
std::string Nom_Dossier_Travail(const std::filesystem::path& sortie, const std::string& genre);

struct Nom_Travail {
    long Pid = 0;        // 0 when the name is not one of ours
    std::string Sortie;  // the output's name
    std::string Genre;   // "build", "sdd" or "old" (an earlier base moved aside)
};
Nom_Travail Lit_Nom_Travail(const std::string& nom);

// In `dossier`, the work folders whose process no longer runs are removed; an earlier base moved
// aside goes back to its place when that is empty, or is removed when a new base stands there.
// Returns how many folders were dealt with.
int Retire_Dossiers_Abandonnes(const std::filesystem::path& dossier);

// The same for the work folders of process `pid` (this one, ending on a signal).
void Retire_Dossiers_Du_Processus(const std::filesystem::path& dossier, long pid);

}  // namespace kestrane::kb
