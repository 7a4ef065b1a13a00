#pragma once
// kestrane-kb export-web: a built knowledge base written as a static folder that a browser opens
// as the web key, offline once loaded.
//
// What OUT holds: the engine (kestrane.js and kestrane.wasm, copied from `moteur`), the compact
// base file base.kbc (Base_Compacte.h), the pictures the key shows drawn by the project's
// metafile player at the sizes a phone needs (portrait pieces, backgrounds and contradiction
// overlays as transparent PNG in robot/, state pictures as PNG in descripteurs/, the toolbar and
// contradiction icons as they are), the species pages with their drawings scaled down for a phone
// in documents/, and index.html. Each metafile X.wmf becomes X.png in the same folder, so the paths
// the engine composes (robot/NN/X.wmf) name the PNG once their extension is changed.
//
// Conduct: refused with a message, and nothing written, when the base cannot be read or loaded,
// when its matrix holds values the compact file cannot carry, when the engine is missing, or when
// OUT is a folder that a previous export did not write (OUT is replaced whole, so it must never be
// a user's folder) or lies inside DATA or holds it. The folder is written beside OUT and renamed
// into place at the end; on any failure OUT is as it was. Needs a QGuiApplication.

#include <string>
#include <vector>

#include "Progression.h"
#include "Status.h"

namespace kestrane::kb {

// The file an export leaves in OUT, by which a later export knows the folder is its own.
inline constexpr const char* Marque_Export_Web = ".kestrane-web";

struct Taille_Web {
    int Largeur_Portrait = 800;  // the 2400 x 1800 portrait frame, in pixels
    int Largeur_Etats = 480;     // a state picture's width, in pixels
    int Largeur_Dessin = 400;    // a species' full drawing's width, at most
};

Status Exporte_Web(const std::string& donnees, const std::string& sortie, const std::string& moteur,
                   std::vector<std::string>* avertissements = nullptr, const Progression& progression = {},
                   const Taille_Web& tailles = {});

}  // namespace kestrane::kb
