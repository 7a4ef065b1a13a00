#pragma once
// A small flora with its documents in a temporary folder, and the documents of the program
// opened on it with a recording host and scripted dialogs.
//
// The flora (Flore in key order):
//   acer campestre   ACECA  sapindaceae s.l.  legend "Field maple"   (no page: the error page)
//   Fagus sylvatica  FAGSY  FAGACEAE          legend "Common beech"  (pages, drawing page, drawing)
//   Melia azedarach  MELAZ  MELIACEAE         legend "Chinaberry"
//   Quercus robur    QUERO  FAGACEAE          no legend (pages stored in capitals, no drawing)
//   Tilia cordata    TILCO  Malvaceae         legend ""
// Common names in English then French; "Lime" is English for TILCO and French for ACECA.

#include <QString>

#include <filesystem>
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

// `sql_supplementaire` runs after the rows.
Description_Base Description_Flore(const std::string& sql_supplementaire = {});

// The loaded knowledge base of a description (the test fails when it does not load).
std::unique_ptr<Base_Connaissance> Charge(const Base_Temporaire& base);

class Bac_Documents {
  public:
    // `adresse_web` empty: local documents ("hd"); else the documents' web address ("http").
    // `sql_supplementaire` runs after the base's rows.
    explicit Bac_Documents(const QString& adresse_web = {}, const std::string& sql_supplementaire = {});
    ~Bac_Documents();

    // The folder holding documents/ (the fixture pages plus the full-size drawing) and data/.
    QString Dossier_Documents() const;

    Base_Temporaire base;
    std::unique_ptr<Base_Connaissance> connaissance;
    std::filesystem::path dossier;
    Reglages reglages;
    Hote_Factice hote;
    Dialogues_Scriptes dialogues;
    std::unique_ptr<Documents> documents;
};

// Runs the event loop until the condition holds (or fails after a generous limit).
bool Attend(const std::function<bool()>& condition);

// Waits until the view has completed a page whose location ends with `fin`.
bool Attend_Page(Documents& documents, const QString& fin);

}  // namespace kestrane::test
