#include "WebTexte.h"

#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <functional>

namespace kestrane {
namespace {

class Page_Documents : public QWebEnginePage {
  public:
    Page_Documents(QWebEngineProfile* profil, std::function<void(const QUrl&)> avant)
        : QWebEnginePage(profil, profil), avant_(std::move(avant)) {}

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool principal) override {
        if (principal)
            avant_(url);
        return true;
    }

  private:
    std::function<void(const QUrl&)> avant_;
};

}  // namespace

WebTexte::WebTexte(QWidget* parent) : QWebEngineView(parent) {
    setObjectName(QStringLiteral("WebTexte"));
    // An unnamed profile keeps nothing on disk; the page is its child so that it goes first.
    auto* profil = new QWebEngineProfile(this);
    auto* page = new Page_Documents(profil, [this](const QUrl& cible) { emit BeforeNavigate2(cible); });
    setPage(page);
    connect(this, &QWebEngineView::loadStarted, this, [this] { en_chargement_ = true; });
    connect(this, &QWebEngineView::loadFinished, this, &WebTexte::Fin_Chargement);
}

WebTexte::~WebTexte() {
    // The page must not outlive the view's binding to it, nor the profile the page.
    QWebEnginePage* p = page();
    setPage(nullptr);
    delete p;
}

void WebTexte::Montre_Indication(const QString& texte) {
    indication_ = true;
    setHtml(QStringLiteral("<html><body style=\"font-family: sans-serif; color: #555; margin: 2em\"><p>") +
            texte.toHtmlEscaped() + QStringLiteral("</p></body></html>"));
}

void WebTexte::Navigate2(const QUrl& adresse, bool sans_historique) {
    indication_ = false;
    sans_historique_ = sans_historique ? adresse : QUrl();
    en_chargement_ = true;
    setUrl(adresse);
}

QString WebTexte::LocationURL() const {
    return url().toString();
}

void WebTexte::Fin_Chargement(bool reussi) {
    en_chargement_ = false;
    if (!sans_historique_.isEmpty() && url() == sans_historique_) {
        history()->clear();
        sans_historique_.clear();
    }
    emit DocumentComplete(reussi);
}

}  // namespace kestrane
