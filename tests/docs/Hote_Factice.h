#pragma once
// A host that records what the documents ask of the main window.

#include <QRect>
#include <QString>
#include <QStringList>

#include <map>

#include "Hote_Documents.h"

namespace kestrane::test {

struct Hote_Factice : Hote_Documents {
    void Active_Bouton(const QString& cle) override { boutons[cle] = true; appels << "+" + cle; }
    void Desactive_Bouton(const QString& cle) override { boutons[cle] = false; appels << "-" + cle; }
    void Montre_Contra(bool visible) override { contra_visible = visible; ++appels_contra; }
    int Langue() const override { return langue; }
    QString Suffixe_Langue() const override { return suffixe; }
    void Change_Suffixe_Langue(const QString& s) override { suffixe = s; }
    void Pointeur_Normal() override { ++pointeur_normal; }
    QRect Geometrie_Barre_Verticale() const override { return barre; }
    QRect Zone_Ecran() const override { return zone; }

    std::map<QString, bool> boutons;  // enabled state by key; absent when never set
    QStringList appels;
    bool contra_visible = false;
    int appels_contra = 0, langue = 0, pointeur_normal = 0;
    QString suffixe = QStringLiteral("_en");
    QRect barre{300, 90, 6, 450}, zone{0, 0, 1600, 1000};
};

}  // namespace kestrane::test
