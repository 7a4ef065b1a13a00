#include "Sortie_Base.h"

#include <algorithm>

#include "Disposition_Sortie.h"
#include "Dossier_Provisoire.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

namespace {

const char* const Fin_Refus = "; a base goes into a new folder, an empty folder or over an earlier base";

// True when `dedans` is `dossier` or lies under it (both absolute and normal).
bool Sous(const fs::path& dedans, const fs::path& dossier) {
    const std::string a = dedans.string(), b = dossier.string();
    return a == b ||
           (a.size() > b.size() && a.compare(0, b.size(), b) == 0 && (b.back() == '/' || a[b.size()] == '/'));
}

fs::path Vrai(const fs::path& p) {
    std::error_code ec;
    fs::path v = fs::weakly_canonical(fs::absolute(p, ec), ec);
    return ec ? fs::absolute(p, ec).lexically_normal() : v;
}

// What in `dossier` an earlier base would not hold, as a message part; "" when it is one.
Result<std::string> Etranger(const fs::path& dossier) {
    using D = Disposition_Sortie;
    const std::string permis[] = {D::Reglages, "data", "descripteurs", "robot", "documents", "help"};
    std::error_code ec;
    for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
        const std::string nom = it->path().filename().string();
        if (std::find(std::begin(permis), std::end(permis), nom) == std::end(permis))
            return "it holds '" + nom + "'";
    }
    if (ec)
        return Status::Error(dossier.string() + ": cannot be read (" + ec.message() + ")");
    for (const std::string& fichier : {std::string(D::Reglages), std::string(D::Data) + D::Base})
        if (!fs::is_regular_file(dossier / fichier, ec))
            return "it has no " + fichier;
    return std::string();
}

}  // namespace

fs::path Chemin_Sortie(const std::string& sortie_texte) {
    fs::path sortie = fs::absolute(fs::path(sortie_texte)).lexically_normal();
    if (!sortie.has_filename())
        sortie = sortie.parent_path();
    return sortie;
}

Status Verifie_Sortie(const fs::path& sortie, const fs::path& entree) {
    const std::string nom = sortie.string();
    if (Sous(Vrai(entree), Vrai(sortie)))
        return Status::Error(nom + ": holds " + entree.string() + ", which the base is made from" +
                             Fin_Refus);
    std::error_code ec;
    const fs::file_status etat = fs::symlink_status(sortie, ec);
    if (!fs::exists(etat))
        return Status::Ok();
    if (fs::is_symlink(etat))
        return Status::Error(nom + ": is a symbolic link" + Fin_Refus);
    if (!fs::is_directory(etat))
        return Status::Error(nom + ": is a file, not a folder" + Fin_Refus);
    if (fs::is_empty(sortie, ec) && !ec)
        return Status::Ok();
    auto etranger = Etranger(sortie);
    if (!etranger)
        return etranger.status();
    if (!etranger->empty())
        return Status::Error(nom + ": is not an earlier Kestrane base (" + *etranger + ")" + Fin_Refus);
    return Status::Ok();
}

Parents_Sortie::Parents_Sortie(const fs::path& sortie) {
    std::error_code ec;
    for (fs::path p = sortie.parent_path(); !p.empty() && !fs::exists(p, ec); p = p.parent_path()) {
        crees_.insert(crees_.begin(), p);
        if (p == p.parent_path())
            break;
    }
    ok_ = fs::create_directories(sortie.parent_path(), ec) || fs::is_directory(sortie.parent_path(), ec);
}

Parents_Sortie::~Parents_Sortie() {
    if (garde_)
        return;
    std::error_code ec;
    for (auto it = crees_.rbegin(); it != crees_.rend(); ++it) fs::remove(*it, ec);  // only when empty
}

Status Met_En_Place(const std::filesystem::path& provisoire, const std::filesystem::path& sortie,
                    const std::string& quoi) {
    namespace fs = std::filesystem;
    Dossier_Provisoire ancienne(sortie, "old");
    std::error_code ec;
    const bool existait = fs::exists(sortie, ec);
    if (existait) {
        fs::rename(sortie, ancienne.Chemin(), ec);
        if (ec) {
            ancienne.Garde();  // whatever it holds is not ours to remove
            return Status::Error(sortie.string() + ": the previous " + quoi + " cannot be moved aside (" +
                                 ec.message() + ")");
        }
    }
    fs::rename(provisoire, sortie, ec);
    if (ec) {
        std::error_code ec2;
        if (existait)
            fs::rename(ancienne.Chemin(), sortie, ec2);
        if (ec2)
            ancienne.Garde();  // the previous folder stays where it was moved rather than be lost
        return Status::Error(sortie.string() + ": cannot be written (" + ec.message() + ")");
    }
    return Status::Ok();
}

}  // namespace kestrane::kb
