#pragma once
// The pictures of a base's pages taken from files (the photographs of an imported dataset): each
// read with the same guards as every picture of a source (a drawing only when it holds all it
// shows, a picture far too large refused before it is decoded), reduced and written beside its
// page, and shown there as a figure with its caption; a picture that stays on the web is a link.

#include <filesystem>
#include <string>
#include <vector>

#include "Source_Flore.h"

namespace kestrane::kb {

// Largest side of a page's picture and of a species' thumbnail, in pixels.
constexpr int Pixels_Image_Page = 1200;
constexpr int Pixels_Vignette = 64;

// Writes each picture file of `images` into `dossier` as prefixe_1.jpg, prefixe_2.png... (PNG
// when it has transparency); returns, for each image, the file name written, "" for a link or a
// file that cannot be read (left out of the page).
std::vector<std::string> Ecrit_Images_Page(const std::vector<Image_Source>& images,
                                           const std::filesystem::path& dossier, const std::string& prefixe);

// The first picture that can be read as a PNG thumbnail; false when none can.
bool Ecrit_Vignette(const std::vector<Image_Source>& images, const std::filesystem::path& png);

// The figures (each with its caption in the language `suffixe`) and the links, as HTML.
std::string Html_Images(const std::vector<Image_Source>& images, const std::vector<std::string>& fichiers,
                        const std::string& suffixe);

}  // namespace kestrane::kb
