#pragma once
// The web key's page in an export folder: index.html, its scripts and style (kept in the program's
// resources, from src/web/page), the web app manifest with its icons drawn from the program's
// icon, and the service worker that keeps every file of the export for offline use under a cache
// named by the export's version. Also the policy every exported HTML page carries.

#include <filesystem>
#include <string>

#include "Status.h"

namespace kestrane::kb {

// The Content-Security-Policy of the key's own page: scripts only from its folder (the engine
// compiled by the browser), no inline script, no connection elsewhere.
inline constexpr const char* Politique_Page_Web =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self' blob:; "
    "connect-src 'self'; worker-src 'self'; manifest-src 'self'; frame-src 'none'; object-src 'none'; "
    "base-uri 'none'; form-action 'none'";

// The policy of a species page or any other page of the base: no script at all, pictures from the
// folder, its own inline style.
inline constexpr const char* Politique_Documents_Web =
    "default-src 'none'; img-src 'self'; style-src 'self' 'unsafe-inline'; object-src 'none'; "
    "base-uri 'none'; form-action 'none'";

// `html` with a meta element carrying `politique` as the first thing of its head (a head is made
// when it has none), any policy meta element it had before left behind it, which can only narrow.
std::string Avec_Politique(const std::string& html, const std::string& politique);

// Writes the page, manifest, icons and service worker into `dossier`, which already holds the rest
// of the export (the service worker lists it). `empreinte` is the base's stamp.
Status Ecrit_Page_Web(const std::filesystem::path& dossier, const std::string& empreinte);

}  // namespace kestrane::kb
