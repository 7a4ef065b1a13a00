#pragma once
// The built test base "petite" copied and changed for the documents' tests, and the documents
// opened on it with a recording host and scripted dialogs. The changes:
//   FREXC  Fraxinus excelsior      OLEACEAE          legend also in French; French name "Sycamore"
//   AEHIP  Aesculus hippocastanum  sapindaceae s.l.
//   ACPSE  acer pseudoplatanus     sapindaceae s.l.  no pages: the error page
//   PISYL  Pinus sylvestris        Pinaceae          no legend, no drawing; pages under P/PISYL/,
//                                                    its species page PISYL_EN.HTML
// and the common names' ranks reversed, so that the stored queries give them in reverse order.

#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "Base_Test.h"
#include "Dialogues_Scriptes.h"
#include "Documents.h"
#include "Hote_Factice.h"
#include "Reglages.h"
#include "Tree_esp.h"

inline void PrintTo(const QString& texte, std::ostream* flux) {
    *flux << '"' << texte.toStdString() << '"';
}

namespace kestrane::test {

// The changed copy, with `sql_supplementaire` run on it too, loaded (the test fails if it does not load).
struct Flore_Documents {
    explicit Flore_Documents(const std::string& sql_supplementaire = {});
    Copie_Base copie{"petite"};
    std::unique_ptr<Base_Connaissance> connaissance;
};

struct Bac_Documents {
    // Local documents ("hd"); `avant_ouverture` may change the copy before the documents open it.
    explicit Bac_Documents(const std::function<void(const Copie_Base&)>& avant_ouverture = {});
    QString Dossier_Documents() const;  // the copy's documents/, ending with "/"

    Flore_Documents flore;
    Reglages reglages;
    Hote_Factice hote;
    Dialogues_Scriptes dialogues;
    std::unique_ptr<Documents> documents;
};

inline const Choix_Espece Frene{"Fraxinus excelsior", "FREXC", "Oleaceae"};

// Runs the event loop until the condition holds (false after a generous limit).
bool Attend(const std::function<bool()>& condition);
// Waits until the view has completed a page whose location ends with `fin`.
testing::AssertionResult Attend_Page(Documents& documents, const QString& fin);
// Clicks the species tree's node of that key where it is drawn (fails when there is none).
void Clique_Noeud(Tree_esp& arbre, const QString& cle);
// Clicks with the mouse the middle of the shown page's first link to `href`, scrolled into view.
testing::AssertionResult Clique_Lien(Documents& documents, const QString& href);
// The same, then waits for the page it leads to.
testing::AssertionResult Suit_Lien(Documents& documents, const QString& href);

}  // namespace kestrane::test
