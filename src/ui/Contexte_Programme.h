#pragma once
// The program-wide objects of one run: the settings, the interface language, the user's store
// and the dialogs. The start routine owns them and hands them to the windows by reference.

#include <QUrl>

#include <cstdint>
#include <functional>
#include <string>

#include "Dialogues.h"
#include "Magasin_Utilisateur.h"
#include "Palette_Sampler.h"
#include "Registre_Machine.h"
#include "Reglages.h"

namespace kestrane {

struct Contexte_Programme {
    Contexte_Programme(Magasin_Utilisateur& magasin_, Dialogues& dialogues_, Registre_Machine machine_)
        : magasin(magasin_), dialogues(dialogues_), machine(std::move(machine_)) {}

    Magasin_Utilisateur& magasin;
    Dialogues& dialogues;
    Registre_Machine machine;
    Reglages reglages;                       // read by the main window's load
    int16_t Langue = 0;
    std::string Suffixe_Langue = "_en";
    Palette_Sampler* palette = nullptr;      // the splash window's palette picture, when there is one
    std::string verrou_instance;             // lock file that tells a running instance ("" = none)
    std::string guide_utilisateur;           // the HTML user guide shipped with the program
    // Opens a file with the desktop's program for it, false when none could; empty: Qt's desktop
    // services (tests put their own).
    std::function<bool(const QUrl&)> ouvre_adresse;
};

}  // namespace kestrane
