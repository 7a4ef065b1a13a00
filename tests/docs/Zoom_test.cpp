// The drawing page: its images report the mouse, the zoom window magnifies the drawing under the
// pointer, the legend window accompanies it. Expected regions are worked out by hand at 15 twips
// per pixel with the zoom window's first inner size (6405 x 3735 twips).

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

#include "Fixture_Documents.h"
#include "WebTexte.h"
#include "cImgs.h"
#include "frmLegende.h"
#include "frmZoom.h"

namespace kestrane::test {
namespace {

// Local documents, the ash's drawing page shown with its images reporting. The copy's page gets
// an image outside the drawing (left of 12 pixels) and a link around the drawing.
struct Page_Dessin : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(bac.documents->Zoom().logicalDpiX(), 96) << "expected values assume 15 twips per pixel";
        d.Tree_esp_NodeClick(Frene);
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/frexc_en.html")));
        Ouvre_Dessin(QStringLiteral("dessin_frexc_en.html"), 2);
    }
    static void Change_Page(const Copie_Base& copie) {
        QFile fichier(QString::fromStdString((copie.Dossier() / "documents/f/frexc/dessin_frexc_en.html").string()));
        ASSERT_TRUE(fichier.open(QIODevice::ReadWrite));
        QString page = QString::fromUtf8(fichier.readAll());
        const QString dessin = QStringLiteral("<img id=\"dessin\""), fin = QStringLiteral("alt=\"Fraxinus excelsior\">");
        ASSERT_TRUE(page.contains(dessin) && page.contains(fin));
        page.replace(fin, fin + "</a>").replace(dessin, "<img src=\"frexc.gif\" style=\"position:absolute;left:0;top:0;"
                                                         "width:10px;height:60px\"><a href=\"frexc_fr.html\">" + dessin);
        fichier.resize(0);
        fichier.write(page.toUtf8());
    }
    // Follows the shown page's link to a drawing page and waits until its images report.
    void Ouvre_Dessin(const QString& page, int images) {
        QSignalSpy pret(&d.Images(), &cImgs::Pret);
        ASSERT_TRUE(Suit_Lien(d, page));
        ASSERT_TRUE(Attend([&] { return pret.count() == 1; }));
        EXPECT_EQ(pret.at(0).at(0).toInt(), images);
    }
    QWidget* Cible() { return d.Vue().focusProxy(); }
    // The zoom and the legend on screen.
    std::pair<bool, bool> Montres() { return {d.Zoom().isVisible(), d.Legende().isVisible()}; }
    // Presses the mouse at a point of the view and waits until the documents have handled it.
    void Enfonce(int x, int y) {
        QSignalSpy bas(&d.Images(), &cImgs::MouseDown);
        QTest::mousePress(Cible(), Qt::LeftButton, {}, QPoint(x, y));
        QTest::mouseRelease(Cible(), Qt::LeftButton, {}, QPoint(x, y));
        ASSERT_TRUE(Attend([&] { return bas.count() == 1; }));
    }

    Bac_Documents bac{Change_Page};
    Documents& d = *bac.documents;
};

// One page load for everything the drawing page does, each block going on from where the one
// before left it.
TEST_F(Page_Dessin, ZoomAndLegendFollowTheMouseOnTheDrawingAndLeaveWithThePage) {
    const QString texte = QStringLiteral("Pinnate leaf, black buds");
    {  // the completed page: the drawing and the legend
        EXPECT_EQ(std::tuple(d.Etat().Image_Dessin.size(), d.Etat().Dessin_X0, d.Etat().Dessin_Y0,
                             d.Etat().Texte_Legende), std::tuple(QSize(2200, 3300), 12, 72, texte));
        frmLegende& legende = d.Legende();
        ASSERT_TRUE(legende.isVisible());
        EXPECT_EQ(std::pair(legende.windowTitle(), legende.Texte()), std::pair(QStringLiteral("Legend"), texte));
        const QFontMetrics mesure(legende.font());  // room for two spaces more than the text
        EXPECT_EQ(legende.width(), mesure.horizontalAdvance(QStringLiteral("  ") + texte) + 3);
        EXPECT_GT(legende.width(), mesure.horizontalAdvance(texte) + 3);
        const QImage image = legende.grab().toImage();  // the text on one line from the left edge
        QRect encre;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != legende.palette().color(QPalette::ToolTipBase))
                    encre |= QRect(x, y, 1, 1);
        EXPECT_TRUE(encre.left() <= 2 && std::abs(encre.right() - mesure.horizontalAdvance(texte)) <= 3 &&
                    encre.bottom() < mesure.height())
            << encre.right();
        // Beside the splitter at (300, 90), 450 high: two thirds of the legend's width to its left,
        // two thirds of its height down.
        EXPECT_NEAR(legende.x(), 300 - 2.0 * legende.frameGeometry().width() / 3, 1.0);
        EXPECT_NEAR(legende.y(), 90 + 300, 1.0);
        EXPECT_FALSE(d.Zoom().isVisible());
    }
    // Wherever the main window's splitter and view lie, the legend and the zoom open whole on the
    // screen that holds the window: the legend beside the splitter, the zoom beside the drawing.
    {
        const QRect zone = bac.hote.zone = QRect(100, 50, 1400, 700);
        // The splitter (global pixels), where the view is moved to, whether the zoom fits at its
        // place beside the drawing: well inside, the placement stands; with the splitter at the left
        // edge and the view near the bottom right, both windows move.
        const std::tuple<QRect, QPoint, bool> cas[] = {{{500, 60, 6, 300}, {120, 70}, true},
                                                        {{102, 60, 6, 450}, {1000, 600}, false}};
        for (const auto& [barre, vue, coin_libre] : cas) {
            d.Legende().hide();
            d.Zoom().hide();
            bac.hote.barre = barre;
            d.Vue().move(d.Vue().pos() + vue - d.Vue().mapToGlobal(QPoint(0, 0)));
            ASSERT_EQ(d.Vue().mapToGlobal(QPoint(0, 0)), vue);
            Enfonce(112, 272);
            ASSERT_EQ(Montres(), std::pair(true, true));
            EXPECT_EQ(std::tuple(zone.contains(d.Legende().frameGeometry()), zone.contains(d.Zoom().frameGeometry()),
                                 d.Zoom().pos() == vue + QPoint(12 + 550 + 12, 72)),
                      std::tuple(true, true, coin_libre)) << barre.x();
        }
        d.Zoom().hide();
        // A press on an image outside the drawing (left of 12 pixels) does not open the zoom but
        // still recomputes the region; moving over the drawing follows the pointer.
        Enfonce(5, 30);
        EXPECT_FALSE(d.Zoom().isVisible());
        EXPECT_EQ(d.Zoom().Region(), (Region_Zoom{0, 0}));
        QWindow* fenetre = d.Vue().window()->windowHandle();
        QTest::mouseMove(fenetre, Cible()->mapTo(Cible()->window(), QPoint(112, 272)));
        ASSERT_TRUE(Attend([&] { return d.Zoom().Region() == Region_Zoom{2798, 10132}; }));
        EXPECT_FALSE(d.Zoom().isVisible());
    }
    {  // a legend wider than the screen wraps and stays whole on it; neither window is above
       // every other one: as tool windows they stay above their main window, below its dialogs
        frmLegende& legende = d.Legende();
        const QRect zone(0, 0, 300, 700), barre(250, 60, 6, 300);
        legende.Affiche(QStringLiteral("Legend"), QStringLiteral("Pinnate leaf, black buds. ").repeated(8), zone, &barre);
        EXPECT_TRUE(zone.contains(legende.frameGeometry()));
        EXPECT_GE(legende.height(), 3 * QFontMetrics(legende.font()).height());
        for (QWidget* w : {static_cast<QWidget*>(&legende), static_cast<QWidget*>(&d.Zoom())})
            EXPECT_EQ(std::pair(w->windowType(), w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)),
                      std::pair(Qt::Tool, false)) << w->objectName().toStdString();
        legende.hide();
    }
    {  // a press opens the zoom, which shows the drawing from the region's corner, pixel for pixel
        Enfonce(387, 175);  // over the leaflets of the drawing's upper right
        frmZoom& zoom = d.Zoom();
        ASSERT_TRUE(zoom.isVisible());
        EXPECT_EQ(zoom.windowTitle(), QStringLiteral("Zoom 4x : Fraxinus excelsior - Oleaceae"));
        EXPECT_EQ(zoom.Region(), (Region_Zoom{19298, 4312}));  // 60 x 375 - 3202.5 and 60 x 103 - 1867.5
        EXPECT_EQ(std::tuple(d.Etat().Souris_X, d.Etat().Souris_Y), std::tuple(387, 175));
        const QImage vue = zoom.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto dessin = [&](QPoint coin) {
            return d.Etat().Image_Dessin.copy(QRect(coin, vue.size())).convertToFormat(QImage::Format_RGB32);
        };
        // 19298 and 4312 twips are pixels 1286.53 and 287.47 of the drawing, to the nearest 1287
        // and 287; the drawing there tells each offset from the next.
        ASSERT_TRUE(dessin({1287, 287}) != dessin({1288, 287}) && dessin({1287, 287}) != dessin({1287, 288}));
        EXPECT_EQ(vue, dessin({1287, 287}));
        zoom.setWindowTitle(QStringLiteral("still the first"));  // a second press moves the region only
        Enfonce(113, 273);
        EXPECT_EQ(std::pair(zoom.windowTitle(), zoom.Region()),
                  std::pair(QStringLiteral("still the first"), Region_Zoom{2858, 10192}));
        // Dragging in the zoom moves the drawing; moving without the button does not.
        QTest::mousePress(&zoom, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(&zoom, QPoint(200, 150));
        EXPECT_EQ(zoom.Region(), (Region_Zoom{2858 - 1500, 10192 - 750}));
        QTest::mouseRelease(&zoom, Qt::LeftButton, {}, QPoint(200, 150));
        QTest::mouseMove(zoom.windowHandle(), QPoint(150, 120));
        QTest::mouseMove(zoom.windowHandle(), QPoint(20, 30));
        EXPECT_EQ(zoom.Region(), (Region_Zoom{2858 - 1500, 10192 - 750}));
    }
    {  // on a page scrolled by 200 pixels, the region of the point of the page (112, 472)
        d.Vue().page()->runJavaScript(QStringLiteral("window.scrollTo(0, 200)"), cImgs::Monde());
        ASSERT_TRUE(Attend([&] { return d.Vue().page()->scrollPosition().y() == 200; }));
        Enfonce(112, 272);
        EXPECT_EQ(std::pair(d.Zoom().Region(), d.Etat().Souris_Y), std::pair(Region_Zoom{2798, 22132}, 472L));
    }
    {  // a click on the drawing, inside a link, goes nowhere; leaving the page by a link hides the
       // zoom and the legend
        QSignalSpy navigations(&d.Vue(), &WebTexte::BeforeNavigate2);
        QSignalSpy clics(&d.Images(), &cImgs::Clicked);
        QTest::mouseClick(Cible(), Qt::LeftButton, {}, QPoint(300, 400));
        ASSERT_TRUE(Attend([&] { return clics.count() == 1; }));
        Enfonce(112, 272);
        ASSERT_TRUE(d.Zoom().isVisible());
        ASSERT_TRUE(Suit_Lien(d, QStringLiteral("frexc_en.html")));
        ASSERT_EQ(navigations.count(), 1);
        EXPECT_EQ(navigations.at(0).at(0).toUrl().fileName(), QStringLiteral("frexc_en.html"));
        EXPECT_EQ(std::pair(Montres(), d.Images().Actif()), std::pair(std::pair(false, false), false));
    }
    {  // back on the drawing page its images report again; Back hides the zoom and the legend at once
        QSignalSpy pret(&d.Images(), &cImgs::Pret);
        d.Arriere();
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_frexc_en.html")));
        ASSERT_TRUE(Attend([&] { return pret.count() == 1; }));
        Enfonce(112, 272);
        ASSERT_EQ(Montres(), std::pair(true, true));
        d.Arriere();
        EXPECT_EQ(Montres(), std::pair(false, false));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/frexc_en.html")));
    }
    {  // another species hides them and lets the drawing go; the pine's pages, stored in capitals,
       // and its drawing page without legend or drawing: a press opens nothing
        Ouvre_Dessin(QStringLiteral("dessin_frexc_en.html"), 2);
        Enfonce(112, 272);
        d.Tree_esp_NodeClick({"Pinus sylvestris", "PISYL", "Pinaceae"});
        EXPECT_EQ(Montres(), std::pair(false, false));
        EXPECT_TRUE(d.Etat().Image_Dessin.isNull() && d.Etat().Texte_Legende.isEmpty());
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/P/PISYL/PISYL_EN.HTML")));
        Ouvre_Dessin(QStringLiteral("dessin_pisyl_en.html"), 1);
        EXPECT_TRUE(d.Etat().Image_Dessin.isNull() && d.Etat().Texte_Legende.isEmpty());
        Enfonce(112, 272);
        EXPECT_EQ(Montres(), std::pair(false, false));
    }
}

}  // namespace
}  // namespace kestrane::test
