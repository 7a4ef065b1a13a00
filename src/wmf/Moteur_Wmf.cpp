#include "Moteur_Wmf.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QTextItem>

#include <algorithm>
#include <cmath>

#include "Dib.h"
#include "Fonctions_Wmf.h"

namespace kestrane::wmf {

namespace {

constexpr uint32_t SRCCOPY = 0x00CC0020, SRCAND = 0x008800C6, SRCPAINT = 0x00EE0086;

void Ajoute16(QByteArray& o, uint16_t v) {
    o.append(static_cast<char>(v & 0xFF));
    o.append(static_cast<char>(v >> 8));
}
void Ajoute32(QByteArray& o, uint32_t v) {
    Ajoute16(o, static_cast<uint16_t>(v & 0xFFFF));
    Ajoute16(o, static_cast<uint16_t>(v >> 16));
}

// A colour as it looks over white paper, as a COLORREF; alpha (0..1) is how opaque it ends up.
uint32_t Sur_Blanc(const QColor& c, double opacite, double* alpha = nullptr) {
    const double a = std::clamp(c.alphaF() * opacite, 0.0, 1.0);
    if (alpha)
        *alpha = a;
    auto melange = [a](int v) { return static_cast<uint32_t>(std::lround(v * a + 255.0 * (1.0 - a))); };
    return melange(c.red()) | (melange(c.green()) << 8) | (melange(c.blue()) << 16);
}

// The colour that stands for a brush the format cannot carry (gradients, textures).
QColor Couleur_Brosse(const QBrush& b) {
    if (const QGradient* g = b.gradient()) {
        const auto arrets = g->stops();
        if (arrets.isEmpty())
            return Qt::black;
        double r = 0, v = 0, bl = 0, a = 0;
        for (const auto& [pos, c] : arrets) {
            r += c.redF();
            v += c.greenF();
            bl += c.blueF();
            a += c.alphaF();
        }
        const double n = static_cast<double>(arrets.size());
        return QColor::fromRgbF(static_cast<float>(r / n), static_cast<float>(v / n),
                                static_cast<float>(bl / n), static_cast<float>(a / n));
    }
    return b.color();
}

double Echelle(const QTransform& t) {
    return std::sqrt(std::abs(t.determinant()));
}

}  // namespace

Moteur_Wmf::Moteur_Wmf(int largeur, int hauteur, int unites_par_pouce)
    : QPaintEngine(QPaintEngine::AllFeatures),
      largeur_(largeur),
      hauteur_(hauteur),
      unites_par_pouce_(unites_par_pouce) {}

uint16_t Moteur_Wmf::Coordonnee(double v) {
    return static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::clamp(v, -32768.0, 32767.0))));
}

void Moteur_Wmf::Enregistre(uint16_t fonction, const std::vector<uint16_t>& mots, const QByteArray& suite) {
    const uint32_t taille = static_cast<uint32_t>(3 + mots.size() + (suite.size() + 1) / 2);
    plus_grand_ = std::max(plus_grand_, taille);
    Ajoute32(enregistrements_, taille);
    Ajoute16(enregistrements_, fonction);
    for (uint16_t m : mots) Ajoute16(enregistrements_, m);
    enregistrements_.append(suite);
    if (suite.size() % 2)
        enregistrements_.append('\0');
}

int Moteur_Wmf::Cree_Objet(uint16_t fonction, const std::vector<uint16_t>& mots, const QByteArray& suite) {
    Enregistre(fonction, mots, suite);
    // The reader puts each new object in the lowest free slot; so do we, to know its index.
    size_t i = 0;
    while (i < emplacements_.size() && emplacements_[i]) ++i;
    if (i == emplacements_.size())
        emplacements_.push_back(true);
    else
        emplacements_[i] = true;
    emplacements_max_ = std::max(emplacements_max_, emplacements_.size());
    Enregistre(SELECTOBJECT, {static_cast<uint16_t>(i)});
    return static_cast<int>(i);
}

void Moteur_Wmf::Supprime_Objet(int indice) {
    if (indice < 0)
        return;
    Enregistre(DELETEOBJECT, {static_cast<uint16_t>(indice)});
    emplacements_[static_cast<size_t>(indice)] = false;
}

bool Moteur_Wmf::begin(QPaintDevice*) {
    enregistrements_.clear();
    fichier_.clear();
    plus_grand_ = 0;
    emplacements_.clear();
    emplacements_max_ = 0;
    stylo_objet_ = brosse_objet_ = -1;
    stylo_ecrit_ = brosse_ecrite_ = couleur_texte_ecrite_ = 0xFFFFFFFF;
    largeur_stylo_ecrite_ = style_stylo_ecrit_ = -1;
    remplissage_ecrit_ = 0;
    transformation_ = QTransform();
    Enregistre(SETMAPMODE, {8});
    Enregistre(SETWINDOWORG, {0, 0});
    Enregistre(SETWINDOWEXT, {static_cast<uint16_t>(hauteur_), static_cast<uint16_t>(largeur_)});
    Enregistre(SETBKMODE, {1});
    Enregistre(SETTEXTALIGN, {24});
    return true;
}

bool Moteur_Wmf::end() {
    Enregistre(EOF_, {});
    QByteArray entete_meta;
    Ajoute16(entete_meta, 1);
    Ajoute16(entete_meta, 9);
    Ajoute16(entete_meta, 0x0300);
    Ajoute32(entete_meta, static_cast<uint32_t>((18 + enregistrements_.size()) / 2));
    Ajoute16(entete_meta, static_cast<uint16_t>(std::min<size_t>(emplacements_max_, 65535)));
    Ajoute32(entete_meta, plus_grand_);
    Ajoute16(entete_meta, 0);
    QByteArray entete;
    Ajoute32(entete, 0x9AC6CDD7u);
    Ajoute16(entete, 0);
    Ajoute16(entete, 0);
    Ajoute16(entete, 0);
    Ajoute16(entete, static_cast<uint16_t>(largeur_));
    Ajoute16(entete, static_cast<uint16_t>(hauteur_));
    Ajoute16(entete, static_cast<uint16_t>(unites_par_pouce_));
    Ajoute32(entete, 0);
    uint16_t somme = 0;
    for (int i = 0; i < 20; i += 2)
        somme ^= static_cast<uint16_t>(static_cast<uint8_t>(entete[i]) |
                                       (static_cast<uint8_t>(entete[i + 1]) << 8));
    Ajoute16(entete, somme);
    fichier_ = entete + entete_meta + enregistrements_;
    return true;
}

void Moteur_Wmf::updateState(const QPaintEngineState& etat) {
    const auto drapeaux = etat.state();
    if (drapeaux & DirtyPen)
        stylo_ = etat.pen();
    if (drapeaux & DirtyBrush)
        brosse_ = etat.brush();
    if (drapeaux & DirtyTransform)
        transformation_ = etat.transform();
    if (drapeaux & DirtyFont)
        police_ = etat.font();
}

bool Moteur_Wmf::Choisit_Stylo() {
    double alpha = 0;
    const uint32_t couleur = Sur_Blanc(Couleur_Brosse(stylo_.brush()), Opacite(), &alpha);
    const bool nul = stylo_.style() == Qt::NoPen || alpha <= 0.0;
    int style = 5;
    int largeur = 0;
    if (!nul) {
        switch (stylo_.style()) {
            case Qt::DashLine:
            case Qt::CustomDashLine:
                style = 1;
                break;
            case Qt::DotLine:
                style = 2;
                break;
            case Qt::DashDotLine:
                style = 3;
                break;
            case Qt::DashDotDotLine:
                style = 4;
                break;
            default:
                style = 0;
                break;
        }
        style |= stylo_.capStyle() == Qt::FlatCap ? 0x200 : stylo_.capStyle() == Qt::SquareCap ? 0x100 : 0;
        style |= stylo_.joinStyle() == Qt::BevelJoin                                               ? 0x1000
                 : (stylo_.joinStyle() == Qt::MiterJoin || stylo_.joinStyle() == Qt::SvgMiterJoin) ? 0x2000
                                                                                                   : 0;
        largeur = stylo_.isCosmetic()
                      ? 0
                      : static_cast<int>(std::lround(stylo_.widthF() * Echelle(transformation_)));
    }
    if (stylo_objet_ < 0 || couleur != stylo_ecrit_ || largeur != largeur_stylo_ecrite_ ||
        style != style_stylo_ecrit_) {
        const int ancien = stylo_objet_;
        stylo_objet_ =
            Cree_Objet(CREATEPENINDIRECT,
                       {static_cast<uint16_t>(style), static_cast<uint16_t>(largeur), 0,
                        static_cast<uint16_t>(couleur & 0xFFFF), static_cast<uint16_t>(couleur >> 16)});
        Supprime_Objet(ancien);
        stylo_ecrit_ = couleur;
        largeur_stylo_ecrite_ = largeur;
        style_stylo_ecrit_ = style;
    }
    return !nul;
}

bool Moteur_Wmf::Choisit_Brosse(const QBrush& brosse) {
    double alpha = 0;
    const uint32_t couleur = Sur_Blanc(Couleur_Brosse(brosse), Opacite(), &alpha);
    // Qt's hatch patterns in the order of the format's hatch numbers.
    static constexpr Qt::BrushStyle hachures[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                  Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    uint16_t style = brosse.style() == Qt::NoBrush ? 1 : 0, hachure = 0;
    for (uint16_t h = 0; h < std::size(hachures); ++h) {
        if (brosse.style() == hachures[h]) {
            style = 2;
            hachure = h;
        }
    }
    if (alpha <= 0.0)
        style = 1;
    const uint32_t cle =
        style == 1
            ? 0xFF000000u
            : (couleur | (static_cast<uint32_t>(style) << 24) | (static_cast<uint32_t>(hachure) << 28));
    if (brosse_objet_ < 0 || cle != brosse_ecrite_) {
        const int ancien = brosse_objet_;
        brosse_objet_ = Cree_Objet(CREATEBRUSHINDIRECT, {style, static_cast<uint16_t>(couleur & 0xFFFF),
                                                         static_cast<uint16_t>(couleur >> 16), hachure});
        Supprime_Objet(ancien);
        brosse_ecrite_ = cle;
    }
    return style != 1;
}

void Moteur_Wmf::Choisit_Sans_Stylo() {
    const QPen garde = stylo_;
    stylo_ = QPen(Qt::NoPen);
    Choisit_Stylo();
    stylo_ = garde;
}

double Moteur_Wmf::Opacite() const {
    return painter() ? painter()->opacity() : 1.0;
}

void Moteur_Wmf::Choisit_Remplissage(Qt::FillRule regle) {
    const int mode = regle == Qt::WindingFill ? 2 : 1;
    if (mode != remplissage_ecrit_) {
        Enregistre(SETPOLYFILLMODE, {static_cast<uint16_t>(mode)});
        remplissage_ecrit_ = mode;
    }
}

void Moteur_Wmf::Polygones(const QList<QPolygonF>& polygones, Qt::FillRule regle, bool remplir, bool tracer) {
    if (polygones.isEmpty())
        return;
    auto points = [](const QPolygonF& p, std::vector<uint16_t>& mots, int n) {
        for (int k = 0; k < n; ++k) {
            mots.push_back(Coordonnee(p[k].x()));
            mots.push_back(Coordonnee(p[k].y()));
        }
    };
    if (remplir) {
        Choisit_Remplissage(regle);
        if (polygones.size() == 1) {
            const int n = static_cast<int>(std::min<qsizetype>(polygones[0].size(), 32767));
            std::vector<uint16_t> mots{static_cast<uint16_t>(n)};
            points(polygones[0], mots, n);
            Enregistre(POLYGON, mots);
        } else {
            const int nb = static_cast<int>(std::min<qsizetype>(polygones.size(), 32767));
            std::vector<uint16_t> mots{static_cast<uint16_t>(nb)};
            for (int k = 0; k < nb; ++k)
                mots.push_back(static_cast<uint16_t>(std::min<qsizetype>(polygones[k].size(), 65535)));
            for (int k = 0; k < nb; ++k)
                points(polygones[k], mots, static_cast<int>(std::min<qsizetype>(polygones[k].size(), 65535)));
            Enregistre(POLYPOLYGON, mots);
        }
        return;
    }
    if (!tracer)
        return;
    for (const QPolygonF& p : polygones) {
        const int n = static_cast<int>(std::min<qsizetype>(p.size(), 32767));
        if (n < 2)
            continue;
        std::vector<uint16_t> mots{static_cast<uint16_t>(n)};
        points(p, mots, n);
        Enregistre(POLYLINE, mots);
    }
}

void Moteur_Wmf::drawPath(const QPainterPath& chemin) {
    const bool remplir = brosse_.style() != Qt::NoBrush;
    const bool tracer = stylo_.style() != Qt::NoPen;
    // Styled or wide strokes that GDI would draw differently are filled as outlines.
    const bool contour = tracer && !stylo_.isCosmetic() && stylo_.style() != Qt::SolidLine &&
                         stylo_.widthF() * Echelle(transformation_) > 1.5;
    if (remplir) {
        const bool brosse = Choisit_Brosse(brosse_);
        if (brosse) {
            const bool avec_stylo = tracer && !contour;
            if (avec_stylo) {
                // Closed shapes take their outline from the pen in the same record.
                bool fermes = true;
                const auto sous = chemin.toSubpathPolygons(transformation_);
                for (const auto& p : sous) fermes = fermes && p.isClosed();
                if (fermes) {
                    Choisit_Stylo();
                    Polygones(sous, chemin.fillRule(), true, true);
                    return;
                }
            }
            Choisit_Sans_Stylo();
            Polygones(chemin.toSubpathPolygons(transformation_), chemin.fillRule(), true, false);
        }
    }
    if (!tracer)
        return;
    if (contour) {
        QPainterPathStroker traceur(stylo_);
        const QPainterPath trait = traceur.createStroke(chemin);
        const QBrush garde = brosse_;
        Choisit_Brosse(stylo_.brush());
        Choisit_Sans_Stylo();
        Polygones(trait.toSubpathPolygons(transformation_), Qt::WindingFill, true, false);
        brosse_ = garde;
        return;
    }
    if (!Choisit_Stylo())
        return;
    for (const QPolygonF& p : chemin.toSubpathPolygons(transformation_)) {
        if (p.isClosed() && p.size() > 2) {
            Choisit_Brosse(Qt::NoBrush);
            Polygones({p}, Qt::OddEvenFill, true, true);
        } else {
            Polygones({p}, Qt::OddEvenFill, false, true);
        }
    }
}

void Moteur_Wmf::drawPolygon(const QPointF* points, int nb, PolygonDrawMode mode) {
    QPainterPath chemin;
    if (nb <= 0)
        return;
    chemin.moveTo(points[0]);
    for (int k = 1; k < nb; ++k) chemin.lineTo(points[k]);
    if (mode == PolylineMode) {
        const QBrush garde = brosse_;
        brosse_ = Qt::NoBrush;
        drawPath(chemin);
        brosse_ = garde;
        return;
    }
    chemin.closeSubpath();
    chemin.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    drawPath(chemin);
}

void Moteur_Wmf::drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) {
    Image(r, pixmap.toImage(), source);
}

void Moteur_Wmf::drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                           Qt::ImageConversionFlags) {
    Image(r, image, source);
}

void Moteur_Wmf::Image(const QRectF& r, const QImage& image, const QRectF& source) {
    const QRectF dest = transformation_.mapRect(r);
    if (dest.isEmpty() || image.isNull())
        return;
    QImage partie = image.copy(source.toAlignedRect()).convertToFormat(QImage::Format_ARGB32);
    // No need to store more pixels than the frame can show.
    if (partie.width() > dest.width() * 2 + 2 || partie.height() > dest.height() * 2 + 2)
        partie = partie.scaled(std::max(1, static_cast<int>(std::ceil(dest.width()))),
                               std::max(1, static_cast<int>(std::ceil(dest.height()))), Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation);
    const double opacite = Opacite();
    bool trous = false;
    QImage couleurs(partie.size(), QImage::Format_RGB32), masque(partie.size(), QImage::Format_RGB32);
    for (int y = 0; y < partie.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(partie.constScanLine(y));
        auto* c = reinterpret_cast<QRgb*>(couleurs.scanLine(y));
        auto* m = reinterpret_cast<QRgb*>(masque.scanLine(y));
        for (int x = 0; x < partie.width(); ++x) {
            const double a = qAlpha(s[x]) / 255.0 * opacite;
            if (a < 0.5) {
                trous = true;
                c[x] = qRgb(0, 0, 0);
                m[x] = qRgb(255, 255, 255);
                continue;
            }
            const uint32_t v = Sur_Blanc(QColor::fromRgba(s[x]), opacite);
            c[x] = qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
            m[x] = qRgb(0, 0, 0);
        }
    }
    auto etire = [&](const QImage& im, uint32_t rop) {
        Enregistre(STRETCHDIB,
                   {static_cast<uint16_t>(rop & 0xFFFF), static_cast<uint16_t>(rop >> 16), 0,
                    static_cast<uint16_t>(im.height()), static_cast<uint16_t>(im.width()), 0, 0,
                    Coordonnee(dest.height()), Coordonnee(dest.width()), Coordonnee(dest.top()),
                    Coordonnee(dest.left())},
                   Dib::Encode(im));
    };
    if (trous) {
        // A transparent image is laid as a mask pair: the AND mask clears its shape, the OR image fills it.
        etire(masque, SRCAND);
        etire(couleurs, SRCPAINT);
    } else {
        etire(couleurs, SRCCOPY);
    }
}

void Moteur_Wmf::drawTextItem(const QPointF& p, const QTextItem& texte) {
    const QTransform& t = transformation_;
    const QFont police = texte.font();
    const QString chaine = texte.text();
    const bool droit = t.m12() == 0 && t.m21() == 0 && t.m11() > 0 && t.m22() > 0;
    double alpha = 0;
    const uint32_t couleur = Sur_Blanc(Couleur_Brosse(stylo_.brush()), Opacite(), &alpha);
    if (alpha <= 0 || chaine.isEmpty())
        return;
    const QByteArray octets = chaine.toLatin1();
    if (!droit || QString::fromLatin1(octets) != chaine) {
        // Rotated, mirrored or beyond Latin-1: the glyphs are drawn as shapes.
        QPainterPath chemin;
        chemin.addText(p, police, chaine);
        const QBrush garde = brosse_;
        const QPen garde_stylo = stylo_;
        brosse_ = QBrush(Couleur_Brosse(stylo_.brush()));
        stylo_ = QPen(Qt::NoPen);
        chemin.setFillRule(Qt::WindingFill);
        drawPath(chemin);
        brosse_ = garde;
        stylo_ = garde_stylo;
        return;
    }
    const double pixels = police.pixelSize() > 0 ? police.pixelSize() : police.pointSizeF() * 96.0 / 72.0;
    const int hauteur = static_cast<int>(std::lround(pixels * t.m22()));
    QByteArray suite;
    suite.append(police.italic() ? 1 : 0);
    suite.append(police.underline() ? 1 : 0);
    suite.append(police.strikeOut() ? 1 : 0);
    suite.append('\0');  // ANSI character set
    suite.append(QByteArray(4, '\0'));
    QByteArray nom = police.family().toLatin1().left(31);
    nom.append(QByteArray(32 - nom.size(), '\0'));
    suite.append(nom);
    const int i = Cree_Objet(
        CREATEFONTINDIRECT,
        {static_cast<uint16_t>(-std::max(1, hauteur)), 0, 0, 0, static_cast<uint16_t>(police.weight())},
        suite);
    if (couleur != couleur_texte_ecrite_) {
        Enregistre(SETTEXTCOLOR,
                   {static_cast<uint16_t>(couleur & 0xFFFF), static_cast<uint16_t>(couleur >> 16)});
        couleur_texte_ecrite_ = couleur;
    }
    // Advances are written out so that the text keeps its width whatever font the reader finds.
    const QFontMetricsF mesures(police);
    std::vector<uint16_t> mots{Coordonnee(t.map(p).y()), Coordonnee(t.map(p).x()),
                               static_cast<uint16_t>(octets.size()), 0};
    QByteArray corps = octets;
    if (corps.size() % 2)
        corps.append('\0');
    double cumul = 0, cumul_ecrit = 0;
    for (QChar c : chaine) {
        cumul += mesures.horizontalAdvance(c) * t.m11();
        const double arrondi = std::round(cumul);
        Ajoute16(corps, static_cast<uint16_t>(static_cast<int16_t>(arrondi - cumul_ecrit)));
        cumul_ecrit = arrondi;
    }
    Enregistre(EXTTEXTOUT, mots, corps);
    Supprime_Objet(i);
}

}  // namespace kestrane::wmf
