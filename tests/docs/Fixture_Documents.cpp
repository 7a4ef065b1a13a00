#include "Fixture_Documents.h"

#include <QTest>

#include <stdexcept>

#include "Chargeur_Base.h"
#include "WebTexte.h"
#include "cImgs.h"

namespace kestrane::test {

Flore_Documents::Flore_Documents(const std::string& sql_supplementaire) {
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
    connaissance = Charge_Ou_Echoue(copie.Lieux());
}

Bac_Documents::Bac_Documents(const std::function<void(const Copie_Base&)>& avant_ouverture) {
    if (avant_ouverture)
        avant_ouverture(flore.copie);
    reglages.Rep_Data = (flore.copie.Dossier() / "data").string() + "/";
    reglages.Distribution = "hd";
    reglages.Adresse_Documents = Dossier_Documents().toStdString();
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

void Clique_Noeud(Tree_esp& arbre, const QString& cle) {
    QTreeWidgetItem* noeud = arbre.Noeud(cle);
    ASSERT_NE(noeud, nullptr) << cle.toStdString();
    arbre.scrollToItem(noeud);
    QTest::mouseClick(arbre.viewport(), Qt::LeftButton, {}, arbre.visualItemRect(noeud).center());
}

testing::AssertionResult Clique_Lien(Documents& documents, const QString& href) {
    QVariant centre;
    documents.Vue().page()->runJavaScript(
        QStringLiteral("(function () { const e = document.querySelector('a[href=\"%1\"]'); if (!e) return [];"
                       " e.scrollIntoView({block: 'nearest'}); const r = e.getBoundingClientRect();"
                       " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
            .arg(href),
        cImgs::Monde(), [&](const QVariant& resultat) { centre = resultat; });
    const QVariantList xy = Attend([&] { return centre.isValid(); }) ? centre.toList() : QVariantList();
    QWidget* cible = documents.Vue().focusProxy();
    if (xy.size() != 2 || !cible)
        return testing::AssertionFailure() << "no link to " << href.toStdString();
    QTest::mouseClick(cible, Qt::LeftButton, {}, QPoint(qRound(xy[0].toDouble()), qRound(xy[1].toDouble())));
    return testing::AssertionSuccess();
}

testing::AssertionResult Suit_Lien(Documents& documents, const QString& href) {
    if (testing::AssertionResult clic = Clique_Lien(documents, href); !clic)
        return clic;
    return Attend_Page(documents, "/" + href);
}

}  // namespace kestrane::test
