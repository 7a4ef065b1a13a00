// kestrane-kb: builds a knowledge base from its readable source, and checks a built base.
//
//   kestrane-kb build SOURCE OUT   compile SOURCE into OUT (kestrane.ini at its top)
//   kestrane-kb check DATA         list every problem and warning of the base in DATA; exit 1 if
//                                  there is a problem (warnings alone exit 0)

#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <iostream>

#include "Construction_Base.h"
#include "Verification_Base.h"

int main(int argc, char** argv) {
    CLI::App app{"Kestrane knowledge-base builder"};
    app.require_subcommand(1);
    std::string source, sortie, donnees;
    auto* build = app.add_subcommand("build", "Compile a knowledge base from its source folder");
    build->add_option("SOURCE", source, "Source folder (CSV tables, SVG drawings, page templates)")
        ->required()
        ->check(CLI::ExistingDirectory);
    build->add_option("OUT", sortie, "Output folder; replaced only when the build succeeds")->required();
    auto* check = app.add_subcommand("check", "Check a built knowledge base");
    check->add_option("DATA", donnees, "Folder holding kestrane.ini")->required();
    CLI11_PARSE(app, argc, argv);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qt(argc, argv);

    if (*build) {
        const auto debut = std::chrono::steady_clock::now();
        std::vector<std::string> avertissements;
        const kestrane::Status s = kestrane::kb::Construit_Base(source, sortie, &avertissements);
        const double secondes =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
        if (!s.ok()) {
            std::cerr << "kestrane-kb: build failed\n" << s.message() << "\n";
            return 1;
        }
        for (const auto& a : avertissements) std::cerr << a << "\n";
        std::printf("kestrane-kb: built %s in %.2f s\n", sortie.c_str(), secondes);
        return 0;
    }
    const auto problemes = kestrane::kb::Verifie_Base(donnees);
    for (const auto& p : problemes) std::cerr << p.Texte() << "\n";
    const size_t erreurs = kestrane::kb::Erreurs(problemes);
    if (erreurs > 0) {
        std::cerr << "kestrane-kb: " << erreurs << " problem(s) and " << problemes.size() - erreurs
                  << " warning(s) in " << donnees << "\n";
        return 1;
    }
    if (!problemes.empty())
        std::printf("kestrane-kb: %s is sound, with %zu warning(s)\n", donnees.c_str(), problemes.size());
    else
        std::printf("kestrane-kb: %s is sound\n", donnees.c_str());
    return 0;
}
