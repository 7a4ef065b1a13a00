#include "WebTexte.h"

#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace kestrane {
namespace {

class Page_Documents : public QWebEnginePage {
  public:
    // `avant` hears the main frame's accepted navigations, `refusee` its refused ones.
    Page_Documents(QWebEngineProfile* profil, std::function<bool(const QUrl&)> permise,
                   std::function<void(const QUrl&)> avant, std::function<void(const QUrl&, bool)> refusee)
        : QWebEnginePage(profil, profil),
          permise_(std::move(permise)),
          avant_(std::move(avant)),
          refusee_(std::move(refusee)) {}

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool principal) override {
        if (!permise_(url)) {
            if (principal)
                refusee_(url, type == NavigationTypeLinkClicked);
            return false;
        }
        if (principal)
            avant_(url);
        return true;
    }

  private:
    std::function<bool(const QUrl&)> permise_;
    std::function<void(const QUrl&)> avant_;
    std::function<void(const QUrl&, bool)> refusee_;
};

// Every request of the profile's pages (pictures, style sheets, frames, sockets) outside the
// perimeter is blocked before it leaves.
class Garde_Requetes : public QWebEngineUrlRequestInterceptor {
  public:
    Garde_Requetes(std::function<bool(const QUrl&)> permise, QObject* parent)
        : QWebEngineUrlRequestInterceptor(parent), permise_(std::move(permise)) {}

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (!permise_(info.requestUrl()))
            info.block(true);
    }

  private:
    std::function<bool(const QUrl&)> permise_;
};

// Pages show; they neither run scripts nor reach other files or networks by themselves.
void Rend_Inerte(QWebEngineSettings& s) {
    using S = QWebEngineSettings;
    for (const S::WebAttribute a :
         {S::JavascriptEnabled, S::JavascriptCanOpenWindows, S::JavascriptCanAccessClipboard,
          S::JavascriptCanPaste, S::LocalStorageEnabled, S::PluginsEnabled, S::HyperlinkAuditingEnabled,
          S::DnsPrefetchEnabled, S::WebGLEnabled, S::ScreenCaptureEnabled, S::AllowRunningInsecureContent,
          S::AllowGeolocationOnInsecureOrigins, S::AllowWindowActivationFromJavaScript,
          S::NavigateOnDropEnabled})
        s.setAttribute(a, false);
    s.setAttribute(S::WebRTCPublicInterfacesOnly, true);
    // Local pages keep their access to file and remote URLs, or their links to one another and out
    // would fail before they are asked: what they reach is the request guard's to judge.
    s.setAttribute(S::LocalContentCanAccessFileUrls, true);
    s.setAttribute(S::LocalContentCanAccessRemoteUrls, true);
    s.setUnknownUrlSchemePolicy(S::DisallowUnknownUrlSchemes);
}

}  // namespace

WebTexte::WebTexte(QWidget* parent) : QWebEngineView(parent) {
    setObjectName(QStringLiteral("WebTexte"));
    // An unnamed profile keeps nothing on disk; the page is its child so that it goes first.
    auto* profil = new QWebEngineProfile(this);
    const auto page_permise = [this](const QUrl& url) {
        // The program's own hint, written with setHtml, arrives once as a data: page.
        if (indication_attendue_ && url.scheme() == QLatin1String("data")) {
            indication_attendue_ = false;
            return true;
        }
        return perimetre_ && perimetre_().Page_Permise(url);
    };
    profil->setUrlRequestInterceptor(new Garde_Requetes(
        [this](const QUrl& url) { return perimetre_ && perimetre_().Lecture_Permise(url); }, profil));
    Rend_Inerte(*profil->settings());
    auto* page = new Page_Documents(
        profil, page_permise,
        [this](const QUrl& cible) {
            refusee_ = false;
            emit BeforeNavigate2(cible);
        },
        [this](const QUrl& adresse, bool lien) {
            // The engine still reports the refused load's start and failed end: both are passed over.
            refusee_ = true;
            const QString schema = adresse.scheme();
            if (lien && (schema == QLatin1String("http") || schema == QLatin1String("https") ||
                         schema == QLatin1String("mailto"))) {
                // Asked once the refused navigation is over, not from inside the engine's call.
                QMetaObject::invokeMethod(
                    this, [this, adresse] { emit Lien_Externe(adresse); }, Qt::QueuedConnection);
            }
        });
    Rend_Inerte(*page->settings());
    setPage(page);
    connect(this, &QWebEngineView::loadStarted, this, [this] {
        if (!refusee_)
            en_chargement_ = true;
    });
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
    indication_attendue_ = true;
    setHtml(QStringLiteral("<html><body style=\"font-family: sans-serif; color: #555; margin: 2em\"><p>") +
            texte.toHtmlEscaped() + QStringLiteral("</p></body></html>"));
}

void WebTexte::Definit_Perimetre(std::function<Perimetre_Documents()> perimetre) {
    perimetre_ = std::move(perimetre);
}

void WebTexte::Navigate2(const QUrl& adresse, bool sans_historique) {
    if (!perimetre_ || !perimetre_().Page_Permise(adresse))
        return;
    indication_ = false;
    sans_historique_ = sans_historique ? adresse : QUrl();
    refusee_ = false;
    en_chargement_ = true;
    setUrl(adresse);
}

QString WebTexte::LocationURL() const {
    return url().toString();
}

void WebTexte::Fin_Chargement(bool reussi) {
    if (refusee_) {  // the page shown stays, as if nothing had been asked
        refusee_ = false;
        return;
    }
    en_chargement_ = false;
    if (!sans_historique_.isEmpty() && url() == sans_historique_) {
        history()->clear();
        sans_historique_.clear();
    }
    emit DocumentComplete(reussi);
}

}  // namespace kestrane
