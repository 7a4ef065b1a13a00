// Text of the player: TEXTOUT and EXTTEXTOUT with alignment, spacing, clipping and escapement.
#include "Fonctions_Wmf.h"
#include "Seance_Lecture.h"
#include "Texte_Wmf.h"

namespace kestrane::wmf::lecture {

void Seance::Texte(const QByteArray& octets, double x, double y, uint16_t options, const QRectF* rect,
                   const std::vector<int>& espaces) {
    const auto& pol = e_.police;
    const bool maj_position = e_.alignement & 1;
    const QPointF ref = maj_position ? Point(e_.position.x(), e_.position.y()) : Point(x, y);
    const double hauteur_dispositif = std::abs(pol.hauteur * ky_);

    QFont police = Texte_Wmf::Police(pol, hauteur_dispositif);
    if (pol.largeur != 0) {
        const QFontMetricsF mesures(police);
        const double moyenne = mesures.averageCharWidth();
        if (moyenne > 0)
            police.setStretch(std::clamp(
                static_cast<int>(std::lround(100.0 * Longueur_X(pol.largeur) / moyenne)), 1, 4000));
    }
    const QFontMetricsF mesures(police);
    // Split into characters of the font's code page, keeping for each its spacing (one value per
    // byte, so a double-byte character gets the sum of its two).
    const std::vector<Texte_Wmf::Caractere> caracteres = Texte_Wmf::Decoupe(octets, pol.jeu_caracteres);
    std::vector<double> avances;
    avances.reserve(caracteres.size());
    double largeur = 0;
    for (const auto& c : caracteres) {
        double av;
        if (!espaces.empty()) {
            av = 0;
            for (int k = 0; k < c.nb_octets; ++k) {
                const size_t i = static_cast<size_t>(c.premier_octet + k);
                if (i < espaces.size())
                    av += espaces[i];
            }
            av = av * std::abs(kx_);
        } else {
            av = mesures.horizontalAdvance(c.texte) + e_.espace_caracteres * std::abs(kx_);
        }
        avances.push_back(av);
        largeur += av;
    }
    double dx0 = 0;
    switch (e_.alignement & 6) {
        case 6:
            dx0 = -largeur / 2;
            break;  // TA_CENTER
        case 2:
            dx0 = -largeur;
            break;  // TA_RIGHT
        default:
            break;
    }
    double dy0 = mesures.ascent();  // TA_TOP: the reference point is the top of the cell
    if ((e_.alignement & 24) == 24)
        dy0 = 0;  // TA_BASELINE
    else if ((e_.alignement & 24) == 8)
        dy0 = -mesures.descent();  // TA_BOTTOM

    p_.save();
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    bool rien = false;
    const QColor couleur = Couleur_Rop2(e_.couleur_texte, rien);
    if (rect && (options & 2))
        p_.fillRect(*rect, e_.couleur_fond);
    if (rect && (options & 4))
        p_.setClipRect(*rect, Qt::IntersectClip);
    p_.translate(ref);
    if (pol.escapement != 0)
        p_.rotate(-pol.escapement / 10.0);
    if (e_.mode_fond == 2 && !(rect && (options & 2)))
        p_.fillRect(QRectF(dx0, dy0 - mesures.ascent(), largeur, mesures.ascent() + mesures.descent()),
                    e_.couleur_fond);
    if (!rien) {
        p_.setFont(police);
        p_.setPen(couleur);
        p_.setBackgroundMode(Qt::TransparentMode);
        if (espaces.empty() && e_.espace_caracteres == 0) {
            QString tout;
            for (const auto& c : caracteres) tout += c.texte;
            p_.drawText(QPointF(dx0, dy0), tout);
        } else {
            double xc = dx0;
            for (size_t k = 0; k < caracteres.size(); ++k) {
                p_.drawText(QPointF(xc, dy0), caracteres[k].texte);
                xc += avances[k];
            }
        }
    }
    p_.restore();
    if (maj_position) {
        // The current position advances along the baseline, in logical units.
        const double avance_logique = kx_ != 0 ? largeur / kx_ : 0;
        if ((e_.alignement & 6) == 0)
            e_.position.rx() += avance_logique;
        else if ((e_.alignement & 6) == 2)
            e_.position.rx() -= avance_logique;
    }
    stylo_sale_ = brosse_sale_ = true;
}

}  // namespace kestrane::wmf::lecture
