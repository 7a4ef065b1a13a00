#pragma once
// The media objects of an imported dataset as the pages show them: the pictures of a taxon (its
// species page and its thumbnail) and the help of a character and its states ("What is this?").
//
// A dataset comes from anyone, so its addresses are judged before anything is read: a local file
// is used only when its real place (links resolved) is inside the dataset's folder, is a regular
// file and is no larger than Taille_Max_Media; an absolute path or a web address whose file is
// not there is looked for by its file name beside the dataset. Nothing is ever fetched: a web
// address without such a copy stays a link on the page. Each page takes at most
// Images_Max_Par_Page media, each media once.

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "Donnees_Sdd.h"
#include "Langues_Sdd.h"
#include "Source_Flore.h"

namespace kestrane::kb {

constexpr std::uintmax_t Taille_Max_Media = 32u << 20;
constexpr size_t Images_Max_Par_Page = 16;

// The real path of the file a media href names inside `dossier` (itself a real path), "" when
// there is none that may be read.
std::string Fichier_Media_Sdd(const std::string& href, const std::filesystem::path& dossier);

// A web address (http or https), as a page may link to it.
bool Adresse_Web(const std::string& href);

class Medias_Sdd {
  public:
    Medias_Sdd(const Donnees_Sdd& donnees, std::filesystem::path dossier_sdd, const Langues_Sdd& langues)
        : d_(donnees), dossier_(std::move(dossier_sdd)), langues_(langues) {}

    // The pictures and links of the representations, in their order, the primary one first.
    std::vector<Image_Source> Images(const std::vector<const Representation_Sdd*>& reps);
    // The notes (details, made safe) and pictures of one representation.
    Aide_Source Aide(const Representation_Sdd& rep);

    // One warning line per kind of media left as a link or left out, with its count.
    std::vector<std::string> Bilan() const;

  private:
    const Donnees_Sdd& d_;
    std::filesystem::path dossier_;
    const Langues_Sdd& langues_;
    std::set<int> liens_, absents_, autres_;  // media objects, by index
};

}  // namespace kestrane::kb
