#include "frmLegende.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "Arrondi_Pair.h"
#include "Placement_Fenetre.h"

namespace kestrane {
namespace {
// Inner area until first sized to a legend, in twips.
constexpr double Largeur_Initiale = 2925;
constexpr double Hauteur_Initiale = 1830;

// Two thirds as the placement computes it: 2v rounded, then divided by 3 dropping the remainder.
long Deux_Tiers(double v) {
    return Arrondi_Pair<long>(2 * v) / 3;
}
}  // namespace

// A tool window of the main window: the window manager keeps it above the main window, and the
// program's dialogs, opened later, above it.
frmLegende::frmLegende(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("frmLegende"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    QFont police(QStringLiteral("Arial Unicode MS"));
    police.setPointSizeF(9.75);
    setFont(police);
    resize(Arrondi_Pair<int>(Largeur_Initiale * logicalDpiX() / 1440.0),
           Arrondi_Pair<int>(Hauteur_Initiale * logicalDpiY() / 1440.0));
}

void frmLegende::Affiche(const QString& titre, const QString& texte, const QRect& zone,
                         const QRect* barre_verticale) {
    setWindowTitle(titre);
    texte_ = texte;
    Dimensionne(zone);
    update();
    // Placed once shown: the frame's size is known only then.
    show();
    if (barre_verticale)
        Place_Pres_De(*barre_verticale);
    Ramene_Dans_Zone(*this, zone);
    raise();
}

void frmLegende::Dimensionne(const QRect& zone) {
    const QFontMetrics mesure(font());
    int largeur = mesure.horizontalAdvance(QStringLiteral("  ") + texte_) + 3;
    if (!zone.isEmpty()) {
        // A legend longer than the screen is wide wraps, so that the whole window stays in view.
        const int cadre = frameGeometry().width() - width();
        largeur = std::max(1, std::min(largeur, zone.width() - cadre));
    }
    const QRect texte = mesure.boundingRect(QRect(0, 0, largeur, QWIDGETSIZE_MAX), Qt::TextWordWrap,
                                            texte_.isEmpty() ? QStringLiteral(" ") : texte_);
    resize(largeur, texte.height() + 2);
}

void frmLegende::Place_Pres_De(const QRect& barre) {
    const double tx = 1440.0 / logicalDpiX();
    const double ty = 1440.0 / logicalDpiY();
    const double gauche = barre.left() * tx - Deux_Tiers(frameGeometry().width() * tx);
    const double haut = barre.top() * ty + Deux_Tiers(barre.height() * ty);
    move(Arrondi_Pair<int>(gauche / tx), Arrondi_Pair<int>(haut / ty));
}

void frmLegende::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.setPen(palette().color(QPalette::ToolTipText));
    peintre.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, texte_);
}

}  // namespace kestrane
