#include "Chemins_Fichiers.h"

#include <filesystem>
#include <system_error>

#include "Conversions.h"

namespace kestrane {
namespace fs = std::filesystem;

std::string Trouve_Fichier(const std::string& path) {
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec)) return path;

    const fs::path wanted(path);
    fs::path found = wanted.root_path();
    for (const auto& part : wanted.relative_path()) {
        const fs::path exact = found / part;
        if (fs::exists(exact, ec)) {
            found = exact;
            continue;
        }
        const std::string folded = To_Lower_Ascii(part.string());
        bool matched = false;
        const fs::path dir = found.empty() ? fs::path(".") : found;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            if (To_Lower_Ascii(it->path().filename().string()) == folded) {
                found = found / it->path().filename();
                matched = true;
                break;
            }
        }
        if (!matched) return path;
    }
    return found.string();
}

bool Fichier_Existe(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(Trouve_Fichier(path), ec);
}

}  // namespace kestrane
