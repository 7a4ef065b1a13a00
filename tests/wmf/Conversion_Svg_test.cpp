// Small SVG drawings converted into placeable metafiles: framed as asked, played back with their
// colours in place, and close to what the independent renderer `wmf2gd` (Debian package
// libwmf-bin) makes of the same files.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Conversion_Svg.h"
#include "Fabrique_Wmf.h"
#include "Metafichier.h"
#include "Rendu_Wmf.h"

namespace kestrane::wmf::test {
namespace {

// Each drawing covers its whole view box: the reference renderer frames what is drawn, not the
// bounding box of the header.
struct Dessin {
    const char* nom;
    QSize taille, cadre;  // the view box, and the size it is played at; the frame of the file
    const char* svg;
    std::vector<Sonde> sondes;
};
// clang-format off
const Dessin Dessins[] = {
    {"shapes", {240, 180}, {2400, 900}, R"(<rect width="240" height="180" fill="#fffff0"/>
      <rect x="10" y="10" width="100" height="60" fill="#c03020"/><circle cx="170" cy="50" r="40" fill="#20a040"/>
      <polygon points="20,170 70,90 120,170" fill="#2040c0"/><ellipse cx="185" cy="135" rx="45" ry="30" fill="#e0c020"/>)",
     {{60, 40, 0xFFC03020}, {170, 50, 0xFF20A040}, {70, 150, 0xFF2040C0}, {185, 135, 0xFFE0C020}, {230, 90, 0xFFFFFFF0}}},
    {"strokes", {240, 180}, {240, 180}, R"(<rect width="240" height="180" fill="#fffff0"/>
      <rect x="20" y="20" width="200" height="140" fill="#f0e0c0" stroke="#000000" stroke-width="6"/>
      <line x1="30" y1="90" x2="210" y2="90" stroke="#a00000" stroke-width="10"/>
      <polyline points="30,150 80,110 130,150 180,110" fill="none" stroke="#0000a0" stroke-width="8"/>)",
     {{20, 50, Noir}, {60, 50, 0xFFF0E0C0}, {120, 90, 0xFFA00000}}},
};
// clang-format on

// The drawing as an SVG file in the folder; its path.
std::string Svg(const QTemporaryDir& dossier, const QString& nom, QSize taille, const char* contenu) {
    QFile f(dossier.filePath(nom + ".svg"));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QString(R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 %1 %2">)")
                .arg(taille.width())
                .arg(taille.height())
                .toUtf8() +
            contenu + "</svg>");
    return f.fileName().toStdString();
}

// The share of pixels whose colours agree within a tolerance per channel.
double Accord(const QImage& a, const QImage& b, int tolerance) {
    const QImage y = b.convertToFormat(QImage::Format_RGB32).scaled(a.size());
    int64_t egaux = 0;
    for (int j = 0; j < a.height(); ++j)
        for (int i = 0; i < a.width(); ++i) {
            const QRgb p = a.pixel(i, j), q = y.pixel(i, j);
            egaux += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                               std::abs(qBlue(p) - qBlue(q))}) <= tolerance;
        }
    return static_cast<double>(egaux) / (static_cast<double>(a.width()) * a.height());
}

TEST(Conversion_Svg, DrawingsComeBackFramedAsAskedAndAsTheReferenceRendererSeesThem) {
    const QString reference = QStandardPaths::findExecutable("wmf2gd");
    if (reference.isEmpty())
        std::printf("wmf2gd (libwmf-bin) not installed: no comparison with it\n");
    QTemporaryDir dossier;
    for (const Dessin& d : Dessins) {
        SCOPED_TRACE(d.nom);
        const QString wmf = dossier.filePath(QString(d.nom) + ".wmf"),
                      png = dossier.filePath(QString(d.nom) + ".png");
        const Status s = Convertit_Svg_En_Wmf(Svg(dossier, d.nom, d.taille, d.svg), wmf.toStdString(),
                                              d.cadre.width(), d.cadre.height());
        ASSERT_TRUE(s.ok()) << s.message();
        auto lu = Metafichier::Lit_Fichier(wmf.toStdString());
        ASSERT_TRUE(lu.ok());
        EXPECT_EQ(lu->cadre(), QRect(QPoint(0, 0), d.cadre));
        const QImage ours = Rendu_Wmf::Rend(lu.value(), d.taille);
        Verifie(ours, d.sondes);
        if (reference.isEmpty())
            continue;
        QProcess p;
        p.start(reference, {"-t", "png", QString("--maxwidth=%1").arg(d.taille.width()),
                            QString("--maxheight=%1").arg(d.taille.height()), "--maxsize", "-o", png, wmf});
        ASSERT_TRUE(p.waitForFinished(30000));
        const QImage theirs(png);
        ASSERT_FALSE(theirs.isNull()) << "the reference renderer gave no image";
        const double accord = Accord(ours, theirs, 24);
        std::printf("[ compare ] %-8s %.2f%% of pixels agree\n", d.nom, accord * 100);
        EXPECT_GT(accord, 0.95);  // edges of wide strokes differ a little (caps, joins)
    }
}

TEST(Conversion_Svg, ErrorsNameTheFile) {
    QTemporaryDir dossier;
    const std::string absent = dossier.filePath("absent.svg").toStdString();
    const std::string inaccessible = dossier.filePath("no/such/dir/x.wmf").toStdString();
    const std::string svg = Svg(dossier, "a", {10, 10}, "");
    for (const auto& [source, sortie, nomme] :
         {std::tuple(absent, dossier.filePath("x.wmf").toStdString(), absent),
          std::tuple(svg, inaccessible, inaccessible)}) {
        const Status s = Convertit_Svg_En_Wmf(source, sortie, 100, 100);
        ASSERT_FALSE(s.ok());
        EXPECT_NE(s.message().find(nomme), std::string::npos) << s.message();
    }
}

}  // namespace
}  // namespace kestrane::wmf::test
