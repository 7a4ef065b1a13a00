// Bitmaps and raster operations of the player: BITBLT, STRETCHBLT, their DIB forms, STRETCHDIB,
// SETDIBTODEV and PATBLT.
#include "Dib.h"
#include "Fonctions_Wmf.h"
#include "Seance_Lecture.h"

namespace kestrane::wmf::lecture {

void Seance::Remplit_Rop(const QRectF& r, uint32_t rop) {
    p_.save();
    p_.setPen(Qt::NoPen);
    switch (rop) {
        case BLACKNESS:
            p_.fillRect(r, Qt::black);
            break;
        case WHITENESS:
            p_.fillRect(r, Qt::white);
            break;
        case DSTINVERT:
            if (ops_raster_) {
                p_.setCompositionMode(QPainter::RasterOp_NotDestination);
                p_.fillRect(r, Qt::white);
            } else
                p_.fillRect(r, Qt::black);  // white paper turns black
            break;
        case PATINVERT:
            if (ops_raster_)
                p_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            [[fallthrough]];
        default: {  // PATCOPY
            bool visible = false;
            const QBrush b = Brosse_Qt(e_.brosse, visible);
            if (visible)
                p_.fillRect(r, b);
        }
    }
    p_.restore();
}

// Makes one colour of an image transparent (white for AND masks, black for OR images), which is
// how the mask raster operations look when painted over white paper.
namespace {
QImage Rend_Transparent(const QImage& image, QRgb couleur) {
    QImage sortie = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < sortie.height(); ++y) {
        auto* l = reinterpret_cast<QRgb*>(sortie.scanLine(y));
        for (int x = 0; x < sortie.width(); ++x)
            if ((l[x] & 0xFFFFFF) == (couleur & 0xFFFFFF))
                l[x] = 0;
    }
    return sortie;
}
}  // namespace

void Seance::Pose_Image(uint16_t f, QImage image, QRectF source, double x, double y, double w, double h,
                        uint32_t rop) {
    QPointF p1 = Point(x, y), p2 = Point(x + w, y + h);
    const bool miroir_x = p2.x() < p1.x(), miroir_y = p2.y() < p1.y();
    QRectF dest = QRectF(p1, p2).normalized();
    if (dest.isEmpty())
        return;
    source = source.intersected(QRectF(image.rect()));
    if (source.isEmpty())
        return;
    if (miroir_x || miroir_y) {
        image = image.copy(source.toAlignedRect()).mirrored(miroir_x, miroir_y);
        source = QRectF(image.rect());
    }
    p_.save();
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (rop) {
        case SRCCOPY:
            break;
        case NOTSRCCOPY:
            image.invertPixels();
            break;
        case SRCAND:
            if (ops_raster_)
                mode = QPainter::RasterOp_SourceAndDestination;
            else
                image = Rend_Transparent(image, qRgb(255, 255, 255));
            break;
        case SRCPAINT:
        case SRCINVERT:
            if (ops_raster_)
                mode = rop == SRCPAINT ? QPainter::RasterOp_SourceOrDestination
                                       : QPainter::RasterOp_SourceXorDestination;
            else
                image = Rend_Transparent(image, qRgb(0, 0, 0));
            break;
        case MERGECOPY:
            break;
        case PSDPXAX:
        case DSPDXAX: {
            // The source is a mask: where it is black (PSDPxax) or white (DSPDxax) the brush is laid,
            // elsewhere the paper stays.
            bool visible = false;
            const QBrush b = Brosse_Qt(e_.brosse, visible);
            QImage masque = image.convertToFormat(QImage::Format_ARGB32);
            const QRgb garde = rop == PSDPXAX ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            const QRgb couleur = b.color().rgb();
            for (int yy = 0; yy < masque.height(); ++yy) {
                auto* l = reinterpret_cast<QRgb*>(masque.scanLine(yy));
                for (int xx = 0; xx < masque.width(); ++xx)
                    l[xx] = (l[xx] & 0xFFFFFF) == (garde & 0xFFFFFF) ? 0 : couleur;
            }
            image = masque;
            if (!visible) {
                p_.restore();
                return;
            }
            break;
        }
        default:
            p_.restore();
            Ignore(f, "raster operation drawn as a copy");
            p_.save();
            break;
    }
    p_.setCompositionMode(mode);
    p_.drawImage(dest, image, source);
    p_.restore();
}

bool Seance::Dessine_Bitmap(uint16_t f, Parametres& a) {
    const uint32_t rop = a.u32(0);
    if (f == PATBLT) {
        const double h = a.i16(2), w = a.i16(3), y = a.i16(4), x = a.i16(5);
        if (a.court())
            return false;
        Remplit_Rop(QRectF(Point(x, y), Point(x + w, y + h)).normalized(), rop);
        return true;
    }
    // Records without a bitmap are pattern or paper operations: (function >> 8) + 3 words long.
    const bool sans_bitmap = (f == BITBLT || f == STRETCHBLT || f == DIBBITBLT || f == DIBSTRETCHBLT) &&
                             a.taille() == static_cast<size_t>((f >> 8) + 3) * 2 - 6;
    if (sans_bitmap) {
        const bool etire = f == STRETCHBLT || f == DIBSTRETCHBLT;
        const size_t m = etire ? 7 : 5;  // after the source fields and a reserved word
        const double h = a.i16(m), w = a.i16(m + 1), y = a.i16(m + 2), x = a.i16(m + 3);
        if (a.court())
            return false;
        if (rop == DSTCOPY)
            return true;
        Remplit_Rop(QRectF(Point(x, y), Point(x + w, y + h)).normalized(), rop);
        return true;
    }
    // Where each record keeps its fields, in words: the colour usage (-1 for none), the source
    // y, x, height, width, the destination y, x, height, width (-1: the source's size), and the
    // byte where the bitmap starts.
    struct Champs {
        int usage, sy, sx, sh, sw, dy, dx, dh, dw;
        size_t debut_bitmap;
    };
    const Champs c = f == BITBLT || f == DIBBITBLT           ? Champs{-1, 2, 3, 4, 5, 6, 7, -1, -1, 16}
                     : f == STRETCHBLT || f == DIBSTRETCHBLT ? Champs{-1, 4, 5, 2, 3, 8, 9, 6, 7, 20}
                     : f == STRETCHDIB                       ? Champs{2, 5, 6, 3, 4, 9, 10, 7, 8, 22}
                                       : Champs{0, 3, 4, 5, 6, 7, 8, -1, -1, 18};  // SETDIBTODEV
    const bool usage_palette = c.usage >= 0 && a.u16(static_cast<size_t>(c.usage)) == 1;
    double sy = a.i16(c.sy);  // measured from the top once the bitmap is read
    const double sx = a.i16(c.sx), sh = a.i16(c.sh), sw = a.i16(c.sw), dy = a.i16(c.dy), dx = a.i16(c.dx);
    const double dh = c.dh < 0 ? sh : a.i16(static_cast<size_t>(c.dh));
    const double dw = c.dw < 0 ? sw : a.i16(static_cast<size_t>(c.dw));
    const size_t debut_bitmap = c.debut_bitmap;
    if (a.court() || a.taille() <= debut_bitmap) {
        Ignore(f, "record too short");
        return false;
    }
    if (rop == DSTCOPY && f != SETDIBTODEV)
        return true;
    const uint8_t* bitmap = a.octets() + debut_bitmap;
    const size_t n = a.taille() - debut_bitmap;
    Result<QImage> image =
        (f == BITBLT || f == STRETCHBLT)
            ? Dib::Decode_Bitmap16(bitmap, n, e_.couleur_texte.rgb(), e_.couleur_fond.rgb())
            : Dib::Decode(bitmap, n, usage_palette, e_.palette.couleurs);
    if (!image) {
        Ignore(f, "bitmap unreadable");
        return false;
    }
    QImage& im = image.value();
    if (f == STRETCHDIB || f == SETDIBTODEV) {
        // Device-independent source rectangles are measured from the bottom row of a bottom-up DIB.
        const uint32_t h_entete = bitmap[0] == 12
                                      ? 0
                                      : static_cast<uint32_t>(bitmap[8] | (bitmap[9] << 8) |
                                                              (bitmap[10] << 16) | (bitmap[11] << 24));
        if (!(static_cast<int32_t>(h_entete) < 0))
            sy = im.height() - sy - std::abs(sh);
    }
    QRectF source(sx, sy, sw, sh);
    if (sw < 0 || sh < 0)
        source = source.normalized();
    Pose_Image(f, std::move(im), source, dx, dy, dw, dh, f == SETDIBTODEV ? SRCCOPY : rop);
    return true;
}

}  // namespace kestrane::wmf::lecture
