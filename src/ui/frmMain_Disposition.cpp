// The main window's layout: the panes and bars placed for the current view in every size, the
// separator dragged with the mouse, and a change of the desktop's work area.

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStyle>
#include <QTreeView>

#include <cmath>

#include "Barre_Boutons.h"
#include "Barre_Etat.h"
#include "Barre_Principale.h"
#include "Placement_Fenetre.h"
#include "Portrait_Questions.h"
#include "frmMain.h"

namespace kestrane {
namespace {

// What a toolbar of the portrait needs to show all its buttons.
QSize Taille_Barre(QWidget* barre) {
    if (auto* boutons = qobject_cast<Barre_Boutons*>(barre)) return boutons->Taille_Ideale();
    return barre->sizeHint();
}

}  // namespace

void frmMain::Bureau_Change(const QRect& zone_travail) {
    if (!isVisible()) return;
    if (isMinimized()) showNormal();
    Remplit_Zone(*this, zone_travail);  // the frame inside, so that the title bar stays in view
    Positionne_Controles();
    if (Robot->isVisible()) Robot->update();
    if (WebTexte->isVisible()) {
        Small_Robot->update();
        WebTexte->update();
    }
}

int frmMain::En_Twips(int pixels) const {
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpiX()));
}

QRect frmMain::En_Pixels(const Rect_Twips& r) const {
    const double px = logicalDpiX() / 1440.0;
    const double py = logicalDpiY() / 1440.0;
    return QRect(static_cast<int>(std::lround(r.Left * px)), static_cast<int>(std::lround(r.Top * py)),
                 static_cast<int>(std::lround(r.Width * px)), static_cast<int>(std::lround(r.Height * py)));
}

void frmMain::Positionne_Controles() {
    // The bars span the window; their heights come from their contents.
    const int largeur = surface_->width();
    const int hauteur = surface_->height();
    tbToolBar->setGeometry(0, 0, largeur, tbToolBar->sizeHint().height());
    sbStatusBar->setGeometry(0, hauteur - sbStatusBar->height(), largeur, sbStatusBar->height());

    Mesures_Fenetre m;
    m.Largeur_Interieure = En_Twips(largeur);
    m.Hauteur_Interieure = En_Twips(hauteur);
    m.Barre_Outils_Visible = !tbToolBar->isHidden();
    m.Hauteur_Barre_Outils = En_Twips(tbToolBar->height());
    m.Barre_Etat_Visible = !sbStatusBar->isHidden();
    m.Hauteur_Barre_Etat = En_Twips(sbStatusBar->height());
    m.Sans_Portrait = portrait_ && portrait_->Sans_Portrait();
    mesures_ = m;
    m.Largeur_Barre_Deter = En_Twips(Place_Barre(Barre_Deter).width());
    m.Largeur_Barre_Question = En_Twips(Place_Barre(Barre_Question).width());
    m.Hauteur_Barre_Deter = En_Twips(Taille_Barre(Barre_Deter).height());
    m.Hauteur_Barre_Question = En_Twips(Taille_Barre(Barre_Question).height());
    Mesure_Ajouts(m);
    mesures_ = m;
    disposition_ = kestrane::Positionne_Controles(m, mode_affichage_);
    Applique_Disposition();
    Ajuste_Taille_Minimale();
}

QSize frmMain::Place_Barre(QWidget* barre) const {
    const QSize ideale = Taille_Barre(barre);
    const int haut = En_Pixels({0, Haut_Barres(mesures_), 0, 0}).top();
    const int bas = sbStatusBar->isHidden() ? surface_->height() : sbStatusBar->y();
    const int disponible = std::max(bas - haut, 0);
    if (ideale.height() <= disponible)
        return ideale;
    return {ideale.width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this), disponible};
}

void frmMain::Ajuste_Taille_Minimale() {
    const Taille_Twips t = Taille_Minimale(mesures_);
    const QRect interieur = En_Pixels({0, 0, t.Largeur, t.Hauteur});
    const int menus = menuBar()->isHidden() ? 0 : menuBar()->sizeHint().height();
    QSize minimum(interieur.width(), interieur.height() + menus);
    // Never larger than the screen: there the bars scroll.
    const QRect ecran = Zone_Ecran();
    if (!ecran.isEmpty())
        minimum = minimum.boundedTo(ecran.size() - (frameGeometry().size() - size()));
    if (minimum != minimumSize())
        setMinimumSize(minimum);
}

void frmMain::Applique_Disposition() {
    const Disposition& d = disposition_;
    if (d.Panes_Placees) {
        Robot->setGeometry(En_Pixels(d.Robot));
        Pic_Choix->setGeometry(En_Pixels(d.Pic_Choix));
        Small_Robot->setGeometry(En_Pixels(d.Small_Robot));
        Liste_Esp->setGeometry(En_Pixels(d.Liste_Esp));
        Tree_esp->setGeometry(En_Pixels(d.Tree_esp));
        Barre_Verticale->setGeometry(En_Pixels(d.Barre_Verticale));
        WebTexte->setGeometry(En_Pixels(d.WebTexte));
        if (portrait_)
            portrait_->Widget_Questions()->setGeometry(Pic_Choix->geometry());
        // The bars keep the size that shows every button (none falls into an overflow menu); their
        // areas end above the status bar and scroll when shorter.
        for (auto [barre, zone] :
             {std::pair{Barre_Deter, defile_deter_}, std::pair{Barre_Question, defile_question_}}) {
            const QSize place = Place_Barre(barre);
            QWidget* cadre = zone != nullptr ? zone : barre;
            if (zone != nullptr)
                barre->resize(Taille_Barre(barre));
            cadre->setGeometry(surface_->width() - place.width(), En_Pixels(d.Barre_Deter).top(),
                               place.width(), place.height());
        }
        const Panes_Affichees& a = d.Affichees;
        if (a.Robot && !(portrait_ && portrait_->Sans_Portrait())) Robot->show();
        if (a.Barre_Deter) Barre_Deter->show();
        if (a.Cache_Pic_Choix) Pic_Choix->hide();
        if (a.Barre_Question) Barre_Question->show();
        if (a.Small_Robot) Small_Robot->show();
        if (a.Liste_Esp) Liste_Esp->show();
        if (a.Tree_esp) Tree_esp->show();
        if (a.Barre_Verticale) Barre_Verticale->show();
        if (a.WebTexte) WebTexte->show();
        if (a.Barre_Verticale) Barre_Verticale->raise();
    }
    // The results label over the status bar's second panel.
    const QRect panneau = sbStatusBar->Panneau2();
    Resultat->setGeometry(panneau.left() + 2, sbStatusBar->y() + 2, panneau.width(), sbStatusBar->height() - 2);
    Resultat->setToolTip(QString());
    // 9-point bold in every language, whatever font the window's texts gave every control.
    QFont gras = Legende->font();
    gras.setPointSize(9);
    gras.setBold(true);
    Legende->setFont(gras);
    Legende->setGeometry(0, 0, Resultat->width(), Resultat->height());
    Resultat->setVisible(!sbStatusBar->isHidden());
    Resultat->raise();
    Place_Ajouts();
}

void frmMain::resizeEvent(QResizeEvent* evenement) {
    QMainWindow::resizeEvent(evenement);
    Positionne_Controles();
}

bool frmMain::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::ShowToParent || evenement->type() == QEvent::HideToParent) {
        QScrollArea* zone = objet == Barre_Deter      ? defile_deter_
                            : objet == Barre_Question ? defile_question_
                                                      : nullptr;
        if (zone != nullptr)
            zone->setVisible(evenement->type() == QEvent::ShowToParent);
        if (objet == Pic_Choix)
            Actualise_Copie(evenement->type() == QEvent::ShowToParent);
        return false;
    }
    if (objet == Liste_Esp->viewport() && evenement->type() == QEvent::MouseButtonPress) {
        ligne_avant_appui_ = Liste_Esp->currentIndex();
        return false;
    }
    if (objet == Small_Robot && evenement->type() == QEvent::MouseButtonRelease) {
        mnuViewIdentification->trigger();
        return true;
    }
    if (objet == Barre_Verticale) {
        auto* souris = static_cast<QMouseEvent*>(evenement);
        switch (evenement->type()) {
            case QEvent::MouseButtonPress:
                separateur_tire_ = souris->button() == Qt::LeftButton;
                return true;
            case QEvent::MouseMove:
                if (separateur_tire_ && (souris->buttons() & Qt::LeftButton)) {
                    Barre_Verticale->move(Barre_Verticale->x() + static_cast<int>(souris->position().x()),
                                          Barre_Verticale->y());
                }
                return true;
            case QEvent::MouseButtonRelease:
                if (separateur_tire_) {
                    separateur_tire_ = false;
                    Relache_Separateur(disposition_, En_Twips(Barre_Verticale->x()), En_Twips(surface_->width()));
                    Applique_Disposition();
                }
                return true;
            default:
                break;
        }
    }
    return QMainWindow::eventFilter(objet, evenement);
}

}  // namespace kestrane
