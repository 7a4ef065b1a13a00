// The print command on a PDF printer: what each case puts on paper, in how many documents, and
// how an abort, a cancelled dialog, a missing drawing and a piece without a rule are handled.
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "Banc_Impression.h"
#include "Pieces_Imprimees.h"
#include "Robot_Tab.h"
#include "frmPrint.h"

namespace kestrane::test {
namespace {

constexpr QRgb Blanc = 0xFFFFFFFF;

// Points of the 480 x 360 portrait drawing.
constexpr double Feuille_X = 120, Feuille_Y = 100;
constexpr double Tronc_X = 240, Tronc_Y = 300;
constexpr double Fruit_X = 350, Fruit_Y = 90;
constexpr double Ciel_X = 440, Ciel_Y = 300;

// The single landscape page of document `doc`.
QImage Page_Paysage(const QString& doc) {
    const std::vector<QImage> pages = Banc_Impression::Pages(doc);
    EXPECT_EQ(pages.size(), 1u) << doc.toStdString();
    if (pages.empty())
        return {};
    EXPECT_GT(pages[0].width(), pages[0].height()) << "not landscape: " << doc.toStdString();
    return pages[0];
}

struct Point {
    double x, y;
    QRgb couleur;
};
// Each piece in place, stretched to the whole sheet, not to the printable area: the leaf's edges
// stay where the drawing puts them and the trunk reaches the bottom edge.
// clang-format off
const std::vector<Point> Portrait_Entier = {
    {Feuille_X, Feuille_Y, Vert_Feuille}, {Tronc_X, Tronc_Y, Brun_Tronc}, {Fruit_X, Fruit_Y, Rouge_Fruit}, {Ciel_X, Ciel_Y, Blanc},
    {34, Feuille_Y, Blanc}, {46, Feuille_Y, Vert_Feuille}, {Feuille_X, 34, Blanc}, {Feuille_X, 46, Vert_Feuille},
    {Tronc_X, 358.5, Brun_Tronc}};
// clang-format on

void Attend_Points(const QImage& page, const std::vector<Point>& points) {
    ASSERT_FALSE(page.isNull());
    for (const Point& p : points) {
        EXPECT_TRUE(Couleur_Proche(Au_Point(page, p.x, p.y), p.couleur)) << p.x << ", " << p.y;
    }
}

// Answers replaced as a whole, then the portrait composed again.
void Repond(Banc_Portrait& b, const std::vector<int>& etats, const std::vector<int>& cadres) {
    std::vector<int16_t> choisis(static_cast<size_t>(b.Base->Nb_Etats_Desc), 0);
    std::vector<int16_t> cadre(static_cast<size_t>(b.Base->Nb_Cadre), 0);
    for (int e : etats) choisis[static_cast<size_t>(e)] = 1;
    for (int c : cadres) cadre[static_cast<size_t>(c)] = -1;
    ASSERT_TRUE(b.Identification->Remplace_Reponses(choisis, cadre).ok());
    (void)b.Identification->Actualise_Identification();
}

// A portrait print from a key and answers: one landscape page per copy, a piece without a
// matching rule left out though the screen keeps its old drawing, an unreadable drawing reported
// by name while the copies go on.
TEST(PortraitPrint, EachCopyIsAPageOfThePiecesTheAnswersChoose) {
    const std::string fruit_sec =  // the fruit drawn only for a dry fruit
        "DELETE FROM Hierarchie WHERE Numero = 5; INSERT INTO Hierarchie (Numero, Robot_Num, Nom, C_0, C_1, C_2) "
        "VALUES (5, 2, 'fruit.wmf', 'FR_SEC', 'Fin', NULL);";
    const struct {
        std::string sql;
        std::vector<std::vector<int>> reponses;  // the states chosen, in turn (frames 1 and 2)
        int copies;
        std::string erreur;
        std::vector<Point> points;
    } cas[] = {
        {"", {}, 3, "", Portrait_Entier},
        // Dry, then fleshy fruit; rough bark: the darker trunk.
        {fruit_sec, {{5, 6}, {5, 7}}, 1, "", {{Tronc_X, Tronc_Y, Brun_Rugueux}, {Fruit_X, Fruit_Y, Blanc}}},
        {"UPDATE Hierarchie SET Nom = 'absent.wmf' WHERE Numero = 5;", {}, 2, "absent.wmf",
         {{Feuille_X, Feuille_Y, Vert_Feuille}, {Fruit_X, Fruit_Y, Blanc}}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.sql);
        Banc_Impression b(Description_Portrait(c.sql));
        for (const auto& etats : c.reponses) Repond(b.Portrait, etats, {1, 2});
        if (!c.reponses.empty()) {
            ATTEND_QUE(b.Portrait.Capture_Robot().pixel(350, 90) == Rouge_Fruit);
        }
        b.Dialogues.imprimantes = {true};
        b.Dialogues.copies = c.copies;
        const Status s = b.Imprimeur->Imprime_Portrait(b.Portrait.Identification->Etats_Choisis());
        EXPECT_EQ(s.ok(), c.erreur.empty());
        EXPECT_NE(s.message().find(c.erreur), std::string::npos) << s.message();
        EXPECT_EQ(b.Dialogues.dialogues_imprimante, 1);
        ASSERT_EQ(b.Documents().size(), c.copies);
        for (const QString& doc : b.Documents()) Attend_Points(Page_Paysage(doc), c.points);
        // The copies were documents of their own: the printer keeps the count asked for.
        const QPrinter& imprimante = b.Imprimeur->Imprimante();
        EXPECT_EQ(std::tuple(imprimante.copyCount(), imprimante.pageLayout().orientation(),
                             b.Imprimeur->Progression().isVisible()),
                  std::tuple(c.copies, QPageLayout::Portrait, false));
    }
}

TEST(PortraitPrint, AbortStopsBeforeTheNextPieceAndTheNextPrintStartsAfresh) {
    Banc_Impression b;
    frmPrint& progression = b.Imprimeur->Progression();
    bool abandonner = true;
    bool visible_a_l_abandon = false;
    int maximum = -1;
    Status imbriquee = Status::Error("not tried");
    // The user aborts while the second piece is under way, after asking for another print.
    QObject::connect(progression.Attente, &QProgressBar::valueChanged, &progression, [&](int valeur) {
        if (!abandonner || valeur != 1)
            return;
        abandonner = false;
        visible_a_l_abandon = progression.isVisible();
        maximum = progression.Attente->maximum();
        imbriquee = b.Imprimeur->Imprime_Portrait(b.Portrait.Identification->Etats_Choisis());
        QTest::mouseClick(progression.Abord_But, Qt::LeftButton);
    });
    b.Dialogues.imprimantes = {true, true};
    b.Dialogues.copies = 2;
    const Status s = b.Imprimeur->Imprime_Portrait(b.Portrait.Identification->Etats_Choisis());
    EXPECT_TRUE(s.ok()) << "an abort is not an error: " << s.message();
    // The bar was shown at the abort, over pieces 0 .. Nb_Robot - 1; the print asked for meanwhile
    // was ignored (one dialog) though it answered without error.
    EXPECT_EQ(std::tuple(visible_a_l_abandon, maximum, imbriquee.ok(), b.Dialogues.dialogues_imprimante,
                         b.Imprimeur->Impression_Annulee(), progression.isVisible()),
              std::tuple(true, 2, true, 1, true, false));
    // The aborted job holds only the piece printed before the abort; the second copy never starts.
    // (A PDF job cannot be withdrawn: the page is ended with what it holds.)
    ASSERT_EQ(b.Documents().size(), 1);
    Attend_Points(Page_Paysage(b.Documents()[0]),
                  {{Tronc_X, Tronc_Y, Brun_Tronc}, {Feuille_X, Feuille_Y, Blanc}, {Fruit_X, Fruit_Y, Blanc}});

    b.Dialogues.copies = 1;
    b.Imprimeur->Imprime_Portrait(b.Portrait.Identification->Etats_Choisis());
    EXPECT_FALSE(b.Imprimeur->Impression_Annulee());
    ASSERT_EQ(b.Documents().size(), 2);
    Attend_Points(Page_Paysage(b.Documents()[1]), Portrait_Entier);
}

TEST(PrintCommand, CancelledPrinterDialogPrintsNothing) {
    Banc_Impression b;
    b.Dialogues.imprimantes = {false, false, false};
    bool montree = false;
    QObject::connect(b.Imprimeur->Progression().Attente, &QProgressBar::valueChanged,
                     [&] { montree = true; });
    EXPECT_TRUE(b.Imprimeur->Imprime_Portrait(b.Portrait.Identification->Etats_Choisis()).ok());
    EXPECT_TRUE(b.Imprimeur->Imprime_Choix("fruit.wmf").ok());
    QImage dessin(2200, 3300, QImage::Format_RGB32);
    dessin.fill(Qt::red);
    EXPECT_TRUE(b.Imprimeur->Imprime_Dessin(dessin).ok());
    EXPECT_EQ(std::tuple(b.Dialogues.dialogues_imprimante, b.Documents().size(), montree,
                         b.Imprimeur->Progression().isVisible()),
              std::tuple(3, 0, false, false));
}

TEST(StatePicturePrint, OneLandscapePageWhateverTheCopiesAndAMissingPictureNamed) {
    Banc_Impression b;
    b.Dialogues.imprimantes = {true};
    b.Dialogues.copies = 2;
    const Status s = b.Imprimeur->Imprime_Choix("fruit.wmf");  // 2 x 2 cells, three states
    EXPECT_TRUE(s.ok()) << s.message();
    ASSERT_EQ(b.Documents().size(), 1);
    // clang-format off
    Attend_Points(Page_Paysage(b.Documents()[0]), {{120, 90, qRgb(0x88, 0xcc, 0x88)}, {360, 90, qRgb(0xcc, 0xcc, 0x44)},
                                                   {120, 270, qRgb(0xcc, 0x88, 0x44)}, {360, 270, Blanc}});
    // clang-format on
    EXPECT_FALSE(b.Imprimeur->Progression().isVisible());  // not the portrait's pieces
    b.Dialogues.imprimantes = {true};
    const Status absente = b.Imprimeur->Imprime_Choix("absent.wmf");
    EXPECT_FALSE(absente.ok());
    EXPECT_NE(absente.message().find("absent.wmf"), std::string::npos) << absente.message();
}

TEST(DrawingPrint, FillsSevenAndAThirdByElevenInchesOncePerCopy) {
    Banc_Impression b;
    // Top half red, bottom half blue.
    QImage dessin(2200, 3300, QImage::Format_RGB32);
    dessin.fill(Qt::blue);
    QPainter(&dessin).fillRect(0, 0, 2200, 1650, Qt::red);
    b.Dialogues.imprimantes = {true};
    b.Dialogues.copies = 2;
    EXPECT_TRUE(b.Imprimeur->Imprime_Dessin(dessin).ok());
    ASSERT_EQ(b.Documents().size(), 2);
    // The drawing starts at the printable area's corner.
    QPrinter& imprimante = b.Imprimeur->Imprimante();
    const QMarginsF marges = imprimante.pageLayout().margins(QPageLayout::Inch);
    const double dpi = 50;
    auto point = [&](double x_pouces, double y_pouces) {
        return QPoint(static_cast<int>((marges.left() + x_pouces) * dpi),
                      static_cast<int>((marges.top() + y_pouces) * dpi));
    };
    for (const QString& doc : b.Documents()) {
        const std::vector<QImage> pages = Banc_Impression::Pages(doc);
        ASSERT_EQ(pages.size(), 1u);
        const QImage& page = pages[0];
        EXPECT_LT(page.width(), page.height());
        for (const auto& [x, y, couleur] :
             {std::tuple(0.2, 0.2, qRgb(255, 0, 0)), std::tuple(7.1, 5.3, qRgb(255, 0, 0)),
              std::tuple(0.2, 5.7, qRgb(0, 0, 255)), std::tuple(7.1, 10.8, qRgb(0, 0, 255))})
            EXPECT_TRUE(Couleur_Proche(page.pixel(point(x, y)), couleur)) << x << ", " << y << " in";
        // Nothing beyond 7 1/3 inches.
        const QPoint droite = point(7.55, 3);
        if (droite.x() < page.width()) {
            EXPECT_TRUE(Couleur_Proche(page.pixel(droite), Blanc));
        }
    }
}

TEST(PrintedPieces, VariantSuffixOfPieceZeroAndPiecesWithoutRow) {
    Banc_Portrait b(
        Description_Portrait("UPDATE Hierarchie SET Nom = 'feuille' WHERE Numero = 4;\n"
                             "UPDATE Hierarchie SET C_0 = 'FR_CHARNU', C_1 = 'Fin' WHERE Numero = 5;\n"));
    ASSERT_NE(b.Base, nullptr);
    EXPECT_EQ(Pieces_Imprimees(*b.Base, "R/", std::vector<int16_t>(9, 0)),
              (std::vector<std::optional<std::string>>{"R/00/tronc00.wmf", "R/01/feuille00.wmf", std::nullopt}));
}

}  // namespace
}  // namespace kestrane::test
