// kestrane-wmf: `info FILE` describes a metafile and what the player does with it;
// `render FILE OUT.png` writes the player's raster; `convert IN.svg OUT.wmf` writes a metafile.

#include <QGuiApplication>
#include <QImage>

#include <CLI/CLI.hpp>

#include <cstdio>
#include <map>
#include <regex>
#include <string>

#include "Conversion_Svg.h"
#include "Fonctions_Wmf.h"
#include "Metafichier.h"
#include "Rendu_Wmf.h"

namespace {

using namespace kestrane;
using namespace kestrane::wmf;

bool Lit_Taille(const std::string& texte, QSize& taille) {
    static const std::regex forme(R"((\d{1,5})[xX](\d{1,5}))");
    std::smatch m;
    if (!std::regex_match(texte, m, forme))
        return false;
    taille = QSize(std::stoi(m[1]), std::stoi(m[2]));
    return taille.width() > 0 && taille.height() > 0 && taille.width() <= 16384 && taille.height() <= 16384;
}

// The size a file is rendered at when none is asked: its bounding box or window, within reason.
QSize Taille_Naturelle(const Metafichier& m) {
    QSize s = m.placable() ? m.cadre().size() : m.etendue_fenetre_initiale();
    s = QSize(std::abs(s.width()), std::abs(s.height()));
    if (s.isEmpty())
        return {800, 600};
    const double k = std::min(1.0, 2048.0 / std::max(s.width(), s.height()));
    return QSize(std::max(1, static_cast<int>(s.width() * k)), std::max(1, static_cast<int>(s.height() * k)));
}

int Info(const std::string& chemin) {
    auto lu = Metafichier::Lit_Fichier(chemin);
    if (!lu) {
        std::fprintf(stderr, "unreadable: %s\n", lu.status().message().c_str());
        return 1;
    }
    const Metafichier& m = lu.value();
    std::printf("file: %s\n", chemin.c_str());
    if (m.placable()) {
        const auto& e = m.entete_placable();
        std::printf("placeable: bounding box %d,%d .. %d,%d, %u units per inch, checksum 0x%04X (%s)\n",
                    e.gauche, e.haut, e.droite, e.bas, e.unites_par_pouce, e.somme,
                    e.somme_juste ? "right" : "wrong");
    } else {
        const QSize ext = m.etendue_fenetre_initiale();
        std::printf("plain: window origin %d,%d extent %d x %d\n", m.origine_fenetre_initiale().x(),
                    m.origine_fenetre_initiale().y(), ext.width(), ext.height());
    }
    std::printf("header: type %u, version 0x%04X, size %u words, %u objects, largest record %u words\n",
                m.type(), m.version(), m.taille_annoncee_mots(), m.nb_objets(),
                m.plus_grand_enregistrement());
    std::map<uint16_t, int> par_type;
    for (const auto& e : m.enregistrements()) ++par_type[e.fonction];
    std::printf("records: %zu%s\n", m.enregistrements().size(), m.termine() ? " then EOF" : " (no EOF)");
    for (const auto& [f, n] : par_type) std::printf("  %-22s %6d\n", Nom_Fonction(f).c_str(), n);
    for (const auto& a : m.anomalies()) std::printf("reading: %s\n", a.c_str());
    Rapport_Lecture rapport;
    Rendu_Wmf::Rend(m, Taille_Naturelle(m), Qt::white, &rapport);
    std::printf("skipped while playing: %d\n", rapport.Nb_Ignores());
    for (const auto& [cle, n] : rapport.ignores)
        std::printf("  %-22s %6d  %s\n", Nom_Fonction(cle.first).c_str(), n, cle.second.c_str());
    return 0;
}

int Render(const std::string& chemin, const std::string& sortie, const std::string& taille_texte,
           const std::string& fond) {
    auto lu = Metafichier::Lit_Fichier(chemin);
    if (!lu) {
        std::fprintf(stderr, "unreadable: %s\n", lu.status().message().c_str());
        return 1;
    }
    QSize taille = Taille_Naturelle(lu.value());
    if (!taille_texte.empty() && !Lit_Taille(taille_texte, taille)) {
        std::fprintf(stderr, "bad size '%s' (expected WxH)\n", taille_texte.c_str());
        return 2;
    }
    const QImage image =
        Rendu_Wmf::Rend(lu.value(), taille, fond == "none" ? QColor(Qt::transparent) : QColor(Qt::white));
    if (!image.save(QString::fromStdString(sortie), "PNG")) {
        std::fprintf(stderr, "%s: cannot write\n", sortie.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    CLI::App app{"Inspect, render and write Windows metafiles"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "kestrane-wmf " KESTRANE_VERSION);
    std::string fichier, sortie, taille, fond = "white";
    int largeur = 0, hauteur = 0;

    auto* info =
        app.add_subcommand("info", "Print the header, the records by type and what the player skips");
    info->add_option("FILE", fichier, "metafile")->required();

    auto* render = app.add_subcommand("render", "Render a metafile to a PNG image with the player");
    render->add_option("FILE", fichier, "metafile")->required();
    render->add_option("OUT", sortie, "PNG file to write")->required();
    render->add_option("--size", taille, "WxH in pixels (default: the file's own frame)");
    render->add_option("--background", fond, "white or none")->check(CLI::IsMember({"white", "none"}));

    auto* convert = app.add_subcommand("convert", "Write an SVG drawing as a placeable metafile");
    convert->add_option("SVG", fichier, "SVG drawing")->required();
    convert->add_option("OUT", sortie, "metafile to write")->required();
    convert->add_option("--width", largeur, "logical width")->required()->check(CLI::Range(1, 32767));
    convert->add_option("--height", hauteur, "logical height")->required()->check(CLI::Range(1, 32767));

    CLI11_PARSE(app, argc, argv);
    if (info->parsed())
        return Info(fichier);
    if (render->parsed())
        return Render(fichier, sortie, taille, fond);
    const Status s = Convertit_Svg_En_Wmf(fichier, sortie, largeur, hauteur);
    if (!s) {
        std::fprintf(stderr, "%s\n", s.message().c_str());
        return 1;
    }
    return 0;
}
