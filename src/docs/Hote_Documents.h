#pragma once
// What the documents need from the window that hosts them: the main toolbar, the language of the
// interface and of the documents, the pointer and the splitter beside which the legend opens.
// The main window implements it; tests implement it with a recording fake.

#include <QRect>
#include <QString>

namespace kestrane {

class Hote_Documents {
  public:
    virtual ~Hote_Documents() = default;

    // Enable or disable the first toolbar button whose key is `cle` (exact, case-sensitive);
    // a key that no button carries changes nothing.
    virtual void Active_Bouton(const QString& cle) = 0;
    virtual void Desactive_Bouton(const QString& cle) = 0;

    // Shows or hides the "Contra" button together with the button that follows it.
    virtual void Montre_Contra(bool visible) = 0;

    // Interface language, 0 English, 1 Spanish, 2 French.
    virtual int Langue() const = 0;

    // Suffix of the documents' language ("_en", "_fr"...); the documents replace it with the
    // suffix of the page shown each time a species is opened.
    virtual QString Suffixe_Langue() const = 0;
    virtual void Change_Suffixe_Langue(const QString& suffixe) = 0;

    // Puts the pointer back to the default once a page has loaded (after an hourglass).
    virtual void Pointeur_Normal() = 0;

    // Geometry of the splitter `Barre_Verticale` on the screen (global pixels), beside which the
    // legend window is placed.
    virtual QRect Geometrie_Barre_Verticale() const = 0;

    // The available area of the screen that holds the main window (global pixels): the legend
    // and zoom windows always open whole inside it.
    virtual QRect Zone_Ecran() const = 0;
};

}  // namespace kestrane
