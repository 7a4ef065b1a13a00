#pragma once
// The species shown in the document view and the state that follows it: written when a species
// is opened (tree or results list) and when a page completes, read by the zoom, the legend, the
// toolbar timer and the print command. One object, owned by Documents.

#include <QImage>
#include <QString>

namespace kestrane {

struct Etat_Documents {
    QString Code_Esp_Courant;  // five characters, as the tree or the list gives it
    QString Espece_Courante;
    QString Famille_Courante;
    int Nb_Avant = 0;       // pages the view can go forward
    QString Texte_Legende;  // legend of the current species' drawing; "" when none
    QImage Image_Dessin;    // the full-size drawing (2200 x 3300); null when none
    long Dessin_X0 = 0;     // where the drawing starts in its page, in document pixels
    long Dessin_Y0 = 0;
    long Souris_X = 0;  // last pointer position over an image, in document pixels
    long Souris_Y = 0;
};

}  // namespace kestrane
