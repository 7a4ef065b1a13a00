#pragma once
// Internal to the player: the state of one play of a metafile (device context, object table,
// mapping) and the decoding of record parameters. Joueur_Metafichier is the interface; the
// record families are played in Joueur_Metafichier.cpp, Seance_Bitmaps.cpp and Seance_Texte.cpp.

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "Fonctions_Wmf.h"
#include "Metafichier.h"
#include "Objets_Gdi.h"
#include "Rapport_Lecture.h"
#include "Trace_Direct.h"

namespace kestrane::wmf::lecture {

// Device coordinates are clamped to this magnitude so that absurd extents cannot overflow the
// rasteriser's fixed-point arithmetic.
constexpr double Coordonnee_Max = 4.0e6;
// The object table never grows beyond the 16-bit indices that can address it.
constexpr size_t Objets_Max = 65535;
// SAVEDC nesting we keep; deeper saves are counted and ignored.
constexpr size_t Sauvegardes_Max = 1024;

enum : uint32_t {
    SRCCOPY = 0x00CC0020,
    SRCPAINT = 0x00EE0086,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
    NOTSRCCOPY = 0x00330008,
    BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062,
    PATCOPY = 0x00F00021,
    DSTINVERT = 0x00550009,
    PATINVERT = 0x005A0049,
    DSTCOPY = 0x00AA0029,
    MERGECOPY = 0x00C000CA,
    PSDPXAX = 0x00B8074A,
    DSPDXAX = 0x00E20746,
};

// The parameter words of one record, read with bounds checks: reading past the end yields 0
// and marks the reader as short, so a malformed record is recognised and skipped.
class Parametres {
  public:
    Parametres(const uint8_t* p, size_t n) : p_(p), n_(n) {}
    size_t taille() const { return n_; }
    const uint8_t* octets() const { return p_; }
    bool court() const { return court_; }
    uint16_t u16(size_t mot) {
        if ((mot + 1) * 2 > n_) {
            court_ = true;
            return 0;
        }
        return static_cast<uint16_t>(p_[mot * 2] | (p_[mot * 2 + 1] << 8));
    }
    int16_t i16(size_t mot) { return static_cast<int16_t>(u16(mot)); }
    uint32_t u32(size_t mot) { return u16(mot) | (static_cast<uint32_t>(u16(mot + 1)) << 16); }

  private:
    const uint8_t* p_;
    size_t n_;
    bool court_ = false;
};

// The part of a device context that SAVEDC keeps.
struct Etat_Dc {
    QPointF org_fenetre, ext_fenetre, org_vue, ext_vue;
    int mode_mapping = 1;
    Stylo_Gdi stylo;
    Brosse_Gdi brosse;
    Police_Gdi police;
    Palette_Gdi palette;
    QColor couleur_fond = Qt::white, couleur_texte = Qt::black;
    int mode_fond = 2;    // OPAQUE
    int remplissage = 1;  // ALTERNATE
    int rop2 = 13;        // R2_COPYPEN
    uint16_t alignement = 0;
    int espace_caracteres = 0;
    QPointF position;  // logical
    bool decoupe = false;
    QRegion region_decoupe;  // in painter coordinates
};

class Seance {
  public:
    Seance(const Metafichier& m, QPainter& p, const QRectF& cible) : m_(m), p_(p), cible_(cible) {
        if (m.placable()) {
            const auto& e = m.entete_placable();
            e_.org_fenetre = QPointF(e.gauche, e.haut);
            e_.ext_fenetre = QPointF(e.droite - e.gauche, e.bas - e.haut);
        } else if (!m.etendue_fenetre_initiale().isEmpty() || m.etendue_fenetre_initiale().width() < 0 ||
                   m.etendue_fenetre_initiale().height() < 0) {
            e_.org_fenetre = m.origine_fenetre_initiale();
            e_.ext_fenetre =
                QPointF(m.etendue_fenetre_initiale().width(), m.etendue_fenetre_initiale().height());
        }
        if (e_.ext_fenetre.x() == 0 || e_.ext_fenetre.y() == 0) {
            // Neither a bounding box nor a window: one logical unit per target pixel.
            e_.ext_fenetre =
                QPointF(std::max(1.0, std::abs(cible.width())), std::max(1.0, std::abs(cible.height())));
        }
        reference_ = e_.ext_fenetre;
        e_.ext_vue = reference_;
        objets_.resize(std::min<size_t>(m.nb_objets(), Objets_Max));
        auto* moteur = p.paintEngine();
        const auto* image = dynamic_cast<const QImage*>(p.device());
        // Antialiasing is switched off while playing, so the raster engine's operations apply.
        // Only the raster engine really applies them; vector engines claim them and draw copies.
        ops_raster_ = moteur && moteur->type() == QPaintEngine::Raster &&
                      moteur->hasFeature(QPaintEngine::RasterOpModes) && !(image && image->hasAlphaChannel());
        entier_ = p.transform().type() <= QTransform::TxTranslate &&
                  p.transform().dx() == std::round(p.transform().dx()) &&
                  p.transform().dy() == std::round(p.transform().dy());
        decoupe_initiale_ = p.hasClipping();
        auto* image_cible = dynamic_cast<QImage*>(p.device());
        if (image_cible && Trace_Direct::Format_Accepte(*image_cible) &&
            image_cible->devicePixelRatio() == 1.0 && p.transform().isIdentity() && !decoupe_initiale_ &&
            p.opacity() == 1.0 && p.compositionMode() == QPainter::CompositionMode_SourceOver)
            direct_.emplace(*image_cible);
        if (decoupe_initiale_)
            chemin_initial_ = p.clipPath();
        Calcule_Mapping();
    }

    Rapport_Lecture Joue() {
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing, false);
        Applique_Fond();
        stylo_sale_ = brosse_sale_ = true;
        const auto* base = reinterpret_cast<const uint8_t*>(m_.donnees().constData());
        for (const auto& e : m_.enregistrements()) {
            Parametres a(base + e.debut, e.nb_octets);
            Joue_Enregistrement(e.fonction, a);
        }
        p_.restore();
        return std::move(rapport_);
    }

  private:
    // ----- mapping -----
    void Calcule_Mapping() {
        const double ex = e_.ext_fenetre.x(), ey = e_.ext_fenetre.y();
        const double rx = reference_.x() == 0 ? 1 : reference_.x(),
                     ry = reference_.y() == 0 ? 1 : reference_.y();
        double kx = e_.ext_vue.x() / ex * cible_.width() / rx;
        double ky = e_.ext_vue.y() / ey * cible_.height() / ry;
        if (e_.mode_mapping == 7) {  // MM_ISOTROPIC keeps one unit square
            const double k = std::min(std::abs(kx), std::abs(ky));
            kx = std::copysign(k, kx);
            ky = std::copysign(k, ky);
        }
        // A mapping that a device context could not hold either (beyond a million pixels per
        // unit, or not a number) is kept within bounds rather than followed.
        auto borne_echelle = [](double k) { return std::isfinite(k) ? std::clamp(k, -1.0e6, 1.0e6) : 1.0; };
        kx_ = borne_echelle(kx);
        ky_ = borne_echelle(ky);
        ox_ = Borne(cible_.left() + e_.org_vue.x() * cible_.width() / rx - e_.org_fenetre.x() * kx_);
        oy_ = Borne(cible_.top() + e_.org_vue.y() * cible_.height() / ry - e_.org_fenetre.y() * ky_);
        stylo_sale_ = true;
    }
    // Nearest integer, halves away from zero, without a library call (|v| ≤ Coordonnee_Max).
    static int Arrondi(double v) { return v >= 0 ? static_cast<int>(v + 0.5) : -static_cast<int>(0.5 - v); }
    static double Borne(double v) { return std::clamp(v, -Coordonnee_Max, Coordonnee_Max); }
    QPointF Point(double x, double y) const { return {Borne(ox_ + x * kx_), Borne(oy_ + y * ky_)}; }
    QRectF Rect(double g, double h, double d, double b) const {
        return QRectF(Point(g, h), Point(d, b)).normalized();
    }
    // The rectangle a shape's outline is centred on: with a wide PS_INSIDEFRAME pen the whole
    // outline stays inside the frame the record gives.
    QRectF Dans_Cadre(const QRectF& r) const {
        const double l = Longueur_X(e_.stylo.largeur);
        if ((e_.stylo.style & 0xF) != 6 || l <= 1.0)
            return r;
        const double d = std::min({l / 2, r.width() / 2, r.height() / 2});
        return r.adjusted(d, d, -d, -d);
    }
    double Longueur_X(double l) const { return std::min(std::abs(l * kx_), Coordonnee_Max); }

    // ----- colours -----
    QColor Couleur(uint32_t ref) const {
        const int r = ref & 0xFF, g = (ref >> 8) & 0xFF, b = (ref >> 16) & 0xFF;
        if ((ref >> 24) == 1) {  // PALETTEINDEX
            const int i = r | (g << 8);
            if (i < e_.palette.couleurs.size())
                return QColor::fromRgb(e_.palette.couleurs[i]);
            return Qt::black;
        }
        return QColor(r, g, b);
    }

    // ----- painter state -----
    void Applique_Fond() {
        p_.setBackgroundMode(e_.mode_fond == 2 ? Qt::OpaqueMode : Qt::TransparentMode);
        p_.setBackground(QBrush(e_.couleur_fond));
        brosse_sale_ = true;
    }
    // The colour a pen or brush of colour c lays under the current ROP2. `rien` is set when the
    // operation leaves the paper unchanged. Operations that read the paper are done by the
    // painter's raster operations where it has them (Applique_Composition); elsewhere (printer,
    // transparent layers) they are taken as they look on white paper.
    QColor Couleur_Rop2(QColor c, bool& rien) const {
        rien = false;
        const QColor inverse(255 - c.red(), 255 - c.green(), 255 - c.blue());
        switch (e_.rop2) {
            case 1:
                return Qt::black;  // R2_BLACK
            case 16:
                return Qt::white;  // R2_WHITE
            case 11:
                rien = true;
                return c;  // R2_NOP
            case 4:
                return inverse;  // R2_NOTCOPYPEN
            default:
                break;
        }
        if (ops_raster_)
            return c;
        switch (e_.rop2) {
            case 2:
            case 5:
            case 6:
                return Qt::black;  // NOTMERGEPEN, MASKPENNOT, NOT
            case 3:
            case 7:
            case 8:
                return inverse;  // MASKNOTPEN, XORPEN, NOTMASKPEN
            case 12:
            case 15:
                rien = true;
                return c;  // MERGENOTPEN, MERGEPEN: white stays white
            default:
                return c;  // MASKPEN, NOTXORPEN, MERGEPENNOT, COPYPEN
        }
    }
    void Applique_Composition() {
        QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
        if (ops_raster_) {
            switch (e_.rop2) {
                case 2:
                    mode = QPainter::RasterOp_NotSourceAndNotDestination;
                    break;
                case 3:
                    mode = QPainter::RasterOp_NotSourceAndDestination;
                    break;
                case 5:
                    mode = QPainter::RasterOp_SourceAndNotDestination;
                    break;
                case 6:
                    mode = QPainter::RasterOp_NotDestination;
                    break;
                case 7:
                    mode = QPainter::RasterOp_SourceXorDestination;
                    break;
                case 8:
                    mode = QPainter::RasterOp_NotSourceOrNotDestination;
                    break;
                case 9:
                    mode = QPainter::RasterOp_SourceAndDestination;
                    break;
                case 10:
                    mode = QPainter::RasterOp_NotSourceXorDestination;
                    break;
                case 12:
                    mode = QPainter::RasterOp_NotSourceOrDestination;
                    break;
                case 14:
                    mode = QPainter::RasterOp_SourceOrNotDestination;
                    break;
                case 15:
                    mode = QPainter::RasterOp_SourceOrDestination;
                    break;
                default:
                    break;
            }
        }
        p_.setCompositionMode(mode);
    }
    bool Prepare_Stylo() {
        if (!stylo_sale_)
            return stylo_visible_;
        stylo_sale_ = false;
        const auto& s = e_.stylo;
        const int style = s.style & 0xF;
        bool rien = false;
        const QColor c = Couleur_Rop2(s.couleur, rien);
        stylo_visible_ = style != 5 && !rien;
        if (!stylo_visible_) {
            p_.setPen(Qt::NoPen);
            return false;
        }
        const double largeur = Longueur_X(s.largeur);
        QPen pen(c);
        // QPen refuses widths beyond 32767 (and would fall back to one pixel).
        pen.setWidthF(largeur <= 1.0 ? 0.0 : std::min(largeur, 32767.0));
        const int cap = s.style & 0x0F00, joint = s.style & 0xF000;
        pen.setCapStyle(cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap);
        pen.setJoinStyle(joint == 0x1000 ? Qt::BevelJoin : joint == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
        if (largeur <= 1.0 && style >= 1 && style <= 4) {
            // Styled lines exist only one pixel wide; their dashes are measured in pixels.
            static const QList<qreal> tirets[] = {{18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
            pen.setDashPattern(tirets[style - 1]);
            pen.setCapStyle(Qt::FlatCap);
        }
        p_.setPen(pen);
        return true;
    }
    QBrush Brosse_Qt(const Brosse_Gdi& b, bool& visible) const {
        visible = true;
        bool rien = false;
        switch (b.style) {
            case 1:
                visible = false;
                return Qt::NoBrush;
            case 2: {
                static const Qt::BrushStyle hachures[] = {Qt::HorPattern,   Qt::VerPattern,
                                                          Qt::FDiagPattern, Qt::BDiagPattern,
                                                          Qt::CrossPattern, Qt::DiagCrossPattern};
                const QColor c = Couleur_Rop2(b.couleur, rien);
                visible = !rien;
                return QBrush(c, hachures[std::min<int>(b.hachure, 5)]);
            }
            case 3:
            case 5:
            case 6: {
                if (b.motif.isNull()) {
                    visible = false;
                    return Qt::NoBrush;
                }
                if (!b.motif_mono)
                    return QBrush(b.motif);
                // A monochrome pattern paints its 0 bits in the text colour and its 1 bits in the
                // background colour.
                QImage motif = b.motif.convertToFormat(QImage::Format_RGB32);
                const QRgb avant = e_.couleur_texte.rgb(), fond = e_.couleur_fond.rgb();
                for (int y = 0; y < motif.height(); ++y) {
                    auto* l = reinterpret_cast<QRgb*>(motif.scanLine(y));
                    for (int x = 0; x < motif.width(); ++x) l[x] = (l[x] & 0xFFFFFF) ? fond : avant;
                }
                return QBrush(motif);
            }
            default: {
                const QColor c = Couleur_Rop2(b.couleur, rien);
                visible = !rien;
                return QBrush(c);
            }
        }
    }
    bool Prepare_Brosse() {
        if (!brosse_sale_)
            return brosse_visible_;
        brosse_sale_ = false;
        p_.setBrush(Brosse_Qt(e_.brosse, brosse_visible_));
        if (!brosse_visible_)
            p_.setBrush(Qt::NoBrush);
        return brosse_visible_;
    }
    void Applique_Decoupe() {
        if (!e_.decoupe) {
            if (decoupe_initiale_)
                p_.setClipPath(chemin_initial_);
            else
                p_.setClipping(false);
            return;
        }
        p_.setClipRegion(e_.region_decoupe);
        if (decoupe_initiale_)
            p_.setClipPath(chemin_initial_, Qt::IntersectClip);
    }
    // Clips to the region (in logical units), or removes the clipping without one.
    void Decoupe_Region(const Region_Gdi* region) {
        e_.decoupe = region != nullptr;
        e_.region_decoupe = QRegion();
        if (region) {
            for (const QRect& r : region->region)
                e_.region_decoupe += Rect_Entier(Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
        }
        Applique_Decoupe();
    }
    // The region's area in painter coordinates, each of its rectangles shrunk by lx and ly.
    QPainterPath Chemin_Region(const Region_Gdi& region, double lx, double ly) const {
        QPainterPath chemin;
        for (const QRect& r : region.region)
            chemin.addRect(Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1).adjusted(lx, ly, -lx, -ly));
        return chemin.simplified();
    }
    QRegion Region_Entiere() const {
        return QRegion(QRect(QPoint(-(1 << 22), -(1 << 22)), QPoint(1 << 22, 1 << 22)));
    }
    static QRect Rect_Entier(const QRectF& r) {
        return QRect(QPoint(static_cast<int>(std::lround(r.left())), static_cast<int>(std::lround(r.top()))),
                     QPoint(static_cast<int>(std::lround(r.right())) - 1,
                            static_cast<int>(std::lround(r.bottom())) - 1));
    }

    // ----- objects -----
    void Ajoute_Objet(Objet_Gdi objet, uint16_t fonction) {
        for (auto& o : objets_)
            if (!o) {
                o = std::move(objet);
                return;
            }
        if (objets_.size() >= Objets_Max) {
            rapport_.Ignore(fonction, "object table full");
            return;
        }
        objets_.push_back(std::move(objet));
    }
    Objet_Gdi* Objet(uint16_t i) {
        if (i >= objets_.size() || !objets_[i])
            return nullptr;
        return &*objets_[i];
    }

    // ----- records -----
    void Joue_Enregistrement(uint16_t f, Parametres& a) {
        const bool ok = Execute(f, a);
        if (ok && !a.court())
            ++rapport_.joues[f];
        else if (a.court())
            rapport_.Ignore(f, "record too short");
    }
    void Ignore(uint16_t f, const char* raison) { rapport_.Ignore(f, raison); }

    bool Execute(uint16_t f, Parametres& a);
    bool Cree(uint16_t f, Parametres& a);
    bool Dessine_Bitmap(uint16_t f, Parametres& a);
    void Texte(const QByteArray& octets, double x, double y, uint16_t options, const QRectF* rect,
               const std::vector<int>& espaces);
    void Pose_Image(uint16_t f, QImage image, QRectF source, double x, double y, double w, double h,
                    uint32_t rop);
    void Remplit_Rop(const QRectF& r, uint32_t rop);

    // Whether the polygon or polyline in points_entiers_ can be drawn by the fast path.
    bool Trace_Direct_Possible(int n) const {
        if (!direct_ || e_.decoupe || e_.rop2 != 13 || n < 2)
            return false;
        const int style_stylo = e_.stylo.style & 0xF;
        const bool stylo_simple =
            style_stylo == 5 || (style_stylo == 0 && Longueur_X(e_.stylo.largeur) <= 1.0);
        const bool brosse_simple =
            e_.brosse.style == 1 || (e_.brosse.style == 0 && e_.brosse.couleur.alpha() == 255);
        return stylo_simple && brosse_simple;
    }
    void Trace_Rapide(bool polygone, int n) {
        const int style_stylo = e_.stylo.style & 0xF;
        if (polygone && e_.brosse.style == 0)
            direct_->Remplit(points_entiers_.data(), n, e_.remplissage == 2, e_.brosse.couleur.rgb());
        if (style_stylo == 0)
            direct_->Trace(points_entiers_.data(), n, polygone, e_.stylo.couleur.rgb());
    }

    template <typename Dessin>
    void Forme(Dessin&& dessin, bool remplie = true) {
        const bool stylo = Prepare_Stylo();
        const bool brosse = remplie && Prepare_Brosse();
        if (!stylo && !brosse)
            return;
        if (!remplie || !brosse) {
            p_.setBrush(Qt::NoBrush);
            brosse_sale_ = true;
        }
        if (!stylo) {
            p_.setPen(Qt::NoPen);
            stylo_sale_ = true;
        }
        dessin();
    }

    const Metafichier& m_;
    QPainter& p_;
    QRectF cible_;
    QPointF reference_;
    Etat_Dc e_;
    std::vector<Etat_Dc> pile_;
    std::vector<std::optional<Objet_Gdi>> objets_;
    std::vector<QPointF> points_;
    std::vector<QPoint> points_entiers_;
    bool entier_ = false;  // the painter draws in device pixels: integer points take Qt's faster paths
    std::optional<Trace_Direct> direct_;  // set when the painter paints a plain 32-bit image untransformed
    double kx_ = 1, ky_ = 1, ox_ = 0, oy_ = 0;
    bool ops_raster_ = false;
    bool decoupe_initiale_ = false;
    QPainterPath chemin_initial_;
    bool stylo_sale_ = true, brosse_sale_ = true, stylo_visible_ = false, brosse_visible_ = false;
    Rapport_Lecture rapport_;
};

}  // namespace kestrane::wmf::lecture
