#include "Documents.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QListWidget>
#include <QPrinter>
#include <QWebEnginePage>

#include "Base_Connaissance.h"
#include "Chemins_Documents.h"
#include "Database.h"
#include "Chemins_Fichiers.h"
#include "Conversions.h"
#include "Dialogues.h"
#include "Hote_Documents.h"
#include "Reglages.h"
#include "Table_Chaines.h"
#include "Textes_Ajoutes.h"
#include "WebTexte.h"
#include "cImgs.h"
#include "frmLegende.h"
#include "frmZoom.h"

namespace kestrane {
namespace {

const QString Bouton_Stop = QStringLiteral("Stop");

QString Fichier_Sur_Disque(const QString& chemin) {
    return QString::fromStdString(Trouve_Fichier(chemin.toStdString()));
}

// Gives the list the keyboard focus the first time the mouse passes over it. Owned by the holder
// of the flag, so that it never outlives it; the list drops a deleted filter by itself.
class Focus_Liste : public QObject {
  public:
    Focus_Liste(QAbstractItemView& liste, bool& Liste_Focus, QObject* proprietaire)
        : QObject(proprietaire), liste_(liste), Liste_Focus_(Liste_Focus) {
        liste.setMouseTracking(true);
        liste.viewport()->setMouseTracking(true);
        liste.installEventFilter(this);
        liste.viewport()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            Liste_Focus_ = true;
        } else if (event->type() == QEvent::MouseMove && !Liste_Focus_) {
            liste_.setFocus(Qt::MouseFocusReason);
            Liste_Focus_ = true;
        }
        return false;
    }

  private:
    QAbstractItemView& liste_;
    bool& Liste_Focus_;
};

}  // namespace

Documents::Documents(Hote_Documents& hote, const Reglages& reglages, const Base_Connaissance& base,
                     Dialogues& dialogues, QWidget* fenetre)
    : hote_(hote),
      reglages_(reglages),
      base_(base),
      dialogues_(dialogues),
      arbre_(new Tree_esp(fenetre)),
      vue_(new WebTexte(fenetre)),
      zoom_(new frmZoom(etat_.Image_Dessin, fenetre)),
      legende_(new frmLegende(fenetre)),
      images_(new cImgs(this)) {
    if (base_.Base_Donnees) {
        auto table = base_.Base_Donnees->Open_Table("Flore");
        if (table.ok()) {
            Rs_Flore = std::move(table.value());
            (void)Rs_Flore->Set_Index("PrimaryKey");
        }
    }
    vue_->page()->setWebChannel(&images_->Canal(), cImgs::Monde());
    vue_->Definit_Perimetre([this] { return Perimetre(); });
    connect(vue_, &WebTexte::Lien_Externe, this, &Documents::Ouvre_Lien_Externe);

    connect(arbre_, &Tree_esp::Espece_Choisie, this, &Documents::Tree_esp_NodeClick);
    connect(vue_, &WebTexte::BeforeNavigate2, this, [this] { WebTexte_BeforeNavigate2(); });
    connect(vue_, &WebTexte::DocumentComplete, this, [this] { WebTexte_DocumentComplete(); });
    connect(images_, &cImgs::MouseDown, this,
            [this](const QString&, int x, int y, int dx, int dy) { m_clsImgs_MouseDown(x, y, dx, dy); });
    connect(images_, &cImgs::MouseMove, this,
            [this](const QString&, int x, int y, int dx, int dy) { m_clsImgs_MouseMove(x, y, dx, dy); });
    connect(vue_, &QWebEngineView::printFinished, this, [this](bool reussie) {
        imprimante_.reset();
        emit Impression_Terminee(reussie);
    });

    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, &Documents::Timer1_Timer);
    Timer1.start();
}

Documents::~Documents() {
    // The zoom paints from etat_ and the view's page uses the channel of images_: neither may
    // outlive this object, whoever their Qt parent is.
    delete zoom_.data();
    delete legende_.data();
    delete vue_.data();
    delete arbre_.data();
}

Tree_esp& Documents::Arbre() {
    return *arbre_;
}
WebTexte& Documents::Vue() {
    return *vue_;
}
frmZoom& Documents::Zoom() {
    return *zoom_;
}
frmLegende& Documents::Legende() {
    return *legende_;
}
cImgs& Documents::Images() {
    return *images_;
}

bool Documents::Documents_Locaux() const {
    return reglages_.Distribution == "hd";
}

QString Documents::Adresse_Documents() const {
    return QString::fromStdString(reglages_.Adresse_Documents);
}

Perimetre_Documents Documents::Perimetre() const {
    Perimetre_Documents p;
    if (Documents_Locaux())
        p.Ajoute_Dossier(Fichier_Sur_Disque(Adresse_Documents()));
    else
        p.Ajoute_Site(QUrl(Adresse_Documents()));
    p.Ajoute_Pages_Erreur(Fichier_Sur_Disque(QString::fromStdString(reglages_.Rep_Data)));
    if (!reglages_.Rep_Executables.empty())
        p.Ajoute_Dossier(Fichier_Sur_Disque(QString::fromStdString(reglages_.Rep_Executables) + "help/"));
    for (const QString& dossier : dossiers_programme_)
        p.Ajoute_Dossier(dossier);
    return p;
}

void Documents::Ouvre_Lien_Externe(const QUrl& adresse) {
    const int langue = hote_.Langue();
    const QString question = QString::fromUtf8(Chaine_Ajoutee(Texte_Ajoute::Lien_Externe, langue))
                                 .arg(adresse.toDisplayString());
    if (dialogues_.Message(vue_, question, Boutons::Oui_Non, Icone::Question,
                           QCoreApplication::applicationName()) == Reponse::Oui)
        QDesktopServices::openUrl(adresse);
}

void Documents::Remplit_Arbre() {
    arbre_->Remplit_Arbre(base_, hote_.Langue());
}

void Documents::Prend_Suffixe_De_La_Vue() {
    // Before any page, the documents start in the interface language when the base has pages in
    // it; from then on they follow the page last shown.
    const std::string interface(Suffixe_Interface(hote_.Langue()));
    const QString depart =
        base_.Textes.Offre(interface) ? QStringLiteral("_") + QString::fromStdString(interface) : QStringLiteral("_en");
    hote_.Change_Suffixe_Langue(Suffixe_De_Location(vue_->LocationURL(), depart));
}

QString Documents::Suffixe_Documents() {
    Prend_Suffixe_De_La_Vue();
    return hote_.Suffixe_Langue();
}

void Documents::Affiche_Fichier(const QString& chemin) {
    Cache_Fenetres();
    Libere_Dessin();
    etat_.Texte_Legende.clear();
    etat_.Nb_Avant = 0;
    vue_->stop();
    // The program's own page: its folder joins what the view may show.
    const QString dossier = QFileInfo(chemin).absolutePath();
    if (!dossiers_programme_.contains(dossier))
        dossiers_programme_ << dossier;
    vue_->Navigate2(QUrl::fromLocalFile(chemin), false);
}

QString Documents::Dossier_Local() const {
    return Documents_Locaux() ? Fichier_Sur_Disque(Adresse_Documents()) : QString();
}

const Vignettes_Especes& Documents::Vignettes() {
    const QString dossier = Dossier_Local();
    if (!vignettes_.Chargees(dossier))
        vignettes_.Charge(base_, dossier);
    return vignettes_;
}

QString Documents::Page_Aide_Question(const std::string& objet) const {
    QStringList suffixes{QString::fromUtf8(Suffixe_Interface(hote_.Langue()))};
    for (const auto& langue : base_.Textes.Langues()) {
        if (langue.Origine)
            suffixes.insert(1, QString::fromStdString(langue.Suffixe));
        else
            suffixes.append(QString::fromStdString(langue.Suffixe));
    }
    return Chemin_Aide_Question(Dossier_Local(), objet, suffixes);
}

void Documents::Affiche_Page_Base(const QString& chemin) {
    Cache_Fenetres();
    Libere_Dessin();
    etat_.Texte_Legende.clear();
    vue_->Navigate2(QUrl::fromLocalFile(chemin), false);
}

void Documents::Cherche_Espece(const QString& nom) {
    if (!Rs_Flore)
        return;
    (void)Rs_Flore->Set_Index("PrimaryKey");
    Rs_Flore->Seek_Equal(Value(nom.toStdString()));
}

void Documents::Cache_Fenetres() {
    zoom_->hide();
    legende_->hide();
}

void Documents::Libere_Dessin() {
    etat_.Image_Dessin = QImage();
    zoom_->Dessine_Zoom();
}

void Documents::Tree_esp_NodeClick(const Choix_Espece& choix) {
    hote_.Active_Bouton(Bouton_Stop);
    Prend_Suffixe_De_La_Vue();
    Cache_Fenetres();
    Libere_Dessin();
    etat_.Texte_Legende.clear();
    Cherche_Espece(choix.Espece);
    etat_.Famille_Courante = choix.Famille;
    etat_.Espece_Courante = choix.Espece;
    etat_.Code_Esp_Courant = choix.Code;
    etat_.Nb_Avant = 0;
    Ouvre_Page_Espece();
}

void Documents::Liste_Esp_Click(QAbstractItemView& liste, int pourcent_meilleur) {
    Prend_Suffixe_De_La_Vue();
    const int lignes = liste.model() ? liste.model()->rowCount() : 0;
    int i = liste.currentIndex().isValid() ? liste.currentIndex().row() : -1;
    if (i == -1)
        i = 0;
    bool masque_contra = true;
    zoom_->hide();
    Libere_Dessin();
    etat_.Texte_Legende.clear();
    legende_->hide();

    // "<sign><percent>% - <name>": the name follows the first "%" after three more characters.
    const QString ligne = i < lignes ? liste.model()->index(i, 0).data().toString() : QString();
    const qsizetype p = ligne.indexOf(QLatin1Char('%')) + 1;  // counting from 1; 0 when absent
    const qsizetype longueur_nom = ligne.size() - p - 3;
    const QString nom = longueur_nom > 0 ? ligne.right(longueur_nom) : QString();
    if (Rs_Flore) {
        Cherche_Espece(nom);
        // A line that names no species leaves the current species as it was.
        if (!Rs_Flore->No_Match() && !Rs_Flore->Eof()) {
            etat_.Code_Esp_Courant = QString::fromStdString(Rs_Flore->Get("code").Text());
            etat_.Famille_Courante =
                Initiale_Majuscule(QString::fromStdString(Rs_Flore->Get("Famille").Text()));
            etat_.Espece_Courante = QString::fromStdString(Rs_Flore->Get("Espece").Text());
        }
    }
    const int64_t pourcentage = p >= 1 ? Leading_Number(ligne.left(p - 1).toStdString()) : 0;
    if (pourcentage != 100 && pourcent_meilleur > 0)
        masque_contra = false;

    hote_.Active_Bouton(Bouton_Stop);
    hote_.Montre_Contra(!masque_contra);
    etat_.Nb_Avant = 0;
    Ouvre_Page_Espece();
    if (liste.isVisible() && i < lignes)
        liste.setCurrentIndex(liste.model()->index(i, 0));
}

void Documents::Suit_Focus_Liste(QAbstractItemView& liste) {
    new Focus_Liste(liste, Liste_Focus, this);
}

void Documents::Ouvre_Page_Espece() {
    const QString suffixe = hote_.Suffixe_Langue();
    const QString page = Chemin_Page_Espece(Adresse_Documents(), etat_.Code_Esp_Courant, suffixe);
    if (!Documents_Locaux()) {
        vue_->stop();
        vue_->Navigate2(QUrl(page), true);
        return;
    }
    const QString fichier = Fichier_Sur_Disque(page);
    QFile lecture(fichier);
    if (!lecture.open(QIODevice::ReadOnly) && !QFileInfo(fichier).isFile()) {
        const QString erreur = Chemin_Page_Erreur(QString::fromStdString(reglages_.Rep_Data), suffixe);
        vue_->Navigate2(QUrl::fromLocalFile(Fichier_Sur_Disque(erreur)), true);
        return;
    }
    lecture.close();
    vue_->stop();
    vue_->Navigate2(QUrl::fromLocalFile(fichier), true);
}

void Documents::WebTexte_BeforeNavigate2() {
    if (!Documents_Locaux())
        hote_.Active_Bouton(Bouton_Stop);
}

void Documents::WebTexte_DocumentComplete() {
    images_->Desactive();
    const bool dessin = Est_Page_Dessin(vue_->LocationURL(), etat_.Code_Esp_Courant);
    const bool locaux = Documents_Locaux();
    if (dessin && locaux) {
        images_->ImgParse(*vue_->page());
        etat_.Dessin_X0 = 12;
        etat_.Dessin_Y0 = 72;
        if (!legende_->isVisible()) {
            const Value legende = Rs_Flore ? Rs_Flore->Get("Legende") : Value();
            if (!legende.Is_Null()) {
                const Espece_Flore espece{Rs_Flore->Get("Espece").Text(), {}, {}, legende.Text()};
                etat_.Texte_Legende =
                    QString::fromStdString(base_.Textes.Legende(espece, Suffixe_Interface(hote_.Langue())));
                Montre_Legende(true);
            } else {
                etat_.Texte_Legende.clear();
            }
        }
        QImage image;
        if (!image.load(Fichier_Sur_Disque(Chemin_Dessin(Adresse_Documents(), etat_.Code_Esp_Courant))))
            image = QImage();
        etat_.Image_Dessin = image;
        zoom_->Dessine_Zoom();
    } else {
        Cache_Fenetres();
    }
    hote_.Pointeur_Normal();
    if (!locaux)
        hote_.Desactive_Bouton(Bouton_Stop);
}

void Documents::Montre_Legende(bool pres_de_la_barre) {
    const QString titre = QString::fromStdString(Chaine_Ou_Anglais(1400, hote_.Langue()));
    if (pres_de_la_barre) {
        const QRect barre = hote_.Geometrie_Barre_Verticale();
        legende_->Affiche(titre, etat_.Texte_Legende, hote_.Zone_Ecran(), &barre);
    } else {
        legende_->Affiche(titre, etat_.Texte_Legende, hote_.Zone_Ecran());
    }
}

void Documents::m_clsImgs_MouseDown(int x, int y, int dx, int dy) {
    etat_.Souris_X = static_cast<long>(x) + dx;
    etat_.Souris_Y = static_cast<long>(y) + dy;
    if (!etat_.Texte_Legende.isEmpty() && !legende_->isVisible())
        Montre_Legende(true);
    if (etat_.Dessin_X0 <= etat_.Souris_X && etat_.Dessin_Y0 <= etat_.Souris_Y && Documents_Locaux() &&
        !etat_.Image_Dessin.isNull()) {
        if (!zoom_->isVisible()) {
            // First beside the drawing the page shows (a quarter of 2200 pixels wide, from
            // Dessin_X0), below the view's top, so that neither hides the other.
            const QPoint vue = vue_->mapToGlobal(QPoint(0, 0));
            const QPoint coin(vue.x() + etat_.Dessin_X0 + 2200 / 4 + etat_.Dessin_X0,
                              vue.y() + etat_.Dessin_Y0);
            zoom_->Ouvre(etat_.Espece_Courante, etat_.Famille_Courante, coin, hote_.Zone_Ecran());
        }
    }
    zoom_->Region_Depuis_Pointeur(etat_.Souris_X, etat_.Souris_Y, etat_.Dessin_X0, etat_.Dessin_Y0);
}

void Documents::m_clsImgs_MouseMove(int x, int y, int dx, int dy) {
    etat_.Souris_X = static_cast<long>(x) + dx;
    etat_.Souris_Y = static_cast<long>(y) + dy;
    zoom_->Region_Depuis_Pointeur(etat_.Souris_X, etat_.Souris_Y, etat_.Dessin_X0, etat_.Dessin_Y0);
}

void Documents::Timer1_Timer() {
    if (!vue_ || !vue_->isVisible() || !vue_->Termine())
        return;
    // Back leads nowhere from the species' own page, which starts the history, nor before the
    // first page; every other page (its drawing page included) can go back.
    if (vue_->Sans_Page() || Est_Page_Espece(vue_->LocationURL(), etat_.Code_Esp_Courant, hote_.Suffixe_Langue()))
        hote_.Desactive_Bouton(QStringLiteral("Arriere"));
    else
        hote_.Active_Bouton(QStringLiteral("Arriere"));
    if (etat_.Nb_Avant < 1)
        hote_.Desactive_Bouton(QStringLiteral("Avant"));
    else
        hote_.Active_Bouton(QStringLiteral("Avant"));
}

void Documents::Arriere() {
    Cache_Fenetres();
    vue_->back();
    ++etat_.Nb_Avant;
}

void Documents::Avant() {
    if (etat_.Nb_Avant < 1)
        return;
    vue_->forward();
    --etat_.Nb_Avant;
}

void Documents::Stop() {
    vue_->stop();
}

void Documents::Imprime_Document() {
    if (imprimante_)
        return;  // a print is still being made
    imprimante_ = std::make_unique<QPrinter>();
    if (!dialogues_.Imprimante(vue_, *imprimante_)) {
        imprimante_.reset();
        return;
    }
    vue_->print(imprimante_.get());
}

}  // namespace kestrane
