#pragma once
// What the document view may show and read. Pages come with the knowledge base, and a base may
// come from anyone: its pages are shown without their scripts and may reach only what the program
// shows by design. That is the documents' folder (with its subfolders), the error pages of the data
// folder (error*.html), the program's guide (its help folder) and the folders of the pages the
// program writes itself and, when the documents are on a web site, that site's origin. Files are
// judged by their real place (links resolved), so a link inside a folder cannot lead out of it.
// Data URLs may be read (they hold their content), never shown as a page.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace kestrane {

class Perimetre_Documents {
  public:
    // A folder whose files, at any depth, may be shown and read. An empty path adds nothing.
    void Ajoute_Dossier(const QString& dossier);
    // A folder whose files named error*.html (in any case), and only those, may be shown and read.
    void Ajoute_Pages_Erreur(const QString& dossier);
    // The web site holding the documents: every address of its origin (scheme, host and port).
    void Ajoute_Site(const QUrl& adresse);

    // A page may be shown in the view.
    bool Page_Permise(const QUrl& url) const;
    // A resource of a page (picture, style sheet, frame) may be read.
    bool Lecture_Permise(const QUrl& url) const;

  private:
    bool Fichier_Permis(const QUrl& url) const;

    QStringList dossiers_;  // real paths, without the trailing "/"
    QStringList dossiers_erreur_;
    QList<QUrl> sites_;
};

}  // namespace kestrane
