#include "Filtre_Especes.h"

#include <QKeyEvent>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <unordered_map>

#include "Base_Connaissance.h"

namespace kestrane {

Filtre_Especes::Filtre_Especes(Noms_Especes noms, QWidget* parent)
    : QLineEdit(parent), noms_(std::move(noms)) {
    setObjectName(QStringLiteral("Filtre_Especes"));
    setClearButtonEnabled(true);
    montrees_.assign(noms_.Nombre_Especes(), true);
    connect(this, &QLineEdit::textChanged, this, &Filtre_Especes::Applique);
}

void Filtre_Especes::Suit_Arbre(QTreeWidget& arbre, const Base_Connaissance& base) {
    arbre_ = &arbre;
    noeuds_.clear();
    especes_.clear();
    std::unordered_map<std::string, int> par_nom;
    for (size_t s = 0; s < base.Flore.size(); ++s) par_nom.emplace(base.Flore[s].Espece, static_cast<int>(s));
    // Post-order: every child before its parent, so that one pass settles the parents.
    std::function<int(QTreeWidgetItem*)> visite = [&](QTreeWidgetItem* item) {
        std::vector<int> enfants;
        for (int c = 0; c < item->childCount(); ++c) enfants.push_back(visite(item->child(c)));
        const auto nom = par_nom.find(item->text(0).toStdString());
        const bool feuille_espece =
            item->childCount() == 0 && item->parent() != nullptr && nom != par_nom.end();
        noeuds_.push_back({item, -1, feuille_espece ? nom->second : -1, item->isHidden()});
        if (feuille_espece)
            especes_.insert(item);
        const int index = static_cast<int>(noeuds_.size()) - 1;
        for (const int e : enfants) noeuds_[static_cast<size_t>(e)].parent = index;
        return index;
    };
    for (int r = 0; r < arbre.topLevelItemCount(); ++r) visite(arbre.topLevelItem(r));
    arbre.installEventFilter(this);
    arbre_a_faire_ = true;
    Applique_Arbre();
}

void Filtre_Especes::Suit_Liste(QTreeView& liste, std::function<int(int)> espece_au_rang) {
    liste_ = &liste;
    espece_au_rang_ = std::move(espece_au_rang);
    liste.installEventFilter(this);
    Liste_Remplie();
}

void Filtre_Especes::Liste_Remplie() {
    if (!liste_ || !liste_->model())
        return;
    lignes_cachees_.assign(static_cast<size_t>(liste_->model()->rowCount()), 0);
    liste_a_faire_ = true;
    Applique_Liste();
}

void Filtre_Especes::Applique() {
    montrees_ = noms_.Correspondances(text().toStdString());
    liste_a_faire_ = arbre_a_faire_ = true;
    Applique_Liste();
    Applique_Arbre();
}

bool Filtre_Especes::Aucune() const {
    return !text().trimmed().isEmpty() && std::find(montrees_.begin(), montrees_.end(), true) == montrees_.end();
}

void Filtre_Especes::Applique_Liste() {
    if (!liste_ || !espece_au_rang_)
        return;
    for (size_t r = 0; r < lignes_cachees_.size(); ++r) {
        const int espece = espece_au_rang_(static_cast<int>(r));
        const char cachee = espece >= 0 && !Montre(static_cast<size_t>(espece));
        if (cachee == lignes_cachees_[r])
            continue;
        lignes_cachees_[r] = cachee;
        liste_->setRowHidden(static_cast<int>(r), QModelIndex(), cachee);
    }
}

void Filtre_Especes::Applique_Arbre() {
    if (!arbre_)
        return;
    const bool tout = text().trimmed().isEmpty();
    std::vector<char> montre(noeuds_.size(), 0);
    int especes_montrees = 0;
    for (size_t n = 0; n < noeuds_.size(); ++n) {
        const Noeud& noeud = noeuds_[n];
        if (noeud.espece >= 0) {
            montre[n] = Montre(static_cast<size_t>(noeud.espece));
            especes_montrees += montre[n];
        } else if (tout) {
            montre[n] = 1;
        }
        if (montre[n] && noeud.parent >= 0)
            montre[static_cast<size_t>(noeud.parent)] = 1;
    }
    for (size_t n = 0; n < noeuds_.size(); ++n) {
        Noeud& noeud = noeuds_[n];
        const bool cache = !montre[n];
        if (cache == noeud.cache)
            continue;
        noeud.cache = cache;
        noeud.item->setHidden(cache);
    }
    if (tout || especes_montrees > Ouverture_Max)
        return;
    for (const Noeud& noeud : noeuds_) {
        if (noeud.espece < 0 || noeud.cache)
            continue;
        for (QTreeWidgetItem* p = noeud.item->parent(); p != nullptr && !p->isExpanded(); p = p->parent())
            p->setExpanded(true);
    }
}

void Filtre_Especes::Choisit_Premier() {
    if (liste_ && liste_->isVisible()) {
        for (size_t r = 0; r < lignes_cachees_.size(); ++r) {
            if (!lignes_cachees_[r]) {
                emit Ligne_Choisie(static_cast<int>(r));
                return;
            }
        }
        return;
    }
    if (!arbre_ || !arbre_->isVisible())
        return;
    // The first species node shown, in the tree's order.
    std::function<QTreeWidgetItem*(QTreeWidgetItem*)> premier =
        [&](QTreeWidgetItem* item) -> QTreeWidgetItem* {
        if (item->isHidden())
            return nullptr;
        if (item->childCount() == 0)
            return especes_.contains(item) ? item : nullptr;
        for (int c = 0; c < item->childCount(); ++c) {
            if (QTreeWidgetItem* trouve = premier(item->child(c)))
                return trouve;
        }
        return nullptr;
    };
    for (int r = 0; r < arbre_->topLevelItemCount(); ++r) {
        if (QTreeWidgetItem* trouve = premier(arbre_->topLevelItem(r))) {
            emit Noeud_Choisi(trouve);
            return;
        }
    }
}

bool Filtre_Especes::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::Show) {
        if (objet == liste_) Applique_Liste();
        if (objet == arbre_) Applique_Arbre();
    }
    return QLineEdit::eventFilter(objet, evenement);
}

void Filtre_Especes::keyPressEvent(QKeyEvent* evenement) {
    switch (evenement->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Choisit_Premier();
            return;
        case Qt::Key_Escape:
            if (text().isEmpty()) {
                emit Fermeture_Demandee();
            } else {
                clear();
            }
            return;
        default:
            QLineEdit::keyPressEvent(evenement);
    }
}

}  // namespace kestrane
