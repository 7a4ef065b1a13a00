#pragma once
// The page that compares two species in the document view (Comparaison_Especes.h gives its
// sections). It is written in the documents' language, given as a suffix such as "_fr": the
// questions and states through the base's lookup, the headings from the added texts. Each state
// comes with its picture, its cell cut out of the character's chooser picture (Rep_Descripteurs +
// Popup, Lignes x Colonnes cells, cell k for state Index_Car + k, in the chooser's 4:3), embedded
// in the page; a state without a readable picture shows its text alone.
//
// Ecrit puts the page into a folder of its own, under a name that ends with the suffix
// ("compare_ticor_tipla_fr.html"), so that the documents' language keeps following the page last
// shown; the folder and its pages go with this object. `reglages` is read at each use; it and
// the base must outlive this object. User-interface thread only.

#include <QString>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <string>

#include "Base_Connaissance.h"
#include "Comparaison_Especes.h"
#include "Dessin.h"
#include "Status.h"

namespace kestrane {

struct Reglages;

class Page_Comparaison {
  public:
    // Height of a state's picture on the page, in CSS pixels.
    static constexpr int Hauteur_Image = 72;

    Page_Comparaison(const Base_Connaissance& base, const Reglages& reglages);

    QString Html(const Comparaison_Especes& comparaison, const QString& suffixe);
    // Writes the page; its path, or an error naming the file.
    Result<QString> Ecrit(const Comparaison_Especes& comparaison, const QString& suffixe);

  private:
    // The picture of state `etat` of `objet` as a data URI; "" when there is none.
    QString Image_Etat(const Objet_Fic& objet, int etat);
    // A table cell with `etats` (or "not known" when there are none), those in `communs` dimmed.
    QString Cellule_Etats(const Objet_Fic& objet, const std::vector<int>& etats,
                          const std::vector<int>& communs, const std::string& suffixe, int langue);

    const Base_Connaissance& base_;
    const Reglages& reglages_;
    std::map<std::string, std::shared_ptr<const Dessin>> dessins_;  // by path; null: unreadable
    QTemporaryDir dossier_;
};

}  // namespace kestrane
