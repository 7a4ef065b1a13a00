#include "Perimetre_Documents.h"

#include <QDir>
#include <QFileInfo>

namespace kestrane {
namespace {

// The real path of a file or folder: links resolved; for a file that does not exist, its real
// folder and its name (nothing can be read from it, but it must not pass for another place).
QString Chemin_Reel(const QString& chemin) {
    const QFileInfo info(chemin);
    if (const QString reel = info.canonicalFilePath(); !reel.isEmpty())
        return reel;
    const QString dossier = QFileInfo(info.absolutePath()).canonicalFilePath();
    return dossier.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                             : dossier + QLatin1Char('/') + info.fileName();
}

bool Dans(const QString& chemin, const QString& dossier) {
    return chemin.startsWith(dossier + QLatin1Char('/')) ||
           (dossier == QLatin1String("/") && chemin.startsWith(dossier));
}

bool Meme_Origine(const QUrl& a, const QUrl& b) {
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && a.port(-1) == b.port(-1);
}

}  // namespace

void Perimetre_Documents::Ajoute_Dossier(const QString& dossier) {
    if (!dossier.isEmpty())
        dossiers_ << Chemin_Reel(dossier);
}

void Perimetre_Documents::Ajoute_Pages_Erreur(const QString& dossier) {
    if (!dossier.isEmpty())
        dossiers_erreur_ << Chemin_Reel(dossier);
}

void Perimetre_Documents::Ajoute_Site(const QUrl& adresse) {
    if (adresse.isLocalFile()) {
        Ajoute_Dossier(adresse.toLocalFile());
    } else if (adresse.scheme() == QLatin1String("http") || adresse.scheme() == QLatin1String("https")) {
        if (!adresse.host().isEmpty())
            sites_ << adresse;
    }
}

bool Perimetre_Documents::Fichier_Permis(const QUrl& url) const {
    if (!url.isLocalFile() || !url.host().isEmpty())
        return false;
    const QString chemin = Chemin_Reel(url.toLocalFile());
    for (const QString& dossier : dossiers_) {
        if (Dans(chemin, dossier))
            return true;
    }
    const QFileInfo info(chemin);
    if (!info.fileName().startsWith(QLatin1String("error"), Qt::CaseInsensitive) ||
        !info.fileName().endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        return false;
    return dossiers_erreur_.contains(info.path());
}

bool Perimetre_Documents::Page_Permise(const QUrl& url) const {
    if (url.isLocalFile())
        return Fichier_Permis(url);
    for (const QUrl& site : sites_) {
        if (Meme_Origine(url, site))
            return true;
    }
    return false;
}

bool Perimetre_Documents::Lecture_Permise(const QUrl& url) const {
    return url.scheme() == QLatin1String("data") || Page_Permise(url);
}

}  // namespace kestrane
