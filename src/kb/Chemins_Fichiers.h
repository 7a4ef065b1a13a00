#pragma once
// Knowledge-base files are looked up without regard to case: bases were authored on file systems
// where "CONTRA/x.WMF" and "contra/X.wmf" name one file.

#include <string>

namespace kestrane {

// The path as it exists on disk: the path itself when it exists, else the first match found by
// comparing each component without regard to ASCII case. Returns the path unchanged when nothing
// matches, so that opening it fails with the name the caller asked for.
std::string Trouve_Fichier(const std::string& path);

// True when Trouve_Fichier finds an existing regular file.
bool Fichier_Existe(const std::string& path);

}  // namespace kestrane
