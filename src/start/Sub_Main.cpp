#include "Sub_Main.h"

#include <QApplication>
#include <QScreen>

#include "Placement_Fenetre.h"
#include "Table_Chaines.h"
#include "frmMain.h"
#include "frmSplash.h"

namespace kestrane {

Sub_Main::Sub_Main(Magasin_Utilisateur& magasin, Dialogues& dialogues, Options_Demarrage options)
    : options_(std::move(options)),
      contexte_(magasin, dialogues, Registre_Machine::Lit(options_.registre_machine)) {
    contexte_.verrou_instance = options_.verrou_instance;
    contexte_.guide_utilisateur = options_.guide_utilisateur;
}

Sub_Main::~Sub_Main() {
    fenetre_.reset();
    splash_.reset();
}

int Sub_Main::Lance() {
    contexte_.Langue = Choisit_Langue(contexte_.magasin, contexte_.machine, options_.langue_systeme);
    contexte_.dialogues.Change_Langue(contexte_.Langue);
    contexte_.Suffixe_Langue = "_en";

    // The splash window, centred, on screen while the main window loads.
    const std::string palette =
        Chemin_Palette(contexte_.magasin, contexte_.machine, options_.palette_par_defaut);
    splash_ = std::make_unique<frmSplash>(palette, contexte_.Langue);
    if (QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->geometry();
        splash_->adjustSize();
        splash_->move((zone.width() - splash_->width()) / 2, (zone.height() - splash_->height()) / 2);
    }
    splash_->show();
    splash_->repaint();
    contexte_.palette = splash_->Echantillonneur();

    fenetre_ = std::make_unique<frmMain>(contexte_);
    QObject::connect(fenetre_.get(), &frmMain::A_Propos_Demande, fenetre_.get(), [this] { A_Propos(); });
    const Issue_Chargement issue = fenetre_->Charge(options_.ligne_commande);
    contexte_.palette = nullptr;
    if (issue.genre != Issue_Chargement::Genre::Chargee) {
        splash_->close();
        if (issue.genre == Issue_Chargement::Genre::Fatale) {
            contexte_.dialogues.Message(nullptr, issue.message, Boutons::OK, Icone::Aucune, issue.titre);
            return 1;
        }
        return 2;
    }

    // On the desktop's work area, frame included, laid out, then the splash goes.
    if (QScreen* ecran = QGuiApplication::primaryScreen())
        Remplit_Zone(*fenetre_, ecran->availableGeometry());
    fenetre_->show();
    fenetre_->Positionne_Controles();
    splash_->close();
    splash_->Fermeture_Au_Clic(true);
    fenetre_->Signale_Avertissements();
    return 0;
}

void Sub_Main::A_Propos() {
    // The splash window serves as the About box.
    if (QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->geometry();
        splash_->move((zone.width() - splash_->width()) / 2, (zone.height() - splash_->height()) / 2);
    }
    splash_->exec();
}

}  // namespace kestrane
