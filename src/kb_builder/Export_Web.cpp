#include "Export_Web.h"

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "Base_Compacte.h"
#include "Chargeur_Base.h"
#include "Chemins_Fichiers.h"
#include "Conversions.h"
#include "Dossier_Provisoire.h"
#include "Echantillonneur_Palette_Wmf.h"
#include "Ecriture_Base_Compacte.h"
#include "Ecriture_Images.h"
#include "Metafichier.h"
#include "Noms_Especes.h"
#include "Page_Web.h"
#include "Reglages_Base.h"
#include "Rendu_Wmf.h"
#include "Sortie_Base.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

// The palette is sampled as the window's splash box shows it, so that the colours are the
// desktop's.
constexpr int Largeur_Palette = 400;
constexpr int Hauteur_Palette = 60;

// Whether `interieur` is `dossier` or lies inside it (both absolute and normal).
bool Dans(const fs::path& interieur, const fs::path& dossier) {
    const auto [d, i] = std::mismatch(dossier.begin(), dossier.end(), interieur.begin(), interieur.end());
    return d == dossier.end() || (d->empty() && std::next(d) == dossier.end());
}

fs::path Absolu(const std::string& chemin) {
    std::error_code ec;
    const fs::path p = fs::weakly_canonical(fs::absolute(chemin), ec);
    return ec ? fs::absolute(chemin).lexically_normal() : p;
}

bool Ecrit_Fichier(const fs::path& chemin, const char* data, size_t taille) {
    std::ofstream f(chemin, std::ios::binary);
    f.write(data, static_cast<std::streamsize>(taille));
    return static_cast<bool>(f.flush());
}

// One file of the base to bring into the export.
struct Piece_Web {
    fs::path source;
    fs::path cible;  // relative to OUT
    enum class Genre { Copie, Page, Portrait, Etats, Dessin } genre;
};

class Export {
  public:
    Export(const Reglages_Base& r, const Taille_Web& tailles, const Progression& progression)
        : r_(r), tailles_(tailles), progression_(progression) {}

    // The files of each folder the key shows, with what becomes of each.
    void Inventorie() {
        Ajoute_Dossier(r_.Robot, "robot", Piece_Web::Genre::Portrait);
        Ajoute_Dossier(r_.Descripteurs, "descripteurs", Piece_Web::Genre::Etats);
        Ajoute_Dossier(r_.Data, "data", Piece_Web::Genre::Copie);
        Ajoute_Dossier(r_.Documents, "documents", Piece_Web::Genre::Dessin);
    }

    Status Ecrit(const fs::path& dossier) {
        for (size_t i = 0; i < pieces_.size(); ++i) {
            if (progression_)
                progression_("pictures", i, pieces_.size());
            if (Status s = Ecrit_Piece(pieces_[i], dossier); !s)
                return s;
        }
        if (progression_)
            progression_("pictures", pieces_.size(), pieces_.size());
        return Status::Ok();
    }

  private:
    void Ajoute_Dossier(const std::string& source, const std::string& nom, Piece_Web::Genre genre) {
        std::error_code ec;
        if (source.empty() || !fs::is_directory(source, ec))
            return;
        const fs::path racine = Absolu(source);
        if (!vus_.insert(racine.string()).second)
            return;
        for (fs::recursive_directory_iterator it(racine, ec), fin; !ec && it != fin; it.increment(ec)) {
            if (!it->is_regular_file(ec))
                continue;
            const fs::path relatif = fs::relative(it->path(), racine, ec);
            const std::string ext = To_Lower_Ascii(it->path().extension().string());
            const std::string nom_fichier = To_Lower_Ascii(it->path().filename().string());
            // The database, the data files and the palette picture are in base.kbc.
            if (ext == ".sqlite" || ext == ".dat" || ext == ".ini" || nom_fichier == "couleur.wmf")
                continue;
            Piece_Web p{it->path(), fs::path(nom) / relatif, Piece_Web::Genre::Copie};
            if (ext == ".wmf") {
                p.genre =
                    genre == Piece_Web::Genre::Etats ? Piece_Web::Genre::Etats : Piece_Web::Genre::Portrait;
                p.cible.replace_extension(".png");
            } else if (ext == ".html" || ext == ".htm") {
                p.genre = Piece_Web::Genre::Page;
            } else if (ext == ".gif" && genre == Piece_Web::Genre::Dessin) {
                p.genre = Piece_Web::Genre::Dessin;
            }
            pieces_.push_back(std::move(p));
        }
    }

    Status Ecrit_Piece(const Piece_Web& p, const fs::path& dossier) {
        const fs::path cible = dossier / p.cible;
        std::error_code ec;
        fs::create_directories(cible.parent_path(), ec);
        switch (p.genre) {
            case Piece_Web::Genre::Copie:
                fs::copy_file(p.source, cible, fs::copy_options::overwrite_existing, ec);
                if (ec)
                    return Status::Error(cible.string() + ": cannot be written (" + ec.message() + ")");
                return Status::Ok();
            case Piece_Web::Genre::Page:
                return Copie_Page(p, cible);
            case Piece_Web::Genre::Portrait:
            case Piece_Web::Genre::Etats:
                return Rend_Metafichier(p, cible);
            case Piece_Web::Genre::Dessin:
                return Reduit_Dessin(p, cible);
        }
        return Status::Ok();
    }

    // A page of the base with the policy that keeps any script of it from running.
    Status Copie_Page(const Piece_Web& p, const fs::path& cible) {
        std::ifstream in(p.source, std::ios::binary);
        const std::string html{std::istreambuf_iterator<char>(in), {}};
        const std::string sure = Avec_Politique(html, Politique_Documents_Web);
        if (!in.eof() && in.fail())
            return Status::Error(p.source.string() + ": cannot be read");
        if (!Ecrit_Fichier(cible, sure.data(), sure.size()))
            return Status::Error(cible.string() + ": cannot be written");
        return Status::Ok();
    }

    // A metafile drawn at the phone's size, in its own proportions: portrait layers on a
    // transparent background (they are stacked), state pictures on white.
    Status Rend_Metafichier(const Piece_Web& p, const fs::path& cible) {
        auto fichier = wmf::Metafichier::Lit_Fichier(p.source.string());
        if (!fichier)
            return fichier.status();
        QSize cadre = fichier->placable() ? fichier->cadre().size() : fichier->etendue_fenetre_initiale();
        cadre = QSize(std::abs(cadre.width()), std::abs(cadre.height()));
        const bool portrait = p.genre == Piece_Web::Genre::Portrait;
        if (cadre.isEmpty())
            cadre = QSize(4, 3);
        const int largeur = portrait ? tailles_.Largeur_Portrait : tailles_.Largeur_Etats;
        const int hauteur = std::clamp(
            static_cast<int>(std::lround(static_cast<double>(largeur) * cadre.height() / cadre.width())), 1,
            16384);
        QImage image = wmf::Rendu_Wmf::Rend(*fichier, QSize(largeur, hauteur),
                                            portrait ? QColor(Qt::transparent) : QColor(Qt::white));
        if (!portrait)
            image = image.convertToFormat(QImage::Format_RGB32);
        if (!image.save(QString::fromStdString(cible.string()), "PNG"))
            return Status::Error(cible.string() + ": cannot be written");
        return Status::Ok();
    }

    // A species' drawing scaled down to the phone's width; a smaller picture is copied.
    Status Reduit_Dessin(const Piece_Web& p, const fs::path& cible) {
        QImage image(QString::fromStdString(p.source.string()));
        std::error_code ec;
        if (image.isNull() || image.width() <= tailles_.Largeur_Dessin) {
            fs::copy_file(p.source, cible, fs::copy_options::overwrite_existing, ec);
            return ec ? Status::Error(cible.string() + ": cannot be written (" + ec.message() + ")")
                      : Status::Ok();
        }
        const QImage reduite = image.scaledToWidth(tailles_.Largeur_Dessin, Qt::SmoothTransformation);
        return Ecrit_Gif(reduite, cible.string());
    }

    const Reglages_Base& r_;
    Taille_Web tailles_;
    const Progression& progression_;
    std::vector<Piece_Web> pieces_;
    std::set<std::string> vus_;
};

}  // namespace

Status Exporte_Web(const std::string& donnees, const std::string& sortie_texte, const std::string& moteur,
                   std::vector<std::string>* avertissements, const Progression& progression,
                   const Taille_Web& tailles) {
    const Reglages_Base r = Lit_Reglages_Base(donnees);
    const std::string ini = (fs::path(donnees) / "kestrane.ini").string();
    if (!r.Lu)
        return Status::Error(ini + ": the settings file cannot be read");
    if (!r.Problemes.empty())
        return Status::Error(ini + ": " + r.Problemes.front());
    std::error_code ec;
    for (const char* fichier : {"kestrane.js", "kestrane.wasm"}) {
        if (!fs::is_regular_file(fs::path(moteur) / fichier, ec))
            return Status::Error(
                (fs::path(moteur) / fichier).string() +
                ": the web key's engine is missing (build it with the KESTRANE_WEB option, or name "
                "its folder with --engine)");
    }

    const fs::path sortie = Absolu(sortie_texte);
    const fs::path source = Absolu(donnees);
    if (Dans(sortie, source) || Dans(source, sortie))
        return Status::Error(sortie.string() + ": the web key cannot be written inside the base's folder " +
                             source.string() + " nor around it");
    if (fs::exists(sortie, ec)) {
        if (!fs::is_directory(sortie, ec))
            return Status::Error(sortie.string() + ": exists and is not a folder");
        if (!fs::is_empty(sortie, ec) && !fs::exists(sortie / Marque_Export_Web, ec))
            return Status::Error(
                sortie.string() +
                ": holds files that no web export wrote; give a new or empty folder, as the export "
                "replaces it whole");
    }

    if (progression)
        progression("reading", 0, 1);
    const std::string chemin_palette = Trouve_Fichier(r.Data + "/couleur.wmf");
    wmf::Echantillonneur_Palette_Wmf palette(chemin_palette, Largeur_Palette, Hauteur_Palette);
    Chargement c = Charge_Base({r.Base, r.Data + "/"}, Fichier_Existe(chemin_palette) ? &palette : nullptr);
    if (c.Echec)
        return Status::Error(c.Echec->Detail.empty() ? c.Echec->Message : c.Echec->Detail);
    if (avertissements != nullptr)
        avertissements->insert(avertissements->end(), c.Avertissements.begin(), c.Avertissements.end());
    auto octets = Ecrit_Base_Compacte(*c.Base, Noms_Especes::Lit(*c.Base));
    if (!octets)
        return Status::Error(r.Base + ": " + octets.status().message());

    fs::create_directories(sortie.parent_path(), ec);
    Dossier_Provisoire provisoire(sortie, "web");
    if (!provisoire.Cree())
        return Status::Error(provisoire.Chemin().string() + ": cannot be created");
    const fs::path dossier = provisoire.Chemin();
    for (const char* fichier : {"kestrane.js", "kestrane.wasm"}) {
        fs::copy_file(fs::path(moteur) / fichier, dossier / fichier, ec);
        if (ec)
            return Status::Error((dossier / fichier).string() + ": cannot be written (" + ec.message() + ")");
    }
    const std::string marque = "Written by kestrane-kb export-web from " + source.string() + "\n";
    if (!Ecrit_Fichier(dossier / "base.kbc", reinterpret_cast<const char*>(octets->data()), octets->size()) ||
        !Ecrit_Fichier(dossier / Marque_Export_Web, marque.data(), marque.size()))
        return Status::Error(dossier.string() + ": cannot be written");

    Export e(r, tailles, progression);
    e.Inventorie();
    if (Status s = e.Ecrit(dossier); !s)
        return s;
    // The base's stamp, as the page reads it from base.kbc, names the export's version.
    uint64_t empreinte = 0;
    for (int i = 7; i >= 0; --i) empreinte = (empreinte << 8) | (*octets)[12 + static_cast<size_t>(i)];
    if (Status s = Ecrit_Page_Web(dossier, Texte_Empreinte(empreinte)); !s)
        return s;
    if (Status s = Met_En_Place(provisoire.Chemin(), sortie, "export"); !s.ok())
        return s;
    provisoire.Garde();
    return Status::Ok();
}

}  // namespace kestrane::kb
