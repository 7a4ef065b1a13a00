// The print command on a PDF printer: what each case puts on paper, in how many documents, and
// how an abort, a cancelled dialog, a missing drawing and a piece without a rule are handled.
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

#include "Banc_Impression.h"
#include "Robot_Tab.h"
#include "frmPrint.h"

namespace kestrane::test {
namespace {

struct Point {
    double x, y;  // in the 480 x 360 drawing stretched to the whole page
    QRgb couleur;
};

// Each document is one page, landscape or not, showing the points.
void Attend_Pages(const QStringList& documents, bool paysage, const std::vector<Point>& points) {
    for (const QString& doc : documents) {
        const std::vector<QImage> pages = Banc_Impression::Pages(doc);
        ASSERT_EQ(pages.size(), 1u) << doc.toStdString();
        EXPECT_EQ(pages[0].width() > pages[0].height(), paysage) << doc.toStdString();
        for (const Point& p : points)
            EXPECT_TRUE(Couleur_Proche(Au_Point(pages[0], p.x, p.y), p.couleur)) << p.x << ", " << p.y;
    }
}

// Each piece in place, stretched to the whole sheet, not to the printable area: the leaf's edges
// stay where the drawing puts them and the trunk reaches the bottom edge.
const std::vector<Point> Portrait_Entier = {{120, 100, Vert_Feuille}, {240, 300, Brun_Tronc}, {440, 300, Blanc}, {34, 100, Blanc},
                                            {46, 100, Vert_Feuille},  {120, 34, Blanc},       {120, 46, Vert_Feuille}, {240, 358.5, Brun_Tronc}};

Status Portrait(Banc_Impression& b) { return b.Imprimeur->Imprime_Portrait(b.Portrait.Identification->Etats_Choisis()); }
Status Feuilles(Banc_Impression& b) { return b.Imprimeur->Imprime_Choix("feuille.wmf"); }
Status Dessin(Banc_Impression& b) {  // 2200 x 3300, the top half red, the bottom half blue
    QImage dessin(2200, 3300, QImage::Format_RGB32);
    dessin.fill(Qt::blue);
    QPainter(&dessin).fillRect(0, 0, 2200, 1650, Qt::red);
    return b.Imprimeur->Imprime_Dessin(dessin);
}

// {key, answers, what is printed, dialog accepted, copies} -> error, documents and what they show,
// whether the progress bar moved. The printer keeps the copy count asked for and its orientation.
TEST(PrintCommand, WhatEachCasePutsOnPaper) {
    const struct {
        const char* cas;
        std::string sql;
        std::vector<std::vector<int>> reponses;  // the states chosen, in turn (frames 0 and 2 answered)
        std::function<Status(Banc_Impression&)> imprime;
        bool accepte;
        int copies, documents;
        std::string erreur;
        bool paysage, progression;
        std::vector<Point> points;
    } cas[] = {
        {"portrait", "", {}, Portrait, true, 3, 3, "", true, true, Portrait_Entier},
        // The leaf drawn only when compound; the screen keeps it for a simple one, the paper not.
        {"piece without a rule", "DELETE FROM Hierarchie WHERE Numero = 4", {{1, 8}, {0, 8}}, Portrait, true, 1, 1, "", true, true,
         {{240, 300, Brun_Rugueux}, {120, 100, Blanc}}},
        {"missing drawing", "UPDATE Hierarchie SET Nom = 'absent' WHERE Numero = 4", {}, Portrait, true, 2, 2, "absent00.wmf", true, true,
         {{240, 300, Brun_Tronc}, {120, 100, Blanc}}},
        {"state picture, once whatever the copies", "", {}, Feuilles, true, 2, 1, "", true, false,
         {{120, 180, qRgb(0x88, 0xcc, 0x88)}, {360, 180, qRgb(0xcc, 0xcc, 0x44)}}},
        {"missing state picture: named, the page left blank", "", {}, [](Banc_Impression& b) { return b.Imprimeur->Imprime_Choix("absent.wmf"); },
         true, 1, 1, "absent.wmf", true, false, {{120, 180, Blanc}}},
        {"cancelled portrait", "", {}, Portrait, false, 1, 0, "", true, false, {}},
        {"cancelled state picture", "", {}, Feuilles, false, 1, 0, "", true, false, {}},
        {"cancelled drawing", "", {}, Dessin, false, 1, 0, "", false, false, {}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        Banc_Impression b(c.sql);
        for (const auto& etats : c.reponses) {
            std::vector<int16_t> choisis(9, 0);
            for (const int e : etats) choisis[static_cast<size_t>(e)] = 1;
            ASSERT_TRUE(b.Portrait.Identification->Remplace_Reponses(choisis, {-1, 0, -1}).ok());
            (void)b.Portrait.Identification->Actualise_Identification();
        }
        if (!c.reponses.empty()) {
            ATTEND_QUE(b.Portrait.Capture_Robot().pixel(120, 185) == Vert_Feuille);
        }
        bool progression = false;
        QObject::connect(b.Imprimeur->Progression().Attente, &QProgressBar::valueChanged, [&] { progression = true; });
        b.Dialogues.imprimantes = {c.accepte};
        b.Dialogues.copies = c.copies;
        const Status s = c.imprime(b);
        EXPECT_EQ(s.ok(), c.erreur.empty());
        EXPECT_NE(s.message().find(c.erreur), std::string::npos) << s.message();
        EXPECT_EQ(std::tuple(b.Dialogues.dialogues_imprimante, b.Documents().size(), progression, b.Imprimeur->Progression().isVisible()),
                  std::tuple(1, c.documents, c.progression, false));
        Attend_Pages(b.Documents(), c.paysage, c.points);
        EXPECT_EQ(std::tuple(b.Imprimeur->Imprimante().copyCount(), b.Imprimeur->Imprimante().pageLayout().orientation()),
                  std::tuple(c.copies, QPageLayout::Portrait));
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
        imbriquee = Portrait(b);
        QTest::mouseClick(progression.Abord_But, Qt::LeftButton);
    });
    b.Dialogues.imprimantes = {true, true};
    b.Dialogues.copies = 2;
    const Status s = Portrait(b);
    EXPECT_TRUE(s.ok()) << "an abort is not an error: " << s.message();
    // The bar was shown at the abort, over pieces 0 .. Nb_Robot - 1; the print asked for meanwhile
    // was ignored (one dialog) though it answered without error.
    EXPECT_EQ(std::tuple(visible_a_l_abandon, maximum, imbriquee.ok(), b.Dialogues.dialogues_imprimante,
                         b.Imprimeur->Impression_Annulee(), progression.isVisible()),
              std::tuple(true, 1, true, 1, true, false));
    // The aborted job holds only the piece printed before the abort; the second copy never starts.
    // (A PDF job cannot be withdrawn: the page is ended with what it holds.)
    ASSERT_EQ(b.Documents().size(), 1);
    Attend_Pages(b.Documents(), true, {{240, 300, Brun_Tronc}, {120, 100, Blanc}});

    b.Dialogues.copies = 1;
    Portrait(b);
    EXPECT_FALSE(b.Imprimeur->Impression_Annulee());
    ASSERT_EQ(b.Documents().size(), 2);
    Attend_Pages({b.Documents()[1]}, true, Portrait_Entier);
}

// A drawing of 7 1/3 x 11 inches from the printable area's corner, once per copy.
TEST(DrawingPrint, FillsSevenAndAThirdByElevenInchesOncePerCopy) {
    Banc_Impression b;
    b.Dialogues.imprimantes = {true};
    b.Dialogues.copies = 2;
    EXPECT_TRUE(Dessin(b).ok());
    ASSERT_EQ(b.Documents().size(), 2);
    const QMarginsF marges = b.Imprimeur->Imprimante().pageLayout().margins(QPageLayout::Inch);
    auto point = [&](double x_pouces, double y_pouces) {  // at 50 dpi
        return QPoint(static_cast<int>((marges.left() + x_pouces) * 50), static_cast<int>((marges.top() + y_pouces) * 50));
    };
    for (const QString& doc : b.Documents()) {
        const std::vector<QImage> pages = Banc_Impression::Pages(doc);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_LT(pages[0].width(), pages[0].height());
        for (const auto& [x, y, couleur] : {std::tuple(0.2, 0.2, qRgb(255, 0, 0)), {7.1, 5.3, qRgb(255, 0, 0)},
                                            {0.2, 5.7, qRgb(0, 0, 255)}, {7.1, 10.8, qRgb(0, 0, 255)}, {7.55, 3.0, Blanc}})
            EXPECT_TRUE(Couleur_Proche(pages[0].pixel(point(x, y)), couleur)) << x << ", " << y;
    }
}

}  // namespace
}  // namespace kestrane::test
