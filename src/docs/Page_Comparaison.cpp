#include "Page_Comparaison.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "Reglages.h"
#include "Textes_Ajoutes.h"
#include "Textes_Base.h"

namespace kestrane {
namespace {

QString Q(std::string_view texte) {
    return QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size()));
}
QString Echappe(std::string_view texte) {
    return Q(texte).toHtmlEscaped();
}

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:12px 16px}h1{font-size:1.4em}h2{font-size:1.15em;margin-top:1.4em}"
    "table{border-collapse:collapse;width:100%}th,td{border-bottom:1px solid #ccc;padding:4px 6px;"
    "text-align:left;vertical-align:top}td.question{width:30%}div.etat{display:inline-block;width:160px;"
    "margin:0 8px 6px 0;vertical-align:top}div.etat img{display:block;border:1px solid #999}"
    "div.commun{color:#777}div.commun img{opacity:.5}p.inconnu{color:#777;font-style:italic}"
    "@media print{h2{page-break-after:avoid}tr{page-break-inside:avoid}}";

}  // namespace

Page_Comparaison::Page_Comparaison(const Base_Connaissance& base, const Reglages& reglages)
    : base_(base), reglages_(reglages) {}

QString Page_Comparaison::Image_Etat(const Objet_Fic& objet, int etat) {
    const int lignes = std::max(objet.Lignes, 1);
    const int colonnes = std::max(objet.Colonnes, 1);
    const int cellule = etat - objet.Index_Car;
    if (cellule < 0 || cellule >= lignes * colonnes)
        return {};
    const std::string chemin = reglages_.Rep_Descripteurs + objet.Popup;
    auto it = dessins_.find(chemin);
    if (it == dessins_.end()) {
        auto dessin = Dessin::Charge(chemin);
        it = dessins_.emplace(chemin, dessin ? dessin.value() : nullptr).first;
    }
    if (!it->second)
        return {};
    // The chooser stretches the picture to 4:3: a cell is (4 / colonnes) wide for (3 / lignes)
    // high. Drawn twice as large as shown, for print.
    const int hauteur = 2 * Hauteur_Image;
    const int largeur = std::clamp(static_cast<int>(std::lround(hauteur * 4.0 * lignes / (3.0 * colonnes))),
                                   hauteur / 2, hauteur * 3);
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::Antialiasing);
        // The whole picture at the scale where one cell fills the image, shifted to that cell.
        it->second->Peint(peintre, QRectF(-(cellule % colonnes) * largeur, -(cellule / colonnes) * hauteur,
                                          colonnes * largeur, lignes * hauteur));
    }
    QByteArray png;
    QBuffer tampon(&png);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

QString Page_Comparaison::Cellule_Etats(const Objet_Fic& objet, const std::vector<int>& etats,
                                        const std::vector<int>& communs, const std::string& suffixe,
                                        int langue) {
    if (etats.empty())
        return "<td><p class=\"inconnu\">" +
               Echappe(Chaine_Ajoutee(Texte_Ajoute::Comparaison_Inconnu, langue)) + "</p></td>";
    QString html = "<td>";
    for (const int e : etats) {
        const Etat_Caractere* etat = base_.Etat_Par_Numero(e);
        const bool commun = std::find(communs.begin(), communs.end(), e) != communs.end();
        html += commun ? "<div class=\"etat commun\">" : "<div class=\"etat\">";
        const QString image = Image_Etat(objet, e);
        if (!image.isEmpty())
            html += "<img src=\"" + image + "\" height=\"" + QString::number(Hauteur_Image) + "\" alt=\"\">";
        html +=
            (etat != nullptr ? Echappe(base_.Textes.Etat(*etat, suffixe)) : QString::number(e)) + "</div>";
    }
    return html + "</td>";
}

QString Page_Comparaison::Html(const Comparaison_Especes& c, const QString& suffixe_documents) {
    const std::string suffixe = suffixe_documents.startsWith('_') ? suffixe_documents.mid(1).toStdString()
                                                                  : suffixe_documents.toStdString();
    const int langue = Langue_De_Suffixe(suffixe);
    const auto nom = [this](int s) {
        return s >= 0 && static_cast<size_t>(s) < base_.Nom_Esp.size()
                   ? Echappe(base_.Nom_Esp[static_cast<size_t>(s)])
                   : QString();
    };
    const QString a = nom(c.Espece_A);
    const QString b = nom(c.Espece_B);
    const QString titre = Q(Chaine_Ajoutee(Texte_Ajoute::Comparaison_Titre, langue)).arg(a, b);
    QString html = "<!DOCTYPE html>\n<html lang=\"" + Q(suffixe) +
                   "\"><head><meta charset=\"utf-8\"><title>" + titre + "</title><style>" + kStyle +
                   "</style></head><body>\n<h1>" + titre + "</h1>\n";
    const std::pair<Texte_Ajoute, const std::vector<Caractere_Compare>*> sections[] = {
        {Texte_Ajoute::Comparaison_Differents, &c.Differents},
        {Texte_Ajoute::Comparaison_Communs, &c.Communs},
        {Texte_Ajoute::Comparaison_Un_Seul, &c.Un_Seul},
    };
    for (const auto& [titre_section, caracteres] : sections) {
        html += "<h2>" + Echappe(Chaine_Ajoutee(titre_section, langue)) + "</h2>\n";
        if (caracteres->empty()) {
            html += "<p>" + Echappe(Chaine_Ajoutee(Texte_Ajoute::Comparaison_Aucun, langue)) + "</p>\n";
            continue;
        }
        html += "<table><tr><th></th><th>" + a + "</th><th>" + b + "</th></tr>\n";
        // Where the two differ, the states they have in common are dimmed.
        const bool differents = caracteres == &c.Differents;
        for (const Caractere_Compare& car : *caracteres) {
            const Objet_Fic& o = base_.Objets[static_cast<size_t>(car.Position)];
            html += "<tr><td class=\"question\">" + Echappe(base_.Textes.Question(o, suffixe)) + "</td>" +
                    Cellule_Etats(o, car.Etats_A, differents ? car.Etats_B : std::vector<int>{}, suffixe,
                                  langue) +
                    Cellule_Etats(o, car.Etats_B, differents ? car.Etats_A : std::vector<int>{}, suffixe,
                                  langue) +
                    "</tr>\n";
        }
        html += "</table>\n";
    }
    return html + "</body></html>\n";
}

Result<QString> Page_Comparaison::Ecrit(const Comparaison_Especes& c, const QString& suffixe) {
    const auto code = [this](int s) {
        return s >= 0 && static_cast<size_t>(s) < base_.Flore.size()
                   ? Q(base_.Flore[static_cast<size_t>(s)].Code).toLower()
                   : QString::number(s);
    };
    const QString nom = "compare_" + code(c.Espece_A) + "_" + code(c.Espece_B) +
                        (suffixe.startsWith('_') ? suffixe : "_" + suffixe) + ".html";
    if (!dossier_.isValid())
        return Status::Error(nom.toStdString() + ": no temporary folder to write it in");
    const QString chemin = QDir(dossier_.path()).filePath(nom);
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        fichier.write(Html(c, suffixe).toUtf8()) < 0) {
        return Status::Error(chemin.toStdString() + ": " + fichier.errorString().toStdString());
    }
    return chemin;
}

}  // namespace kestrane
