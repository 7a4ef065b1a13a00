#include "Traduit_Feuille.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVariant>

#include <optional>

#include "Conversions.h"
#include "Table_Chaines.h"

namespace kestrane {
namespace {

// The leading number of a property's text; nullopt when the property is absent.
std::optional<int64_t> Numero(const QObject* objet, const char* propriete) {
    const QVariant v = objet->property(propriete);
    if (!v.isValid()) return std::nullopt;
    return Leading_Number(v.toString().toStdString());
}

std::optional<QString> Texte(std::optional<int64_t> base, int langue) {
    if (!base || *base <= 0) return std::nullopt;
    const auto texte = Chaine(static_cast<int>(*base), langue);
    if (!texte) return std::nullopt;
    return QString::fromUtf8(texte->data(), static_cast<qsizetype>(texte->size()));
}

void Traduit_Actions(const QList<QAction*>& actions, int langue) {
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        if (auto t = Texte(Numero(action, "Caption"), langue)) action->setText(*t);
        if (auto t = Texte(Numero(action, "ToolTip"), langue)) action->setToolTip(*t);
    }
}

void Traduit_Controle(QWidget* controle, int langue) {
    if (auto* label = qobject_cast<QLabel*>(controle)) {
        if (auto t = Texte(Numero(label, "Tag"), langue)) label->setText(*t);
    } else if (auto* menu = qobject_cast<QMenu*>(controle)) {
        if (auto t = Texte(Numero(menu->menuAction(), "Caption"), langue)) menu->setTitle(*t);
        Traduit_Actions(menu->actions(), langue);
    } else if (auto* onglets = qobject_cast<QTabWidget*>(controle)) {
        const QVariantList tags = onglets->property("TabTags").toList();
        const QVariantList bulles = onglets->property("TabToolTips").toList();
        for (int i = 0; i < onglets->count(); ++i) {
            if (i < tags.size()) {
                if (auto t = Texte(Leading_Number(tags[i].toString().toStdString()), langue)) onglets->setTabText(i, *t);
            }
            if (i < bulles.size()) {
                if (auto t = Texte(Leading_Number(bulles[i].toString().toStdString()), langue)) {
                    onglets->setTabToolTip(i, *t);
                }
            }
        }
    } else if (auto* barre = qobject_cast<QToolBar*>(controle)) {
        Traduit_Actions(barre->actions(), langue);
    } else if (auto* arbre = qobject_cast<QTreeWidget*>(controle); arbre && arbre->property("HeaderTags").isValid()) {
        const QVariantList tags = arbre->property("HeaderTags").toList();
        for (int i = 0; i < tags.size() && i < arbre->columnCount(); ++i) {
            if (auto t = Texte(Leading_Number(tags[i].toString().toStdString()), langue)) {
                arbre->headerItem()->setText(i, *t);
            }
        }
    } else {
        if (auto t = Texte(Numero(controle, "Tag"), langue)) {
            if (auto* bouton = qobject_cast<QAbstractButton*>(controle)) {
                bouton->setText(*t);
            } else if (auto* cadre = qobject_cast<QGroupBox*>(controle)) {
                cadre->setTitle(*t);
            }
        }
        if (const auto n = Numero(controle, "ToolTipTag"); n && *n >= 1) {
            if (auto t = Texte(n, langue)) controle->setToolTip(*t);
        }
    }
}

}  // namespace

void Traduit_Feuille(QWidget* fenetre, int langue) {
    if (auto t = Texte(Numero(fenetre, "Tag"), langue)) fenetre->setWindowTitle(*t);

    QFont police = fenetre->font();
    if (auto nom = Chaine(1200, langue)) police.setFamily(QString::fromUtf8(nom->data(), static_cast<qsizetype>(nom->size())));
    if (auto taille = Chaine(1201, langue)) {
        const int64_t points = Leading_Number(*taille);
        if (points > 0) police.setPointSize(static_cast<int>(points));
    }
    fenetre->setFont(police);

    for (QWidget* controle : fenetre->findChildren<QWidget*>()) {
        controle->setFont(police);
        Traduit_Controle(controle, langue);
    }
}

void Lie_Texte(QWidget* controle, int tag, int tooltip) {
    controle->setProperty("Tag", tag);
    if (tooltip != 0) controle->setProperty("ToolTipTag", tooltip);
}

}  // namespace kestrane
