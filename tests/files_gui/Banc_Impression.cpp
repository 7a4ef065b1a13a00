#include "Banc_Impression.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kestrane::test {

bool Dialogues_Pdf::Imprimante(QWidget* parent, QPrinter& printer) {
    ++dialogues_imprimante;
    if (!Dialogues_Scriptes::Imprimante(parent, printer))
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setCopyCount(copies);
    return true;
}

Banc_Impression::Banc_Impression(const std::string& sql)
    : Portrait(sql), dossier_(Dossier_Temporaire("impression")) {
    Imprimeur =
        std::make_unique<Impression>(*Portrait.Base, Portrait.Parametres, Dialogues, Portrait.Fenetre_Hote.get());
    // Each document to a file of its own, named before it opens.
    QObject::connect(Imprimeur.get(), &Impression::Document_Commence, Imprimeur.get(), [this] {
        const QString nom = QString::fromStdString(
            (dossier_ / ("doc" + std::to_string(documents_.size() + 1) + ".pdf")).string());
        Imprimeur->Imprimante().setOutputFileName(nom);
        documents_.push_back(nom);
    });
}

Banc_Impression::~Banc_Impression() {
    Imprimeur.reset();
    std::error_code erreur;
    std::filesystem::remove_all(dossier_, erreur);
}

std::vector<QImage> Banc_Impression::Pages(const QString& pdf) {
    std::vector<QImage> pages;
    const QString pdftoppm = QStringLiteral(KESTRANE_PDFTOPPM);
    if (pdftoppm.isEmpty() || !QFileInfo::exists(pdf))
        return pages;
    const QString prefixe = pdf + ".page";
    QProcess processus;
    processus.start(pdftoppm, {"-png", "-r", "50", pdf, prefixe});
    if (!processus.waitForFinished(60000) || processus.exitCode() != 0) {
        ADD_FAILURE() << "pdftoppm failed on " << pdf.toStdString() << ": "
                      << processus.readAllStandardError().toStdString();
        return pages;
    }
    const QFileInfo info(pdf);
    QStringList fichiers =
        QDir(info.absolutePath()).entryList({info.fileName() + ".page-*.png"}, QDir::Files, QDir::Name);
    for (const QString& f : fichiers)
        pages.push_back(QImage(info.absolutePath() + "/" + f).convertToFormat(QImage::Format_RGB32));
    return pages;
}

bool Couleur_Proche(QRgb pixel, QRgb attendue, int tolerance) {
    return std::abs(qRed(pixel) - qRed(attendue)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(attendue)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(attendue)) <= tolerance;
}

QRgb Au_Point(const QImage& page, double x, double y) {
    const int px = std::clamp(static_cast<int>(std::lround(x / 480.0 * page.width())), 0, page.width() - 1);
    const int py = std::clamp(static_cast<int>(std::lround(y / 360.0 * page.height())), 0, page.height() - 1);
    return page.pixel(px, py);
}

}  // namespace kestrane::test
