#pragma once
// Where the documents of a species are and how a location is recognised, as texts. Addresses and
// folders are used as stored: they end with their separator ("/"), none is added.

#include <QString>

namespace kestrane {

// First letter of each blank-separated word upper case, the rest lower case ("ACER CAMPESTRE"
// gives "Acer Campestre").
QString Nom_Propre(const QString& texte);

// First character upper case, every other lower case ("MELIACEAE" gives "Meliaceae").
QString Initiale_Majuscule(const QString& texte);

// The language suffix of a location: the three characters before a final ".html" (case
// matters), else `defaut` (no page shown yet).
QString Suffixe_De_Location(const QString& location, const QString& defaut = QStringLiteral("_en"));

// adresse + c1 + "/" + c5 + "/" + c5 + suffixe + ".html", where c5 is the code's first five
// characters lower-cased and c1 its first character lower-cased.
QString Chemin_Page_Espece(const QString& adresse, const QString& code, const QString& suffixe);

// adresse + c1 + "/" + c + "/" + c + ".gif" with c the whole code lower-cased.
QString Chemin_Dessin(const QString& adresse, const QString& code);

// rep_data + "error" + suffixe + ".html".
QString Chemin_Page_Erreur(const QString& rep_data, const QString& suffixe);

// True when the first 12 of the last 20 characters of the location, lower-cased, are "dessin_"
// followed by the lower-cased code: the drawing page "dessin_" + code + suffix + ".html".
bool Est_Page_Dessin(const QString& location, const QString& code);

// True when the location's last path component is the species page itself, code + suffix +
// ".html" (without regard to case); its drawing page, whose name ends alike, is not.
bool Est_Page_Espece(const QString& location, const QString& code, const QString& suffixe);

}  // namespace kestrane
