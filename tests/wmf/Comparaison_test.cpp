// Renders the project's own metafiles (written from small SVG drawings) with our player and with
// the independent renderer of libwmf (`wmf2gd`, Debian package libwmf-bin), at the same size,
// and reports how far the two rasters differ. Skipped when the reference renderer is absent.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Conversion_Svg.h"
#include "Metafichier.h"
#include "Rendu_Wmf.h"

namespace kestrane::wmf::test {
namespace {

struct Cas {
    const char* nom;
    const char* svg;
};

const Cas Cas_Svg[] = {
    {"shapes",
     R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 240 180"><rect width="240" height="180" fill="#fffff0"/>
      <rect x="10" y="10" width="100" height="60" fill="#c03020"/>
      <circle cx="170" cy="50" r="40" fill="#20a040"/>
      <polygon points="20,170 70,90 120,170" fill="#2040c0"/>
      <ellipse cx="185" cy="135" rx="45" ry="30" fill="#e0c020"/></svg>)"},
    {"tree",
     R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 240 180"><rect width="240" height="180" fill="#fffff0"/>
      <rect x="105" y="100" width="30" height="80" fill="#785028"/>
      <ellipse cx="120" cy="70" rx="90" ry="60" fill="#2e8b3c"/>
      <ellipse cx="90" cy="60" rx="30" ry="20" fill="#4caf50"/>
      <path d="M120 20 C150 40 170 60 150 100 L90 100 C70 60 90 40 120 20 Z" fill="#1b5e20"/></svg>)"},
    {"strokes",
     R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 240 180"><rect width="240" height="180" fill="#fffff0"/>
      <rect x="20" y="20" width="200" height="140" fill="#f0e0c0" stroke="#000000" stroke-width="6"/>
      <line x1="30" y1="90" x2="210" y2="90" stroke="#a00000" stroke-width="10"/>
      <polyline points="30,150 80,110 130,150 180,110" fill="none" stroke="#0000a0" stroke-width="8"/></svg>)"},
    {"palette", R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 400 100">
      <rect x="0" y="0" width="100" height="100" fill="#ff0000"/><rect x="100" y="0" width="100" height="100" fill="#00ff00"/>
      <rect x="200" y="0" width="100" height="100" fill="#0000ff"/><rect x="300" y="0" width="100" height="100" fill="#ffff00"/></svg>)"},
};

// The share of pixels whose colours agree within a tolerance per channel.
double Accord(const QImage& a, const QImage& b, int tolerance) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32).scaled(x.size());
    int64_t egaux = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            egaux += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                               std::abs(qBlue(p) - qBlue(q))}) <= tolerance;
        }
    return static_cast<double>(egaux) / (static_cast<double>(x.width()) * x.height());
}

TEST(Comparaison, OurPlayerAgreesWithTheReferenceRenderer) {
    const QString reference = QStandardPaths::findExecutable("wmf2gd");
    if (reference.isEmpty())
        GTEST_SKIP() << "wmf2gd (libwmf-bin) not installed";
    QTemporaryDir dossier;
    for (const Cas& c : Cas_Svg) {
        const QString svg = dossier.filePath(QString(c.nom) + ".svg"),
                      wmf = dossier.filePath(QString(c.nom) + ".wmf"),
                      png = dossier.filePath(QString(c.nom) + ".png");
        QFile f(svg);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(c.svg) > 0);
        f.close();
        // Each drawing covers its whole frame: the reference renderer frames what is drawn, not the
        // bounding box of the header.
        const QSize taille = QString(c.svg).contains("400 100") ? QSize(400, 100) : QSize(240, 180);
        ASSERT_TRUE(
            Convertit_Svg_En_Wmf(svg.toStdString(), wmf.toStdString(), taille.width(), taille.height()).ok());
        QProcess p;
        p.start(reference, {"-t", "png", QString("--maxwidth=%1").arg(taille.width()),
                            QString("--maxheight=%1").arg(taille.height()), "--maxsize", "-o", png, wmf});
        ASSERT_TRUE(p.waitForFinished(30000));
        const QImage theirs(png);
        ASSERT_FALSE(theirs.isNull()) << c.nom << ": the reference renderer gave no image";
        auto lu = Metafichier::Lit_Fichier(wmf.toStdString());
        ASSERT_TRUE(lu.ok());
        const QImage ours = Rendu_Wmf::Rend(lu.value(), taille);
        const double accord = Accord(ours, theirs, 24);
        std::printf("[ compare ] %-8s %dx%d (reference %dx%d): %.2f%% of pixels agree\n", c.nom,
                    taille.width(), taille.height(), theirs.width(), theirs.height(), accord * 100);
        RecordProperty(c.nom, QString::number(accord * 100, 'f', 2).toStdString());
        EXPECT_GT(accord, 0.95) << c.nom;  // edges of wide strokes differ a little (caps, joins)
    }
}

}  // namespace
}  // namespace kestrane::wmf::test
