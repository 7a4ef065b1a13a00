#include "Trace_Direct.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kestrane::wmf {

namespace {

// Smallest integer ≥ v, for |v| well within int (std::ceil is a library call on baseline x86-64).
inline int Plafond(double v) {
    const int i = static_cast<int>(v);
    return i < v ? i + 1 : i;
}

// Floor of a / b for b > 0.
inline int64_t Division_Plancher(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The pixels of one line step along its major axis; the minor coordinate of each is the exact
// line rounded half up, which depends on the endpoints only, never on where the drawing is
// clipped (so bands of one picture agree).
template <typename Pose>
void Parcourt_Ligne(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t debut, int64_t fin, Pose&& pose) {
    // Major axis x, with x0 <= x1; callers swap axes for steep lines.
    if (x1 < x0) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    debut = std::max(debut, x0);
    fin = std::min(fin, x1);
    if (debut > fin)
        return;
    const int64_t dx = x1 - x0, dy = y1 - y0;
    if (dx == 0) {
        pose(x0, y0);
        return;
    }
    // y(x) = y0 + floor((2 (x − x0) dy + dx) / (2 dx)), carried as quotient and remainder.
    const int64_t deux_dx = 2 * dx;
    int64_t numerateur = 2 * (debut - x0) * dy + dx;
    int64_t q = Division_Plancher(numerateur, deux_dx);
    int64_t r = numerateur - q * deux_dx;
    const int64_t pas = 2 * dy;
    const int64_t pas_q = Division_Plancher(pas, deux_dx), pas_r = pas - pas_q * deux_dx;
    for (int64_t x = debut; x <= fin; ++x) {
        pose(x, y0 + q);
        q += pas_q;
        r += pas_r;
        if (r >= deux_dx) {
            r -= deux_dx;
            ++q;
        }
    }
}

}  // namespace

bool Trace_Direct::Format_Accepte(const QImage& image) {
    const auto f = image.format();
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
}

Trace_Direct::Trace_Direct(QImage& image)
    : bits_(image.bits()), pas_(image.bytesPerLine()), largeur_(image.width()), hauteur_(image.height()) {}

void Trace_Direct::Remplit(const QPoint* points, int nb, bool enroulement, QRgb couleur) {
    if (nb < 3)
        return;
    cotes_.clear();
    int haut = points[0].y(), bas = points[0].y();
    for (int k = 0; k < nb; ++k) {
        const QPoint a = points[k], b = points[k + 1 < nb ? k + 1 : 0];
        haut = std::min(haut, a.y());
        bas = std::max(bas, a.y());
        if (a.y() == b.y())
            continue;
        Cote c;
        c.sens = a.y() < b.y() ? 1 : -1;
        const QPoint h = c.sens > 0 ? a : b, l = c.sens > 0 ? b : a;
        c.haut = h.y();
        c.bas = l.y();
        c.pente = static_cast<double>(l.x() - h.x()) / (l.y() - h.y());
        c.x0 = h.x() + 0.5 * c.pente - 0.5;  // crossing of the first row's centre line, less half a pixel
        cotes_.push_back(c);
    }
    haut = std::max(haut, 0);
    bas = std::min(bas, hauteur_);
    couleur |= 0xFF000000u;
    for (int y = haut; y < bas; ++y) {
        // Edges cover the rows whose centre y + 0.5 lies in [haut, bas).
        intersections_.clear();
        for (const Cote& c : cotes_) {
            if (y < c.haut || y >= c.bas)
                continue;
            const double x = c.x0 + (y - c.haut) * c.pente;
            // Insertion keeps the few crossings of a row sorted.
            size_t i = intersections_.size();
            intersections_.push_back({x, c.sens});
            while (i > 0 && intersections_[i - 1].x > x) {
                std::swap(intersections_[i - 1], intersections_[i]);
                --i;
            }
        }
        auto* ligne = reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * pas_);
        int compte = 0;
        for (size_t i = 0; i + 1 < intersections_.size(); ++i) {
            compte += intersections_[i].sens;
            if (enroulement ? compte == 0 : (i % 2) != 0)
                continue;
            // Pixels whose centre lies in [xa, xb): x from ceil(xa − ½) to ceil(xb − ½) − 1.
            const double xa = std::clamp(intersections_[i].x, -1.0, static_cast<double>(largeur_));
            const double xb = std::clamp(intersections_[i + 1].x, -1.0, static_cast<double>(largeur_));
            const int debut = std::max(0, Plafond(xa));
            const int fin = std::min(largeur_, Plafond(xb));
            if (fin > debut)
                std::fill(ligne + debut, ligne + fin, couleur);
        }
    }
}

void Trace_Direct::Trace(const QPoint* points, int nb, bool ferme, QRgb couleur) {
    couleur |= 0xFF000000u;
    if (nb == 1)
        Ligne(points[0], points[0], couleur);
    for (int k = 0; k + 1 < nb; ++k) Ligne(points[k], points[k + 1], couleur);
    if (ferme && nb > 2)
        Ligne(points[nb - 1], points[0], couleur);
}

void Trace_Direct::Ligne(QPoint a, QPoint b, QRgb couleur) {
    auto pixel = [this, couleur](int64_t x, int64_t y) {
        if (x >= 0 && y >= 0 && x < largeur_ && y < hauteur_)
            reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * pas_)[x] = couleur;
    };
    if (std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y()))
        Parcourt_Ligne(a.x(), a.y(), b.x(), b.y(), 0, largeur_ - 1, pixel);
    else
        Parcourt_Ligne(a.y(), a.x(), b.y(), b.x(), 0, hauteur_ - 1,
                       [&](int64_t y, int64_t x) { pixel(x, y); });
}

}  // namespace kestrane::wmf
