#include "Chemins_Documents.h"

namespace kestrane {

QString Nom_Propre(const QString& texte) {
    QString resultat = texte.toLower();
    bool debut_mot = true;
    for (QChar& c : resultat) {
        if (c.isSpace() || c == QChar(0)) {
            debut_mot = true;
        } else {
            if (debut_mot)
                c = c.toUpper();
            debut_mot = false;
        }
    }
    return resultat;
}

QString Initiale_Majuscule(const QString& texte) {
    if (texte.isEmpty())
        return texte;
    return texte.left(1).toUpper() + texte.mid(1).toLower();
}

QString Suffixe_De_Location(const QString& location, const QString& defaut) {
    if (location.size() >= 8 && location.endsWith(QStringLiteral(".html")))
        return location.mid(location.size() - 8, 3);
    return defaut;
}

QString Chemin_Page_Espece(const QString& adresse, const QString& code, const QString& suffixe) {
    const QString c5 = code.left(5).toLower();
    return adresse + c5.left(1) + QLatin1Char('/') + c5 + QLatin1Char('/') + c5 + suffixe +
           QStringLiteral(".html");
}

QString Chemin_Dessin(const QString& adresse, const QString& code) {
    const QString c = code.toLower();
    return adresse + c.left(1) + QLatin1Char('/') + c + QLatin1Char('/') + c + QStringLiteral(".gif");
}

QString Chemin_Page_Erreur(const QString& rep_data, const QString& suffixe) {
    return rep_data + QStringLiteral("error") + suffixe + QStringLiteral(".html");
}

bool Est_Page_Dessin(const QString& location, const QString& code) {
    return location.right(20).left(12).toLower() == QStringLiteral("dessin_") + code.toLower();
}

bool Est_Page_Espece(const QString& location, const QString& code, const QString& suffixe) {
    const QString nom = location.mid(location.lastIndexOf(QLatin1Char('/')) + 1);
    return nom.compare(code + suffixe + QStringLiteral(".html"), Qt::CaseInsensitive) == 0;
}

}  // namespace kestrane
