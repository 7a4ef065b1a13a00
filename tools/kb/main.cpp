// kestrane-kb: builds a knowledge base from its readable source, checks a built base, and brings
// keys in from and out to the SDD exchange standard.
//
//   kestrane-kb build SOURCE OUT         compile SOURCE into OUT (kestrane.ini at its top)
//   kestrane-kb check DATA               list every problem and warning of the base in DATA; exit 1
//                                        if there is a problem (warnings alone exit 0)
//   kestrane-kb import-sdd FILE.xml OUT  build OUT from an SDD 1.1 dataset
//   kestrane-kb export-sdd DATA OUT.xml  write the base in DATA as an SDD 1.1 document
//   kestrane-kb report DATA OUT          what the key in DATA can and cannot tell apart, as an HTML
//                                        page (or JSON with --json)
//   kestrane-kb export-web DATA OUT      write the base in DATA as a static web key in OUT

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <QGuiApplication>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <thread>

#include "Construction_Base.h"
#include "Ecriture_Rapport.h"
#include "Dossiers_Travail.h"
#include "Export_Sdd.h"
#include "Export_Web.h"
#include "Import_Sdd.h"
#include "Sortie_Base.h"
#include "Verification_Base.h"

namespace {

// Progress on the error stream: a line rewritten in place on a terminal, a line per tenth
// otherwise (logs stay short).
class Affiche_Progression {
  public:
    void operator()(const std::string& etape, size_t fait, size_t total) {
        const int pourcent = total == 0 ? 100 : static_cast<int>(std::min<size_t>(100, fait * 100 / total));
        const bool terminal = isatty(STDERR_FILENO) != 0;
        if (etape == etape_ && (terminal ? pourcent == pourcent_ : pourcent / 10 == pourcent_ / 10))
            return;
        etape_ = etape;
        pourcent_ = pourcent;
        std::fprintf(stderr, terminal ? "\rkestrane-kb: %s %3d%%\033[K" : "kestrane-kb: %s %d%%\n",
                     etape.c_str(), pourcent);
        std::fflush(stderr);
        ligne_ouverte_ = terminal;
    }
    ~Affiche_Progression() {
        if (ligne_ouverte_)
            std::fputc('\n', stderr);
    }

  private:
    std::string etape_;
    int pourcent_ = -1;
    bool ligne_ouverte_ = false;
};

// A build or an import stopped by SIGINT, SIGTERM or SIGHUP removes its work folders beside OUT
// first (they can hold hundreds of megabytes), then ends as that signal would have ended it. The
// signals are taken by a thread of their own, so that the removal runs outside a signal handler.
void Nettoie_Sur_Signal(const std::filesystem::path& dossier) {
    // The work, its folder gone, may fail and end the program before the signal does: the end then
    // waits for the signal, so that the program ends as the signal would have ended it.
    static std::atomic<bool> signal_pris{false};
    std::atexit([] {
        while (signal_pris.load())
            pause();
    });
    sigset_t signaux;
    sigemptyset(&signaux);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signaux, s);
    pthread_sigmask(SIG_BLOCK, &signaux, nullptr);  // before any other thread starts
    std::thread([signaux, dossier] {
        int signal_recu = 0;
        if (sigwait(&signaux, &signal_recu) != 0)
            return;
        signal_pris = true;
        // Again a few times: the work going on meanwhile, slowed on a busy machine, may have made
        // a folder again before it reached the next step.
        for (int k = 0; k < 5; ++k) {
            if (k > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            kestrane::kb::Retire_Dossiers_Du_Processus(dossier, getpid());
        }
        std::signal(signal_recu, SIG_DFL);
        pthread_sigmask(SIG_UNBLOCK, &signaux, nullptr);
        raise(signal_recu);
    }).detach();
}

int Fin(const kestrane::Status& s, const char* quoi, const std::vector<std::string>& avertissements) {
    if (!s.ok()) {
        std::cerr << "kestrane-kb: " << quoi << " failed\n" << s.message() << "\n";
        return 1;
    }
    for (const auto& a : avertissements) std::cerr << a << "\n";
    return 0;
}

// The web key's engine: KESTRANE_WEB_ENGINE, else where an installation puts it.
std::string Moteur_Web_Par_Defaut(const char* programme) {
    if (const char* variable = std::getenv("KESTRANE_WEB_ENGINE"); variable != nullptr && *variable != '\0')
        return variable;
    std::error_code ec;
    const auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    const auto dossier = ec ? std::filesystem::absolute(programme).parent_path() : exe.parent_path();
    return (dossier.parent_path() / "share" / "kestrane" / "web").string();
}

}  // namespace

// An unexpected exception still unwinds, so that the work folders go with their owners.
int main(int argc, char** argv) try {
    CLI::App app{"Kestrane knowledge-base builder"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "kestrane-kb " KESTRANE_VERSION);
    std::string source, sortie, donnees, fichier;
    auto* build = app.add_subcommand("build", "Compile a knowledge base from its source folder");
    build->add_option("SOURCE", source, "Source folder (CSV tables, SVG drawings, page templates)")
        ->required()
        ->check(CLI::ExistingDirectory);
    build->add_option("OUT", sortie, "Output folder; replaced only when the build succeeds")->required();
    auto* check = app.add_subcommand("check", "Check a built knowledge base");
    check->add_option("DATA", donnees, "Folder holding kestrane.ini")->required();
    auto* import = app.add_subcommand("import-sdd", "Build a knowledge base from an SDD 1.1 file");
    import->add_option("FILE", fichier, "SDD document (XML); pictures it names are looked for beside it")
        ->required()
        ->check(CLI::ExistingFile);
    import->add_option("OUT", sortie, "Output folder; replaced only when the import succeeds")->required();
    auto* exporte = app.add_subcommand("export-sdd", "Write a knowledge base as an SDD 1.1 document");
    exporte->add_option("DATA", donnees, "Folder holding kestrane.ini")->required();
    exporte->add_option("OUT", fichier, "SDD document to write")->required();
    auto* rapport =
        app.add_subcommand("report", "Report what a knowledge base's key can and cannot tell apart");
    rapport->add_option("DATA", donnees, "Folder holding kestrane.ini")->required();
    rapport->add_option("OUT", fichier, "HTML page to write (JSON with --json)")->required();
    bool json = false;
    kestrane::kb::Options_Rapport options;
    rapport->add_flag("--json", json, "Write the figures as JSON");
    rapport->add_option("--lang", options.Langue, "Language of the base's texts and the headings")
        ->check(CLI::IsMember({"en", "es", "fr"}));
    rapport
        ->add_option("--sample", options.Echantillon_Max,
                     "Taxa walked at most (a seeded random sample beyond)")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    rapport->add_option("--seed", options.Graine, "Seed of the sample")->capture_default_str();
    std::string moteur = Moteur_Web_Par_Defaut(argv[0]);
    auto* web = app.add_subcommand("export-web", "Write a knowledge base as a static web key");
    web->add_option("DATA", donnees, "Folder holding kestrane.ini")->required();
    web->add_option("OUT", sortie, "Output folder; replaced only when the export succeeds")->required();
    web->add_option("--engine", moteur,
                    "Folder holding the web key's engine (kestrane.js, kestrane.wasm); by default "
                    "KESTRANE_WEB_ENGINE, else share/kestrane/web under the program's prefix")
        ->capture_default_str();
    CLI11_PARSE(app, argc, argv);

    if (*build || *import)
        Nettoie_Sur_Signal(kestrane::kb::Chemin_Sortie(sortie).parent_path());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qt(argc, argv);

    const auto debut = std::chrono::steady_clock::now();
    auto secondes = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    };
    std::vector<std::string> avertissements;
    if (*build) {
        const kestrane::Status s = kestrane::kb::Construit_Base(source, sortie, &avertissements);
        if (Fin(s, "build", avertissements) != 0)
            return 1;
        std::printf("kestrane-kb: built %s in %.2f s\n", sortie.c_str(), secondes());
        return 0;
    }
    if (*import) {
        kestrane::Status s = kestrane::Status::Ok();
        {
            Affiche_Progression progression;
            s = kestrane::kb::Importe_Sdd(fichier, sortie, &avertissements, std::ref(progression));
        }
        if (Fin(s, "import", avertissements) != 0)
            return 1;
        std::printf("kestrane-kb: imported %s into %s in %.2f s\n", fichier.c_str(), sortie.c_str(),
                    secondes());
        return 0;
    }
    if (*rapport) {
        kestrane::Status s = kestrane::Status::Ok();
        {
            Affiche_Progression progression;
            s = kestrane::kb::Ecrit_Rapport(donnees, fichier, json, options, std::ref(progression));
        }
        if (Fin(s, "report", avertissements) != 0)
            return 1;
        std::printf("kestrane-kb: reported on %s in %s in %.2f s\n", donnees.c_str(), fichier.c_str(),
                    secondes());
        return 0;
    }
    if (*web) {
        kestrane::Status s = kestrane::Status::Ok();
        {
            Affiche_Progression progression;
            s = kestrane::kb::Exporte_Web(donnees, sortie, moteur, &avertissements, std::ref(progression));
        }
        if (Fin(s, "web export", avertissements) != 0)
            return 1;
        std::printf("kestrane-kb: exported %s as a web key in %s in %.2f s\n", donnees.c_str(),
                    sortie.c_str(), secondes());
        return 0;
    }
    if (*exporte) {
        if (Fin(kestrane::kb::Exporte_Sdd(donnees, fichier), "export", avertissements) != 0)
            return 1;
        std::printf("kestrane-kb: exported %s to %s\n", donnees.c_str(), fichier.c_str());
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
} catch (const std::exception& e) {
    std::cerr << "kestrane-kb: stopped by an internal error: " << e.what() << "\n";
    return 2;
}
