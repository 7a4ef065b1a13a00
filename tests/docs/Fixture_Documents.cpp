#include "Fixture_Documents.h"

#include <QFile>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include "Chargeur_Base.h"
#include "WebTexte.h"

namespace kestrane::test {

namespace {

void Change_Copie(const Copie_Base& copie, const std::string& sql_supplementaire) {
    copie.Execute_SQL(
        "UPDATE Flore SET Famille = 'OLEACEAE' WHERE Code = 'FREXC';"
        "UPDATE Flore SET Famille = 'sapindaceae s.l.' WHERE Code IN ('AEHIP', 'ACPSE');"
        "UPDATE Flore SET Espece = 'acer pseudoplatanus' WHERE Code = 'ACPSE';"
        "UPDATE Flore SET Legende = NULL WHERE Code = 'PISYL';"
        "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte)"
        "  VALUES ('Flore', 'Fraxinus excelsior', 'Legende', 'fr', 'Feuille pennée');"
        "INSERT INTO Noms_Communs (Code, Langue, Nom, Rang) VALUES ('FREXC', 'Français', 'Sycamore', 9);"
        "UPDATE Noms_Communs SET Rang = 10 - Rang;" +
        sql_supplementaire);
    namespace fs = std::filesystem;
    const fs::path docs = copie.Dossier() / "documents";
    fs::remove_all(docs / "a/acpse");
    fs::remove(docs / "p/pisyl/pisyl.gif");
    fs::rename(docs / "p/pisyl/pisyl_en.html", docs / "p/pisyl/PISYL_EN.HTML");
    fs::rename(docs / "p/pisyl", docs / "p/PISYL");
    fs::rename(docs / "p", docs / "P");
}

}  // namespace

Flore_Documents::Flore_Documents(const std::string& sql_supplementaire) {
    Change_Copie(copie, sql_supplementaire);
    Chargement c = Charge_Base(copie.Lieux(), nullptr);
    EXPECT_TRUE(c.Base) << (c.Echec ? c.Echec->Message + " " + c.Echec->Detail : std::string());
    connaissance = std::move(c.Base);
}

void Remplace_Dans_Page(const Copie_Base& copie, const std::string& page, const QString& avant,
                        const QString& apres) {
    QFile fichier(QString::fromStdString((copie.Dossier() / "documents" / page).string()));
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly)) << page;
    QString texte = QString::fromUtf8(fichier.readAll());
    fichier.close();
    ASSERT_TRUE(texte.contains(avant)) << page << ": " << avant.toStdString();
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate));
    fichier.write(texte.replace(avant, apres).toUtf8());
}

Bac_Documents::Bac_Documents(bool web, const std::function<void(const Copie_Base&)>& avant_ouverture) {
    if (avant_ouverture)
        avant_ouverture(flore.copie);
    reglages.Rep_Data = (flore.copie.Dossier() / "data").string() + "/";
    reglages.Distribution = web ? "http" : "hd";
    reglages.Adresse_Documents = (web ? QUrl::fromLocalFile(Dossier_Documents()).toString() : Dossier_Documents()).toStdString();
    documents = std::make_unique<Documents>(hote, reglages, *flore.connaissance, dialogues, nullptr);
    documents->Remplit_Arbre();
    documents->Vue().resize(800, 600);
    documents->Vue().show();
}

QString Bac_Documents::Dossier_Documents() const {
    return QString::fromStdString((flore.copie.Dossier() / "documents").string()) + "/";
}

bool Attend(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 30000);
}

testing::AssertionResult Attend_Page(Documents& documents, const QString& fin) {
    if (Attend([&] { return documents.Vue().Termine() && documents.Vue().LocationURL().endsWith(fin); }))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "shown: " << documents.Vue().LocationURL().toStdString();
}

void Clique_Element(Documents& documents, const QString& selecteur) {
    QVariant centre;
    documents.Vue().page()->runJavaScript(
        QStringLiteral("(function () { const e = document.querySelector('%1'); if (!e) return [];"
                       " e.scrollIntoView({block: 'nearest'}); const r = e.getBoundingClientRect();"
                       " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
            .arg(selecteur),
        [&](const QVariant& resultat) { centre = resultat; });
    ASSERT_TRUE(Attend([&] { return centre.isValid(); }));
    const QVariantList xy = centre.toList();
    ASSERT_EQ(xy.size(), 2) << selecteur.toStdString();
    QWidget* cible = documents.Vue().focusProxy();
    ASSERT_NE(cible, nullptr);
    QTest::mouseClick(cible, Qt::LeftButton, {}, QPoint(qRound(xy[0].toDouble()), qRound(xy[1].toDouble())));
}

}  // namespace kestrane::test
