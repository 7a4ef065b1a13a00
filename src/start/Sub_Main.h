#pragma once
// The start routine: chooses the interface language, shows the splash window, loads the main
// window (which builds the knowledge base), shows it on the desktop's work area and removes the
// splash window, then tells what the load of a damaged base passed over. A fatal load shows its
// message and ends the start; so does the answer No to the second-instance question.

#include <QString>

#include <memory>
#include <string>

#include "Contexte_Programme.h"

namespace kestrane {

class frmMain;
class frmSplash;

struct Options_Demarrage {
    std::string registre_machine;    // the machine settings file ("" = none)
    QString ligne_commande;          // the identification file named on the command line
    int langue_systeme = 9;          // primary language identifier of the system
    std::string verrou_instance;     // lock file telling a running instance
    std::string guide_utilisateur;   // the shipped HTML user guide
    std::string palette_par_defaut;  // the palette picture when no setting names a data folder
};

class Sub_Main {
  public:
    Sub_Main(Magasin_Utilisateur& magasin, Dialogues& dialogues, Options_Demarrage options);
    ~Sub_Main();

    // 0 when the main window is up; 1 after a fatal error; 2 when the user chose not to start
    // a second instance.
    int Lance();

    frmMain* Fenetre() { return fenetre_.get(); }
    Contexte_Programme& Contexte() { return contexte_; }

  private:
    void A_Propos();

    Options_Demarrage options_;
    Contexte_Programme contexte_;
    std::unique_ptr<frmSplash> splash_;
    std::unique_ptr<frmMain> fenetre_;
};

}  // namespace kestrane
