#pragma once
// Where a build or an import puts its base, and what it may replace there.
//
// The output folder OUT may be new, empty, or an earlier base (kestrane.ini and
// data/kestrane.sqlite at its top and nothing there but a base's files): only those are replaced.
// Anything else (a folder with other files, a file, a link, a folder that holds the input) is
// refused before any work, and again just before the base is moved into place, so that no run
// destroys what it did not make.

#include <filesystem>
#include <string>
#include <vector>

#include "Status.h"

namespace kestrane::kb {

// OUT as given, made absolute and without a trailing separator.
std::filesystem::path Chemin_Sortie(const std::string& sortie_texte);

// Ok when `sortie` may receive a base read from `entree` (a source folder or an exchange file);
// otherwise the reason, naming OUT.
Status Verifie_Sortie(const std::filesystem::path& sortie, const std::filesystem::path& entree);

// Moves the finished work folder `provisoire` to `sortie`, the previous folder there (a `quoi`: a
// base, an export) set aside until then and removed once the new one is in place. On failure the
// previous folder is put back, or kept where it was moved rather than lost.
Status Met_En_Place(const std::filesystem::path& provisoire, const std::filesystem::path& sortie,
                    const std::string& quoi);

// The missing parent folders of OUT, created so that work folders can be made beside it; the
// ones it created are removed again when it goes (those still empty), unless kept.
class Parents_Sortie {
  public:
    explicit Parents_Sortie(const std::filesystem::path& sortie);
    ~Parents_Sortie();
    Parents_Sortie(const Parents_Sortie&) = delete;
    Parents_Sortie& operator=(const Parents_Sortie&) = delete;
    bool Ok() const { return ok_; }
    void Garde() { garde_ = true; }

  private:
    std::vector<std::filesystem::path> crees_;  // outermost first
    bool ok_ = false;
    bool garde_ = false;
};

}  // namespace kestrane::kb
