#include "Pic_Choix.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "Arrondi_Pair.h"
#include "Texte_Simple.h"

namespace kestrane {

Pic_Choix::Pic_Choix(const Base_Connaissance& base, Question_Courante& question,
                     std::function<std::string()> suffixe_langue, QWidget* parent)
    : QWidget(parent), base_(base), question_(question), suffixe_langue_(std::move(suffixe_langue)) {
    setObjectName(QStringLiteral("Pic_Choix"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Pic_Choix::Affiche(std::shared_ptr<const Dessin> dessin) {
    dessin_ = std::move(dessin);
    liste_ = false;
    effacees_.clear();
    clavier_ = -1;
    update();
}

void Pic_Choix::Affiche_Liste() {
    dessin_.reset();
    liste_ = true;
    effacees_.clear();
    clavier_ = -1;
    update();
}

int Pic_Choix::Lignes_Grille() const { return liste_ ? std::max(question_.Nb_Car, 1) : question_.Lignes; }

int Pic_Choix::Colonnes_Grille() const { return liste_ ? 1 : question_.Colonnes; }

double Pic_Choix::Hauteur_Grille() const {
    if (!liste_)
        return height();
    // Lines of text as tall as two lines of the font, fewer pixels each when they would not fit.
    const double ligne = std::min(2.0 * fontMetrics().height(), static_cast<double>(height()) / Lignes_Grille());
    return ligne * Lignes_Grille();
}

QPoint Pic_Choix::Case_Sous(QPointF position) const {
    const int colonnes = std::max(Colonnes_Grille(), 1);
    const int lignes = std::max(Lignes_Grille(), 1);
    // Outer size; the box has no border, so it is also the interior.
    const double w = width();
    const double h = Hauteur_Grille();
    return {static_cast<int>(std::floor(position.x() / (w / colonnes))),
            static_cast<int>(std::floor(position.y() / (h / lignes)))};
}

int Pic_Choix::Choix_Case(int selection, QPointF position) {
    const QPoint cr = Case_Sous(position);
    const int colonnes = Colonnes_Grille();
    const int cellule = (cr.y() + 1) * colonnes - colonnes + cr.x();
    // A cell past the character's last state stands for no state: it cannot be chosen.
    if (!Case_D_Etat(cr))
        return selection;
    if (selection != -1) {
        effacees_.push_back(selection);
        if (selection == cellule) {
            update();
            return -1;
        }
    }
    update();
    return cellule;
}

QRectF Pic_Choix::Rectangle_Marque(int cellule) const {
    const int colonnes = Colonnes_Grille();
    const int lignes = Lignes_Grille();
    if (cellule == -1 || colonnes <= 0 || lignes <= 0) return {};
    const int colonne = cellule % colonnes;
    const int ligne = cellule / colonnes;
    const double sw = width();
    const double sh = Hauteur_Grille();
    const int dw = Epaisseur_Trait;
    auto arrondi = [](double v) { return static_cast<double>(Arrondi_Pair<int>(v)); };
    const double x1 = arrondi(colonne * sw / colonnes);
    const double y1 = arrondi(ligne * sh / lignes);
    const double x2 = colonne + 1 != colonnes ? arrondi((colonne + 1) * sw / colonnes) : arrondi(sw - (dw - 1));
    const double y2 = ligne + 1 != lignes ? arrondi((ligne + 1) * sh / lignes) : arrondi(sh - (dw - 1));
    return QRectF(QPointF(x1, y1), QPointF(x2, y2));
}

bool Pic_Choix::Case_D_Etat(QPoint cr) const {
    const int colonnes = Colonnes_Grille();
    if (cr.x() < 0 || cr.y() < 0 || cr.x() >= colonnes || cr.y() >= Lignes_Grille())
        return false;
    return cr.y() * colonnes + cr.x() < question_.Nb_Car;
}

QString Pic_Choix::Info_Case(QPointF position) const {
    const QPoint cr = Case_Sous(position);
    // Past the last state the number would name another character's state.
    if (!Case_D_Etat(cr))
        return {};
    const int colonnes = Colonnes_Grille();
    const int k = question_.Index_Car + (cr.y() + 1) * colonnes - colonnes + cr.x();
    const Etat_Caractere* etat = base_.Etat_Par_Numero(k);
    if (etat == nullptr) return {};
    return QString::fromStdString(base_.Textes.Etat(*etat, suffixe_langue_ ? suffixe_langue_() : std::string("en")));
}

void Pic_Choix::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.fillRect(rect(), Qt::white);
    if (dessin_) dessin_->Peint(peintre, QRectF(rect()));
    if (liste_) {
        // Each state's text on its line, a thin rule between lines.
        const std::string suffixe = suffixe_langue_ ? suffixe_langue_() : std::string("en");
        peintre.setPen(palette().color(QPalette::Text));
        for (int k = 0; k < question_.Nb_Car; ++k) {
            const QRectF ligne = Rectangle_Marque(k);
            const Etat_Caractere* etat = base_.Etat_Par_Numero(question_.Index_Car + k);
            const QString texte = etat != nullptr ? QString::fromStdString(base_.Textes.Etat(*etat, suffixe)) : QString();
            const QRectF zone = ligne.adjusted(8, 0, -8, 0);
            peintre.drawText(zone, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                             fontMetrics().elidedText(texte, Qt::ElideRight, static_cast<int>(zone.width())));
            peintre.setPen(QColor(220, 220, 220));
            peintre.drawLine(ligne.bottomLeft(), ligne.bottomRight());
            peintre.setPen(palette().color(QPalette::Text));
        }
    }
    peintre.setRenderHint(QPainter::Antialiasing, false);
    peintre.setBrush(Qt::NoBrush);
    peintre.setPen(QPen(QColor(255, 255, 255), Epaisseur_Trait));
    for (const int cellule : effacees_) peintre.drawRect(Rectangle_Marque(cellule));
    if (question_.Choix != -1) {
        peintre.setPen(QPen(QColor(0, 0, 255), Epaisseur_Trait));
        peintre.drawRect(Rectangle_Marque(question_.Choix));
    }
    if (clavier_ != -1) {
        const double retrait = Epaisseur_Trait + 1;
        peintre.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
        peintre.drawRect(Rectangle_Marque(clavier_).adjusted(retrait, retrait, -retrait, -retrait));
    }
}

void Pic_Choix::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    appui_ = QPointF(Arrondi_Pair<int>(event->position().x()), Arrondi_Pair<int>(event->position().y()));
    appuye_ = true;
}

void Pic_Choix::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !appuye_) return;
    appuye_ = false;
    if (!rect().contains(event->position().toPoint())) return;
    clavier_ = -1;
    question_.Choix = Choix_Case(question_.Choix, appui_);
}

void Pic_Choix::mouseMoveEvent(QMouseEvent* event) { setToolTip(Infobulle_Simple(Info_Case(event->position()))); }

void Pic_Choix::Deplace_Clavier(int dx, int dy) {
    const int colonnes = std::max(Colonnes_Grille(), 1);
    const int lignes = std::max(Lignes_Grille(), 1);
    if (clavier_ == -1) {
        clavier_ = question_.Choix >= 0 && question_.Choix < colonnes * lignes ? question_.Choix : 0;
    } else {
        const int colonne = std::clamp(clavier_ % colonnes + dx, 0, colonnes - 1);
        const int ligne = std::clamp(clavier_ / colonnes + dy, 0, lignes - 1);
        clavier_ = ligne * colonnes + colonne;
    }
    update();
}

void Pic_Choix::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left: Deplace_Clavier(-1, 0); break;
    case Qt::Key_Right: Deplace_Clavier(1, 0); break;
    case Qt::Key_Up: Deplace_Clavier(0, -1); break;
    case Qt::Key_Down: Deplace_Clavier(0, 1); break;
    case Qt::Key_Space:
        if (clavier_ == -1) Deplace_Clavier(0, 0);
        question_.Choix = Choix_Case(question_.Choix, Rectangle_Marque(clavier_).center());
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (clavier_ == -1 && question_.Choix == -1) {
            Deplace_Clavier(0, 0);  // where the arrows start: nothing to confirm yet
            break;
        }
        if (clavier_ != -1 && clavier_ != question_.Choix)
            question_.Choix = Choix_Case(question_.Choix, Rectangle_Marque(clavier_).center());
        event->accept();
        emit Confirme();
        return;
    case Qt::Key_Escape: emit Retour(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

}  // namespace kestrane
