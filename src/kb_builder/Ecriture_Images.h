#pragma once
// The pictures of a base, made from the source's SVG drawings: metafiles (portrait pieces, state
// pictures, contradiction overlays, the palette picture), icons (toolbar buttons, contradiction
// marks) and GIF images (full-size species drawings). Needs a QGuiApplication (offscreen is fine).

#include <QImage>
#include <string>
#include <vector>

#include "Status.h"

namespace kestrane::kb {

// The SVG file rendered to a largeur x hauteur placeable metafile.
Status Ecrit_Wmf(const std::string& svg, const std::string& wmf, int largeur, int hauteur);

// The SVG text (not a file) rendered to a metafile through a temporary SVG file beside it.
Status Ecrit_Wmf_Texte(const std::string& texte_svg, const std::string& wmf, int largeur, int hauteur);

// A 32 x 32 icon (32-bit colour with alpha, BMP payload) of the SVG file.
Status Ecrit_Ico(const std::string& svg, const std::string& ico);

// The image as an 8-bit GIF, written with giflib.
Status Ecrit_Gif(const QImage& image, const std::string& gif);

// One grid picture of lignes x colonnes cells of `cote` units from the state drawings (SVG files,
// an empty name leaves its cell blank), as SVG text.
Result<std::string> Svg_Grille(const std::vector<std::string>& dessins, int lignes, int colonnes, int cote);

// The palette picture: one vertical band per colour (0xRRGGBB), left to right, as SVG text.
std::string Svg_Palette(const std::vector<uint32_t>& couleurs, int largeur_bande, int hauteur);

// Paints the SVG files one over the other into a rectangle of the image, the source region
// `vue` (in the drawings' own units) stretched to `cible`.
Status Peint_Svg(QImage& image, const std::vector<std::string>& dessins, const QRectF& vue,
                 const QRectF& cible);

}  // namespace kestrane::kb
