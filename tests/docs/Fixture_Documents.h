#pragma once
// The small test base with its generated documents, changed for the documents' tests, and the
// documents of the program opened on it with a recording host and scripted dialogs.
//
// The changes to the copy (Flore in key order):
//   FREXC  Fraxinus excelsior      OLEACEAE          legend also in French; French name "Sycamore"
//   AEHIP  Aesculus hippocastanum  sapindaceae s.l.
//   ACPSE  acer pseudoplatanus     sapindaceae s.l.  (lower-case name; no pages: the error page)
//   PISYL  Pinus sylvestris        Pinaceae          no legend; pages under P/PISYL/ with the
//                                                    species page PISYL_EN.HTML; no drawing
// The common names' ranks are reversed, so the stored queries give them in reverse order.

#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "Base_Connaissance.h"
#include "Base_Test.h"
#include "Dialogues_Scriptes.h"
#include "Documents.h"
#include "Hote_Factice.h"
#include "Reglages.h"

// Readable QString values in the failures of the tests.
inline void PrintTo(const QString& texte, std::ostream* flux) {
    *flux << '"' << texte.toStdString() << '"';
}

namespace kestrane::test {

// The changed copy, then `sql_supplementaire` run on it, loaded (the test fails when it does not load).
struct Flore_Documents {
    explicit Flore_Documents(const std::string& sql_supplementaire = {});
    Copie_Base copie{"petite"};
    std::unique_ptr<Base_Connaissance> connaissance;
};

// Replaces `avant` by `apres` in a file of the copy's documents (the test fails when it is absent).
void Remplace_Dans_Page(const Copie_Base& copie, const std::string& page, const QString& avant,
                        const QString& apres);

class Bac_Documents {
  public:
    // `web`: the documents are read through their address ("http" distribution) instead of from
    // the disk ("hd"); `avant_ouverture` may change the copy before the documents open it.
    explicit Bac_Documents(bool web = false, const std::function<void(const Copie_Base&)>& avant_ouverture = {});

    // The address of the copy's documents/, ending with "/".
    QString Dossier_Documents() const;

    Flore_Documents flore;
    Reglages reglages;
    Hote_Factice hote;
    Dialogues_Scriptes dialogues;
    std::unique_ptr<Documents> documents;
};

// Runs the event loop until the condition holds (or fails after a generous limit).
bool Attend(const std::function<bool()>& condition);

// Waits until the view has completed a page whose location ends with `fin`.
testing::AssertionResult Attend_Page(Documents& documents, const QString& fin);

// Clicks with the mouse the middle of the first element of the shown page that matches the CSS
// selector, scrolled into view first (fails when there is none).
void Clique_Element(Documents& documents, const QString& selecteur);

}  // namespace kestrane::test
