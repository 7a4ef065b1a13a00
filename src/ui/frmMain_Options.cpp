// The main window's Options entry: the settings dialog, then what a change of language or threshold
// changes in the window and the engine.

#include <QLabel>
#include <QTreeView>

#include "Impression.h"
#include "Textes_Moteur_Langue.h"
#include "frmOptions.h"
#include "frmMain.h"

namespace kestrane {

void frmMain::Ouvre_Options() {
    if (!identification_) return;
    const int16_t avant = contexte_.reglages.Seuil_Pourcent;
    frmOptions options(contexte_.reglages, contexte_.Langue, contexte_.magasin, contexte_.dialogues, this);
    options.exec();
    identification_->Change_Textes(Textes_Moteur_Langue(contexte_.Langue));
    // The results count speaks the new language at once.
    Legende->setText(QString::fromStdString(identification_->Liste().Legende));
    Legende->setToolTip(Legende->text());
    identification_->Change_Strategie(contexte_.reglages.Strategie);
    impression_->Traduit(contexte_.Langue);
    Traduit_Ajouts();
    Applique_Vignettes();
    if (contexte_.reglages.Seuil_Pourcent != avant) {
        identification_->Change_Seuil(contexte_.reglages.Seuil_Pourcent);
        if (Liste_Esp->isVisible()) {
            Clic_Liste();
            WebTexte->setFocus();
        }
    }
}

}  // namespace kestrane
