#pragma once
// Texts of a knowledge base come from anyone: outside the pages they are shown as written. A
// tooltip (and a label left to guess) renders text as HTML when Qt guesses it is, so markup in a
// base text could show pictures, fetch files or change the look of the window; Infobulle_Simple
// gives what shows the text itself, unchanged when Qt would not guess rich text anyway.

#include <QString>
#include <QTextDocument>

namespace kestrane {

inline QString Infobulle_Simple(const QString& texte) {
    return Qt::mightBeRichText(texte) ? Qt::convertFromPlainText(texte, Qt::WhiteSpaceNormal) : texte;
}

}  // namespace kestrane
