#include "Medias_Documents.h"

#include <QDir>
#include <QFileInfo>

#include <cctype>

#include "Base_Connaissance.h"

namespace kestrane {

QString Chemin_Vignette(const QString& dossier, const QString& code) {
    const QString c5 = code.left(5).toLower();
    return QDir::cleanPath(dossier + QLatin1Char('/') + c5.left(1) + QLatin1Char('/') + c5 +
                           QLatin1Char('/') + c5 + QStringLiteral("_vignette.png"));
}

QString Chemin_Aide_Question(const QString& dossier, const std::string& objet, const QStringList& suffixes) {
    if (dossier.isEmpty() || objet.empty())
        return {};
    for (const char c : objet)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-'))
            return {};
    const QString nom = QString::fromStdString(objet).toLower();
    for (const QString& suffixe : suffixes) {
        const QString page = QDir::cleanPath(dossier + QStringLiteral("/aide/") + nom + QLatin1Char('_') +
                                             suffixe + QStringLiteral(".html"));
        if (QFileInfo(page).isFile())
            return page;
    }
    return {};
}

void Vignettes_Especes::Charge(const Base_Connaissance& base, const QString& dossier) {
    charge_ = true;
    dossier_ = dossier;
    fichiers_.clear();
    icones_.clear();
    if (dossier.isEmpty())
        return;
    for (const auto& espece : base.Flore) {
        const QString fichier = Chemin_Vignette(dossier, QString::fromStdString(espece.Code));
        if (QFileInfo(fichier).isFile())
            fichiers_.insert(QString::fromStdString(espece.Espece), fichier);
    }
}

QIcon Vignettes_Especes::Icone(const QString& espece) const {
    const auto fichier = fichiers_.constFind(espece);
    if (fichier == fichiers_.cend())
        return {};
    auto icone = icones_.find(espece);
    if (icone == icones_.end())
        icone = icones_.insert(espece, QIcon(*fichier));
    return *icone;
}

}  // namespace kestrane
