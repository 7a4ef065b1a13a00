// kestrane: the tree identification key.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <QStandardPaths>

#include <iostream>
#include <string_view>

#include "Dialogues_Qt.h"
#include "Magasin_Utilisateur.h"
#include "Reglages.h"
#include "Sub_Main.h"

namespace {

// `kestrane --help` and `kestrane --version` answer on the terminal without opening a window (the
// manual page is made from them); any other command line names the identification to open.
bool Repond_Option(int argc, char** argv) {
    if (argc != 2)
        return false;
    const std::string_view option = argv[1];
    if (option == "--version") {
        std::cout << "kestrane " KESTRANE_VERSION "\n";
        return true;
    }
    if (option != "--help")
        return false;
    std::cout << "Usage: kestrane [FILE]\n"
                 "Kestrane, the tree identification key: opens its window on the knowledge base that the machine\n"
                 "settings name, then the saved identification FILE (.ido) when one is given.\n"
                 "\n"
                 "Options:\n"
                 "  --help     print this help and exit\n"
                 "  --version  print the version and exit\n"
                 "\n"
                 "The machine settings are the file named by KESTRANE_MACHINE_SETTINGS, else kestrane.ini beside\n"
                 "the program, else share/kestrane/kestrane.ini or share/kestrane/flora/kestrane.ini under its\n"
                 "prefix (the installed demo flora).\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (Repond_Option(argc, argv))
        return 0;
    // The document view (a web engine) shares the OpenGL contexts of the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kestrane V.1.0");
    QApplication::setOrganizationName("Kestrane");
    QApplication::setWindowIcon(QIcon(":/kestrane.svg"));
    QGuiApplication::setDesktopFileName("kestrane");

    kestrane::Options_Demarrage options;
    const std::string dossier = QApplication::applicationDirPath().toStdString();
    options.registre_machine = kestrane::Registre_Machine::Chemin_Par_Defaut(dossier);
    // The identification file: everything after the program's name, quotes included.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    options.ligne_commande = arguments.join(' ');
    options.langue_systeme = kestrane::Langue_Primaire_Systeme(QLocale::system().name().toStdString());
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    options.verrou_instance = QDir(runtime).filePath("kestrane.lock").toStdString();
    for (const QString& guide :
         {QDir(QApplication::applicationDirPath()).filePath("help/index.html"),
          QDir(QApplication::applicationDirPath()).filePath("../share/kestrane/help/index.html")}) {
        if (QFileInfo(guide).isFile()) {
            options.guide_utilisateur = QDir::cleanPath(guide).toStdString();
            break;
        }
    }
    options.palette_par_defaut = dossier + "/../share/kestrane/flora/couleur.wmf";

    kestrane::Magasin_QSettings magasin;
    kestrane::Dialogues_Qt dialogues;
    kestrane::Sub_Main demarrage(magasin, dialogues, options);
    if (const int code = demarrage.Lance(); code != 0)
        return code;
    return QApplication::exec();
}
