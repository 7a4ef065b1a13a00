#pragma once
// The document view: an HTML view on its own profile (kept in memory only), with the operations
// the documents use and the two events they follow. Local pages are reached as file URLs, web
// pages over HTTP or HTTPS through the view's own network stack.
//
// Pages are inert: none of their scripts runs (only the program's own, in their own world), and
// they reach nothing outside the perimeter the holder gives (Definit_Perimetre, asked at every
// navigation and request, so that a change of the settings applies at once): no other file, no
// other site, by no channel. A link the user follows out of it does not navigate: Lien_Externe
// offers its address (web and mail addresses only) for the desktop's browser.
//
// A navigation "without history" stands for opening a species: once its page has loaded, that
// page is the first of the history (there is nothing to go back to from it).

#include <QUrl>
#include <QWebEngineView>

#include <functional>

#include "Perimetre_Documents.h"

namespace kestrane {

class WebTexte : public QWebEngineView {
    Q_OBJECT
  public:
    explicit WebTexte(QWidget* parent = nullptr);
    ~WebTexte() override;

    // Until it is given, the view shows and reads nothing.
    void Definit_Perimetre(std::function<Perimetre_Documents()> perimetre);

    void Navigate2(const QUrl& adresse, bool sans_historique);
    // The location of the page shown, or being loaded ("" before the first).
    QString LocationURL() const;
    // True when nothing is loading (the ready state "complete").
    bool Termine() const { return !en_chargement_; }
    // Shows `texte` (plain text) as a hint of what to do instead of a blank pane or of a page that
    // no longer fits. The hint is no page: Back stays off until a page is opened.
    void Montre_Indication(const QString& texte);
    // No page shown yet (blank or the hint).
    bool Sans_Page() const { return indication_ || url().isEmpty(); }

  signals:
    // Before each navigation of the main frame (links, Navigate2, back and forward) that the
    // perimeter allows.
    void BeforeNavigate2(const QUrl& cible);
    // The main frame finished loading, successfully or not.
    void DocumentComplete(bool reussi);
    // The user followed a link out of the perimeter to a web or mail address (sent once the
    // navigation has been refused).
    void Lien_Externe(const QUrl& adresse);

  private:
    void Fin_Chargement(bool reussi);

    bool en_chargement_ = false;
    bool indication_ = false;
    bool indication_attendue_ = false;  // the hint's data: page is on its way
    QUrl sans_historique_;  // the page to start the history with once it has loaded
    bool refusee_ = false;  // the main frame's last navigation was refused
    std::function<Perimetre_Documents()> perimetre_;
};

}  // namespace kestrane
