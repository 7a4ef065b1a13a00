#include "Joueur_Metafichier.h"

#include "Dib.h"
#include "Fonctions_Wmf.h"
#include "Seance_Lecture.h"
#include "Texte_Wmf.h"

namespace kestrane::wmf {

namespace lecture {

bool Seance::Execute(uint16_t f, Parametres& a) {
    switch (f) {
        // ----- state -----
        case SAVEDC:
            if (pile_.size() >= Sauvegardes_Max) {
                Ignore(f, "saves nested too deep");
                return false;
            }
            pile_.push_back(e_);
            return true;
        case RESTOREDC: {
            const int n = a.i16(0);
            const int64_t profondeur = static_cast<int64_t>(pile_.size());
            // Negative: relative to the current level; positive: an absolute save number.
            const int64_t cible = n < 0 ? profondeur + n : n - 1;
            if (a.court() || cible < 0 || cible >= profondeur) {
                Ignore(f, "no such saved state");
                return false;
            }
            e_ = pile_[static_cast<size_t>(cible)];
            pile_.resize(static_cast<size_t>(cible));
            Calcule_Mapping();
            Applique_Fond();
            Applique_Composition();
            Applique_Decoupe();
            stylo_sale_ = brosse_sale_ = true;
            return true;
        }
        case SETMAPMODE:
            e_.mode_mapping = a.u16(0);
            Calcule_Mapping();
            return true;
        case SETWINDOWORG:
        case SETVIEWPORTORG:
        case OFFSETWINDOWORG:
        case OFFSETVIEWPORTORG: {
            QPointF& origine = f == SETWINDOWORG || f == OFFSETWINDOWORG ? e_.org_fenetre : e_.org_vue;
            const QPointF point(a.i16(1), a.i16(0));
            origine = f == OFFSETWINDOWORG || f == OFFSETVIEWPORTORG ? origine + point : point;
            Calcule_Mapping();
            return true;
        }
        case SETWINDOWEXT:
        case SETVIEWPORTEXT: {
            const QPointF ext(a.i16(1), a.i16(0));
            if (ext.x() == 0 || ext.y() == 0) {
                Ignore(f, "zero extent");
                return false;
            }
            (f == SETWINDOWEXT ? e_.ext_fenetre : e_.ext_vue) = ext;
            Calcule_Mapping();
            return true;
        }
        case SCALEWINDOWEXT:
        case SCALEVIEWPORTEXT: {
            const double yd = a.i16(0), yn = a.i16(1), xd = a.i16(2), xn = a.i16(3);
            QPointF& ext = f == SCALEWINDOWEXT ? e_.ext_fenetre : e_.ext_vue;
            // Extents stay whole numbers of the 32-bit range, as in a device context.
            const QPointF nouvelle(xd ? std::trunc(ext.x() * xn / xd) : 0,
                                   yd ? std::trunc(ext.y() * yn / yd) : 0);
            if (nouvelle.x() == 0 || nouvelle.y() == 0) {
                Ignore(f, "zero extent");
                return false;
            }
            if (std::abs(nouvelle.x()) > 2147483647.0 || std::abs(nouvelle.y()) > 2147483647.0) {
                Ignore(f, "extent out of range");
                return false;
            }
            ext = nouvelle;
            Calcule_Mapping();
            return true;
        }
        case SETBKMODE:
            e_.mode_fond = a.u16(0) == 1 ? 1 : 2;
            Applique_Fond();
            stylo_sale_ = true;
            return true;
        case SETBKCOLOR:
            e_.couleur_fond = Couleur(a.u32(0));
            Applique_Fond();
            return true;
        case SETTEXTCOLOR:
            e_.couleur_texte = Couleur(a.u32(0));
            brosse_sale_ = true;
            return true;
        case SETPOLYFILLMODE:
            e_.remplissage = a.u16(0) == 2 ? 2 : 1;
            return true;
        case SETROP2: {
            const int r = a.u16(0);
            if (r < 1 || r > 16) {
                Ignore(f, "unknown mix mode");
                return false;
            }
            e_.rop2 = r;
            Applique_Composition();
            stylo_sale_ = brosse_sale_ = true;
            return true;
        }
        case SETTEXTALIGN:
            e_.alignement = a.u16(0);
            return true;
        case SETTEXTCHAREXTRA:
            e_.espace_caracteres = a.i16(0);
            return true;
        case SETSTRETCHBLTMODE:
        case SETRELABS:
        case SETMAPPERFLAGS:
        case SETLAYOUT:
        case REALIZEPALETTE:
            return true;  // no effect on a stretched, unpaletted device
        case SETTEXTJUSTIFICATION:
            Ignore(f, "justification not applied");
            return false;
        case ESCAPE:
            Ignore(f, "escapes ignored");
            return false;
        case MOVETO:
            e_.position = QPointF(a.i16(1), a.i16(0));
            return true;

        // ----- objects -----
        case CREATEPENINDIRECT:
        case CREATEBRUSHINDIRECT:
        case CREATEFONTINDIRECT:
        case CREATEPALETTE:
        case CREATEREGION:
        case DIBCREATEPATTERNBRUSH:
        case CREATEPATTERNBRUSH:
            if (!Cree(f, a)) {
                Ajoute_Objet(Objet_Vide{}, f);
                return false;
            }
            return true;
        case DELETEOBJECT: {
            const uint16_t i = a.u16(0);
            if (a.court() || i >= objets_.size() || !objets_[i]) {
                Ignore(f, "no such object");
                return false;
            }
            objets_[i].reset();
            return true;
        }
        case SELECTOBJECT:
        case SELECTPALETTE: {
            Objet_Gdi* o = Objet(a.u16(0));
            if (!o) {
                Ignore(f, "no such object");
                return false;
            }
            if (auto* s = std::get_if<Stylo_Gdi>(o)) {
                e_.stylo = *s;
                stylo_sale_ = true;
            } else if (auto* b = std::get_if<Brosse_Gdi>(o)) {
                e_.brosse = *b;
                brosse_sale_ = true;
            } else if (auto* p = std::get_if<Police_Gdi>(o))
                e_.police = *p;
            else if (auto* pal = std::get_if<Palette_Gdi>(o))
                e_.palette = *pal;
            else if (auto* r = std::get_if<Region_Gdi>(o)) {
                // Selecting a region selects it as the clipping region.
                Decoupe_Region(r);
            } else {
                Ignore(f, "placeholder object");
                return false;
            }
            return true;
        }
        case SETPALENTRIES:
        case ANIMATEPALETTE: {
            const int debut = a.u16(0), nb = a.u16(1);
            for (int k = 0; k < nb && (2 + 2 * k + 1) * 2 < static_cast<int>(a.taille()); ++k) {
                const uint32_t v = a.u32(2 + 2 * k);
                const int i = debut + k;
                if (i >= 1024)
                    break;
                if (i >= e_.palette.couleurs.size())
                    e_.palette.couleurs.resize(i + 1);
                e_.palette.couleurs[i] = qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
            }
            return true;
        }
        case RESIZEPALETTE:
            e_.palette.couleurs.resize(std::min<int>(a.u16(0), 1024));
            return true;

        // ----- clipping -----
        case INTERSECTCLIPRECT:
        case EXCLUDECLIPRECT: {
            const QRect r = Rect_Entier(Rect(a.i16(3), a.i16(2), a.i16(1), a.i16(0)));
            if (a.court())
                return false;
            if (f == INTERSECTCLIPRECT)
                e_.region_decoupe = e_.decoupe ? e_.region_decoupe.intersected(r) : QRegion(r);
            else
                e_.region_decoupe = (e_.decoupe ? e_.region_decoupe : Region_Entiere()).subtracted(r);
            e_.decoupe = true;
            Applique_Decoupe();
            return true;
        }
        case OFFSETCLIPRGN: {
            if (!e_.decoupe)
                return true;
            const double dx = a.i16(1) * kx_, dy = a.i16(0) * ky_;
            e_.region_decoupe.translate(static_cast<int>(std::lround(Borne(dx))),
                                        static_cast<int>(std::lround(Borne(dy))));
            Applique_Decoupe();
            return true;
        }
        case SELECTCLIPREGION: {
            Objet_Gdi* o = Objet(a.u16(0));
            Decoupe_Region(o ? std::get_if<Region_Gdi>(o) : nullptr);
            return true;
        }

        // ----- lines and shapes -----
        case LINETO: {
            const QPointF fin(a.i16(1), a.i16(0));
            if (a.court())
                return false;
            if (Prepare_Stylo())
                p_.drawLine(Point(e_.position.x(), e_.position.y()), Point(fin.x(), fin.y()));
            e_.position = fin;
            return true;
        }
        case POLYLINE:
        case POLYGON: {
            const int n = a.i16(0);
            if (n < 0 || static_cast<size_t>(n) * 4 + 2 > a.taille()) {
                Ignore(f, "point count past the record");
                return false;
            }
            if (entier_) {
                // Device coordinates are whole pixels on a device context too.
                points_entiers_.resize(static_cast<size_t>(n));
                for (int k = 0; k < n; ++k) {
                    const QPointF q = Point(a.i16(1 + 2 * k), a.i16(2 + 2 * k));
                    points_entiers_[static_cast<size_t>(k)] = QPoint(Arrondi(q.x()), Arrondi(q.y()));
                }
                if (Trace_Direct_Possible(n)) {
                    Trace_Rapide(f == POLYGON, n);
                    return true;
                }
                if (f == POLYLINE)
                    Forme([&] { p_.drawPolyline(points_entiers_.data(), n); }, false);
                else
                    Forme([&] {
                        p_.drawPolygon(points_entiers_.data(), n,
                                       e_.remplissage == 2 ? Qt::WindingFill : Qt::OddEvenFill);
                    });
                return true;
            }
            points_.resize(static_cast<size_t>(n));
            for (int k = 0; k < n; ++k)
                points_[static_cast<size_t>(k)] = Point(a.i16(1 + 2 * k), a.i16(2 + 2 * k));
            if (f == POLYLINE)
                Forme([&] { p_.drawPolyline(points_.data(), n); }, false);
            else
                Forme([&] {
                    p_.drawPolygon(points_.data(), n,
                                   e_.remplissage == 2 ? Qt::WindingFill : Qt::OddEvenFill);
                });
            return true;
        }
        case POLYPOLYGON: {
            const int nb = a.u16(0);
            if (static_cast<size_t>(nb) * 2 + 2 > a.taille()) {
                Ignore(f, "polygon count past the record");
                return false;
            }
            size_t total = 0;
            for (int k = 0; k < nb; ++k) total += a.u16(1 + k);
            if (total * 4 + static_cast<size_t>(nb) * 2 + 2 > a.taille()) {
                Ignore(f, "point count past the record");
                return false;
            }
            QPainterPath chemin;
            chemin.setFillRule(e_.remplissage == 2 ? Qt::WindingFill : Qt::OddEvenFill);
            size_t mot = 1 + static_cast<size_t>(nb);
            for (int k = 0; k < nb; ++k) {
                const int n = a.u16(1 + k);
                QPolygonF poly;
                poly.reserve(n);
                for (int j = 0; j < n; ++j, mot += 2) poly << Point(a.i16(mot), a.i16(mot + 1));
                chemin.addPolygon(poly);
                chemin.closeSubpath();
            }
            Forme([&] { p_.drawPath(chemin); });
            return true;
        }
        case RECTANGLE:
        case ELLIPSE: {
            const QRectF r = Dans_Cadre(Rect(a.i16(3), a.i16(2), a.i16(1), a.i16(0)));
            if (a.court())
                return false;
            if (f == RECTANGLE) {
                // GDI leaves out the right and bottom edges: the outline runs on the last pixels inside.
                Forme([&] {
                    if (p_.pen().style() != Qt::NoPen && p_.pen().widthF() == 0)
                        p_.drawRect(QRectF(r.left(), r.top(), std::max(0.0, r.width() - 1),
                                           std::max(0.0, r.height() - 1)));
                    else
                        p_.drawRect(r);
                });
            } else {
                Forme([&] { p_.drawEllipse(r); });
            }
            return true;
        }
        case ROUNDRECT: {
            const double hc = a.i16(0), lc = a.i16(1);
            const QRectF r = Dans_Cadre(Rect(a.i16(5), a.i16(4), a.i16(3), a.i16(2)));
            if (a.court())
                return false;
            Forme([&] { p_.drawRoundedRect(r, Longueur_X(lc) / 2, std::abs(hc * ky_) / 2); });
            return true;
        }
        case ARC:
        case PIE:
        case CHORD: {
            const QPointF fin = Point(a.i16(1), a.i16(0)), debut = Point(a.i16(3), a.i16(2));
            const QRectF r = Dans_Cadre(Rect(a.i16(7), a.i16(6), a.i16(5), a.i16(4)));
            if (a.court())
                return false;
            if (r.width() <= 0 || r.height() <= 0)
                return true;
            const QPointF c = r.center();
            auto angle = [&](QPointF q) {  // parametric angle, counter-clockwise on screen
                return std::atan2(-(q.y() - c.y()) / r.height(), (q.x() - c.x()) / r.width()) * 180.0 / M_PI;
            };
            const double a1 = angle(debut);
            double span = angle(fin) - a1;
            while (span <= 0) span += 360;
            if (debut == fin)
                span = 360;
            const int qa = static_cast<int>(std::lround(a1 * 16)),
                      qs = static_cast<int>(std::lround(span * 16));
            if (f == ARC)
                Forme([&] { p_.drawArc(r, qa, qs); }, false);
            else if (f == PIE)
                Forme([&] { p_.drawPie(r, qa, qs); });
            else
                Forme([&] { p_.drawChord(r, qa, qs); });
            return true;
        }
        case SETPIXEL: {
            const QColor c = Couleur(a.u32(0));
            const QPointF q = Point(a.i16(3), a.i16(2));
            if (a.court())
                return false;
            p_.fillRect(QRectF(std::floor(q.x()), std::floor(q.y()), 1, 1), c);
            return true;
        }
        case FILLREGION:
        case PAINTREGION:
        case FRAMEREGION:
        case INVERTREGION: {
            Objet_Gdi* o = Objet(a.u16(0));
            auto* r = o ? std::get_if<Region_Gdi>(o) : nullptr;
            if (!r) {
                Ignore(f, "no such region");
                return false;
            }
            if (f == INVERTREGION) {
                Ignore(f, "region inversion not drawn");
                return false;
            }
            Brosse_Gdi b = e_.brosse;
            if (f != PAINTREGION) {
                Objet_Gdi* ob = Objet(a.u16(1));
                auto* bb = ob ? std::get_if<Brosse_Gdi>(ob) : nullptr;
                if (!bb) {
                    Ignore(f, "no such brush");
                    return false;
                }
                b = *bb;
            }
            bool visible = false;
            const QBrush brosse = Brosse_Qt(b, visible);
            if (!visible)
                return true;
            QPainterPath chemin = Chemin_Region(*r, 0, 0);
            if (f == FRAMEREGION) {
                const double lx = std::max(1.0, Longueur_X(a.i16(3))),
                             ly = std::max(1.0, std::abs(a.i16(2) * ky_));
                chemin = chemin.subtracted(Chemin_Region(*r, lx, ly));
            }
            p_.fillPath(chemin, brosse);
            return true;
        }
        case FLOODFILL:
        case EXTFLOODFILL:
            Ignore(f, "flood fill needs the device's pixels");
            return false;

        // ----- text -----
        case TEXTOUT: {
            const int n = a.i16(0);
            const size_t mots = (static_cast<size_t>(std::max(n, 0)) + 1) / 2;
            if (n < 0 || 2 + mots * 2 + 4 > a.taille()) {
                Ignore(f, "string past the record");
                return false;
            }
            const QByteArray octets(reinterpret_cast<const char*>(a.octets()) + 2, n);
            const double y = a.i16(1 + mots), x = a.i16(2 + mots);
            Texte(octets, x, y, 0, nullptr, {});
            return true;
        }
        case EXTTEXTOUT: {
            const double y = a.i16(0), x = a.i16(1);
            const int n = a.i16(2);
            const uint16_t options = a.u16(3);
            if (a.court() || n < 0)
                return false;
            size_t pos = 8;
            QRectF rect;
            const bool avec_rect = (options & 0x0006) != 0;
            if (avec_rect) {
                if (a.taille() < 16) {
                    Ignore(f, "rectangle past the record");
                    return false;
                }
                rect = Rect(a.i16(4), a.i16(5), a.i16(6), a.i16(7));
                pos = 16;
            }
            if (pos + static_cast<size_t>(n) > a.taille()) {
                Ignore(f, "string past the record");
                return false;
            }
            const QByteArray octets(reinterpret_cast<const char*>(a.octets()) + pos, n);
            pos += (static_cast<size_t>(n) + 1) & ~size_t{1};
            std::vector<int> espaces;
            if (pos + static_cast<size_t>(n) * 2 <= a.taille()) {
                espaces.resize(static_cast<size_t>(n));
                for (int k = 0; k < n; ++k) espaces[static_cast<size_t>(k)] = a.i16(pos / 2 + k);
            }
            Texte(octets, x, y, options, avec_rect ? &rect : nullptr, espaces);
            return true;
        }

        // ----- bitmaps -----
        case BITBLT:
        case STRETCHBLT:
        case DIBBITBLT:
        case DIBSTRETCHBLT:
        case STRETCHDIB:
        case SETDIBTODEV:
        case PATBLT:
            return Dessine_Bitmap(f, a);

        default:
            Ignore(f, "record not supported");
            return false;
    }
}

bool Seance::Cree(uint16_t f, Parametres& a) {
    switch (f) {
        case CREATEPENINDIRECT: {
            Stylo_Gdi s;
            s.style = a.u16(0);
            s.largeur = a.i16(1);
            s.couleur = Couleur(a.u32(3));
            if (a.court())
                return false;
            Ajoute_Objet(s, f);
            return true;
        }
        case CREATEBRUSHINDIRECT: {
            Brosse_Gdi b;
            b.style = a.u16(0);
            b.couleur = Couleur(a.u32(1));
            b.hachure = a.u16(3);
            if (a.court() && a.taille() < 6)
                return false;
            if (b.style == 3 || b.style == 5 || b.style == 6)
                b.style = 0;  // patterns need a bitmap
            if (b.style > 2)
                return false;
            Ajoute_Objet(b, f);
            return true;
        }
        case CREATEFONTINDIRECT: {
            Police_Gdi p;
            p.hauteur = a.i16(0);
            p.largeur = a.i16(1);
            p.escapement = a.i16(2);
            p.poids = a.i16(4);
            if (a.court())
                return false;
            const uint8_t* o = a.octets();
            const size_t n = a.taille();
            if (n >= 18) {
                p.italique = o[10];
                p.souligne = o[11];
                p.barre = o[12];
                p.jeu_caracteres = o[13];
                p.famille = o[17];
                size_t l = 0;
                while (18 + l < n && l < 32 && o[18 + l]) ++l;
                p.nom = Texte_Wmf::Decode(
                    QByteArray(reinterpret_cast<const char*>(o) + 18, static_cast<qsizetype>(l)),
                    p.jeu_caracteres == 2 ? 0 : p.jeu_caracteres);
            }
            Ajoute_Objet(p, f);
            return true;
        }
        case CREATEPALETTE: {
            Palette_Gdi pal;
            const int nb = std::min<int>(a.u16(1), 1024);
            for (int k = 0; k < nb && (2 + 2 * k + 2) * 2 <= static_cast<int>(a.taille()); ++k) {
                const uint32_t v = a.u32(2 + 2 * k);
                pal.couleurs.push_back(qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF));
            }
            if (a.court())
                return false;
            Ajoute_Objet(pal, f);
            return true;
        }
        case CREATEREGION: {
            // Region header (22 bytes), then scans: count, top, bottom, count/2 (left, right) pairs, count.
            if (a.taille() < 22)
                return false;
            const int nb_scans = a.i16(5);
            Region_Gdi r;
            size_t mot = 11;
            std::vector<QRect> rects;
            for (int s = 0; s < nb_scans && (mot + 3) * 2 <= a.taille(); ++s) {
                const int nb = a.u16(mot), haut = a.i16(mot + 1), bas = a.i16(mot + 2);
                if ((mot + 3 + static_cast<size_t>(nb) + 1) * 2 > a.taille())
                    break;
                for (int k = 0; k + 1 < nb; k += 2) {
                    const int g = a.i16(mot + 3 + k), d = a.i16(mot + 4 + k);
                    if (d > g && bas > haut)
                        rects.emplace_back(QPoint(g, haut), QPoint(d - 1, bas - 1));
                }
                mot += 3 + static_cast<size_t>(nb) + 1;
            }
            if (rects.empty() && nb_scans == 0) {
                // An empty scan list: the region is its bounding box.
                const int g = a.i16(7), h = a.i16(8), d = a.i16(9), b = a.i16(10);
                if (d > g && b > h)
                    rects.emplace_back(QPoint(g, h), QPoint(d - 1, b - 1));
            }
            r.region.setRects(rects.data(), static_cast<int>(rects.size()));
            Ajoute_Objet(r, f);
            return true;
        }
        case DIBCREATEPATTERNBRUSH: {
            const uint16_t style = a.u16(0), usage = a.u16(1);
            if (a.court() || a.taille() <= 4)
                return false;
            Brosse_Gdi b;
            b.style = 5;
            auto image =
                style == 3
                    ? Dib::Decode_Bitmap16(a.octets() + 4, a.taille() - 4, qRgb(0, 0, 0), qRgb(255, 255, 255))
                    : Dib::Decode(a.octets() + 4, a.taille() - 4, usage == 1, e_.palette.couleurs);
            if (!image && style == 3)
                image = Dib::Decode(a.octets() + 4, a.taille() - 4, false, {});
            if (!image)
                return false;
            b.motif = std::move(image.value());
            const uint8_t* o = a.octets() + 4;
            b.motif_mono =
                style == 3 || (a.taille() >= 20 && (o[0] == 40 ? o[14] : o[10]) == 1 && style != 5);
            Ajoute_Objet(b, f);
            return true;
        }
        case CREATEPATTERNBRUSH: {
            if (a.taille() < 32)
                return false;
            QByteArray b16(reinterpret_cast<const char*>(a.octets()), 10);
            b16.append(reinterpret_cast<const char*>(a.octets()) + 32,
                       static_cast<qsizetype>(a.taille() - 32));
            auto image =
                Dib::Decode_Bitmap16(reinterpret_cast<const uint8_t*>(b16.constData()),
                                     static_cast<size_t>(b16.size()), qRgb(0, 0, 0), qRgb(255, 255, 255));
            if (!image)
                return false;
            Brosse_Gdi b;
            b.style = 3;
            b.motif = std::move(image.value());
            b.motif_mono = a.octets()[9] == 1;
            Ajoute_Objet(b, f);
            return true;
        }
    }
    return false;
}

}  // namespace lecture

Rapport_Lecture Joueur_Metafichier::Joue(const Metafichier& fichier, QPainter& peintre, const QRectF& cible) {
    if (!peintre.isActive())
        return {};
    lecture::Seance seance(fichier, peintre, cible);
    return seance.Joue();
}

}  // namespace kestrane::wmf
