#pragma once
// What an imported base's documents on disk hold beside the species pages: the species'
// thumbnails (<c1>/<c5>/<c5>_vignette.png, c5 the code's first five characters in lower case)
// and the questions' help pages (aide/<object in lower case>_<language>.html), both written by
// the builder. Documents on a web site are not looked into: they give neither.

#include <QHash>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <string>

namespace kestrane {

struct Base_Connaissance;

QString Chemin_Vignette(const QString& dossier, const QString& code);

// The help page of a question in the first of the languages (suffixes "fr", "en"...) that has
// one; "" when none does or the object's name cannot be a file's.
QString Chemin_Aide_Question(const QString& dossier, const std::string& objet, const QStringList& suffixes);

// The thumbnails of a base's species, by scientific name; each picture read when first shown.
class Vignettes_Especes {
  public:
    // Looks in `dossier` (empty: none) for the thumbnail of each species.
    void Charge(const Base_Connaissance& base, const QString& dossier);
    bool Chargees(const QString& dossier) const { return charge_ && dossier == dossier_; }
    bool Vide() const { return fichiers_.isEmpty(); }
    // A null icon for a species without one.
    QIcon Icone(const QString& espece) const;

  private:
    bool charge_ = false;
    QString dossier_;
    QHash<QString, QString> fichiers_;  // by scientific name
    mutable QHash<QString, QIcon> icones_;
};

}  // namespace kestrane
