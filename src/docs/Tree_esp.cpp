#include "Tree_esp.h"

#include <QCollator>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>

#include "Base_Connaissance.h"
#include "Chemins_Documents.h"
#include "Database.h"
#include "Table_Chaines.h"

namespace kestrane {
namespace {

constexpr int Role_Cle = Qt::UserRole;
constexpr int Role_Etiquette = Qt::UserRole + 1;
constexpr int Role_Image = Qt::UserRole + 2;
constexpr int Role_Trie = Qt::UserRole + 3;
constexpr int Role_Collation = Qt::UserRole + 4;  // locale of the children's order ("" for English)

const QString Livre_Ferme = QStringLiteral("livre_ferme");
const QString Livre_Ouvert = QStringLiteral("livre_ouvert");
const QString Page = QStringLiteral("page");

QString Texte(const std::string& s) {
    return QString::fromStdString(s);
}

// The three node pictures, drawn rather than shipped: a closed book, an open book, a page.
QHash<QString, QIcon> Dessine_Images() {
    auto toile = [] {
        QPixmap p(16, 16);
        p.fill(Qt::transparent);
        return p;
    };
    QHash<QString, QIcon> images;

    QPixmap ferme = toile();
    {
        QPainter d(&ferme);
        d.setPen(QColor(60, 40, 20));
        d.setBrush(QColor(150, 60, 40));
        d.drawRect(3, 2, 10, 12);
        d.setBrush(Qt::white);
        d.drawRect(11, 3, 2, 10);
    }
    images.insert(Livre_Ferme, QIcon(ferme));

    QPixmap ouvert = toile();
    {
        QPainter d(&ouvert);
        d.setPen(QColor(60, 40, 20));
        d.setBrush(Qt::white);
        d.drawPolygon(QPolygon({QPoint(1, 4), QPoint(7, 5), QPoint(7, 14), QPoint(1, 13)}));
        d.drawPolygon(QPolygon({QPoint(8, 5), QPoint(14, 4), QPoint(14, 13), QPoint(8, 14)}));
    }
    images.insert(Livre_Ouvert, QIcon(ouvert));

    QPixmap page = toile();
    {
        QPainter d(&page);
        d.setPen(QColor(80, 80, 80));
        d.setBrush(Qt::white);
        d.drawRect(3, 1, 10, 14);
        d.drawLine(5, 5, 11, 5);
        d.drawLine(5, 8, 11, 8);
        d.drawLine(5, 11, 9, 11);
    }
    images.insert(Page, QIcon(page));
    return images;
}

}  // namespace

int Tree_esp::Compare_Textes(const QString& a, const QString& b, const QString& locale) {
    auto it = collations_.find(locale);
    if (it == collations_.end()) {
        QCollator c{locale.isEmpty() ? QLocale(QLocale::English) : QLocale(locale)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        it = collations_.insert(locale, c);
    }
    return it->compare(a, b);
}

Tree_esp::Tree_esp(QWidget* parent) : QTreeWidget(parent), Node_Images(Dessine_Images()) {
    setObjectName(QStringLiteral("Tree_esp"));
    setColumnCount(1);
    header()->hide();
    setRootIsDecorated(true);
    // Every row is one line beside a 16-pixel picture: the view need not measure each one, which
    // keeps the name filter quick over thousands of species.
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* n) { Change_Image(*n, Livre_Ouvert); });
    connect(this, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* n) { Change_Image(*n, Livre_Ferme); });
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* n, int) { Noeud_Clique(n); });
}

QTreeWidgetItem* Tree_esp::Noeud(const QString& cle) const {
    return par_cle_.value(cle, nullptr);
}

QString Tree_esp::Cle(const QTreeWidgetItem& noeud) {
    return noeud.data(0, Role_Cle).toString();
}
QString Tree_esp::Etiquette(const QTreeWidgetItem& noeud) {
    return noeud.data(0, Role_Etiquette).toString();
}
QString Tree_esp::Cle_Image(const QTreeWidgetItem& noeud) {
    return noeud.data(0, Role_Image).toString();
}

void Tree_esp::Change_Image(QTreeWidgetItem& noeud, const QString& image) {
    noeud.setData(0, Role_Image, image);
    noeud.setIcon(0, Node_Images.value(image));
}

QTreeWidgetItem* Tree_esp::Ajoute(const QString& cle_parent, const QString& cle, const QString& texte,
                                  const QString& image) {
    if (par_cle_.contains(cle))
        return nullptr;
    QTreeWidgetItem* parent = nullptr;
    if (!cle_parent.isEmpty()) {
        parent = Noeud(cle_parent);
        if (!parent)
            return nullptr;
    }
    auto* noeud = new QTreeWidgetItem(QStringList{texte});
    noeud->setData(0, Role_Cle, cle);
    Change_Image(*noeud, image);
    if (!parent) {
        addTopLevelItem(noeud);
    } else if (parent->data(0, Role_Trie).toBool()) {
        // After the children of equal text, so that equal texts keep the order of their adding.
        const QString locale = parent->data(0, Role_Collation).toString();
        int position = parent->childCount();
        while (position > 0 && Compare_Textes(parent->child(position - 1)->text(0), texte, locale) > 0)
            --position;
        parent->insertChild(position, noeud);
    } else {
        parent->addChild(noeud);
    }
    par_cle_.insert(cle, noeud);
    return noeud;
}

void Tree_esp::Trie_Enfants(QTreeWidgetItem& noeud, const QString& locale) {
    noeud.setData(0, Role_Trie, true);
    noeud.setData(0, Role_Collation, locale);
    QList<QTreeWidgetItem*> enfants = noeud.takeChildren();
    std::stable_sort(enfants.begin(), enfants.end(), [&](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return Compare_Textes(a->text(0), b->text(0), locale) < 0;
    });
    noeud.addChildren(enfants);
}

void Tree_esp::Remplit_Arbre(const Base_Connaissance& base, int langue) {
    const QString familles = QStringLiteral("Familles");
    const QString especes = QStringLiteral("Espèces");
    const QString communs = QStringLiteral("Communs");
    for (const auto& [cle, numero] :
         {std::pair{familles, 1301}, std::pair{especes, 1300}, std::pair{communs, 1302}}) {
        if (QTreeWidgetItem* racine =
                Ajoute({}, cle, QString::fromStdString(Chaine_Ou_Anglais(numero, langue)), Livre_Ferme))
            Trie_Enfants(*racine);
    }

    for (const Espece_Flore& rangee : base.Flore) {
        const QString famille = Texte(rangee.Famille);
        const QString code = Texte(rangee.Code);
        const QString espece = Texte(rangee.Espece);
        if (QTreeWidgetItem* noeud = Ajoute(familles, famille, Nom_Propre(famille), Livre_Ferme)) {
            noeud->setData(0, Role_Etiquette, QStringLiteral("Fam"));
            Trie_Enfants(*noeud);
        }
        if (QTreeWidgetItem* noeud = Ajoute(famille, code, espece, Page))
            noeud->setData(0, Role_Etiquette, QStringLiteral("Esp"));
        if (QTreeWidgetItem* noeud = Ajoute(especes, code + QStringLiteral("S"), espece, Page))
            noeud->setData(0, Role_Etiquette, QStringLiteral("Esp") + famille);
    }

    for (const std::string& langue_base : base.Communs_Langues) {
        const QString nom_langue = Texte(langue_base);
        const QString cle_langue = QStringLiteral("S") + nom_langue;
        const QString locale = Texte(base.Textes.Suffixe_De(langue_base));
        if (QTreeWidgetItem* noeud = Ajoute(communs, cle_langue, nom_langue, Livre_Ferme)) {
            noeud->setData(0, Role_Etiquette, cle_langue);
            Trie_Enfants(*noeud, locale);
        }
        if (!base.Base_Donnees)
            continue;
        auto requete = base.Base_Donnees->Open_Query("Vernaculaire_" + langue_base);
        if (!requete.ok())
            continue;
        Recordset& rs = **requete;
        for (rs.Move_First(); !rs.Eof(); rs.Move_Next()) {
            const QString nom = Texte(rs.Get("Nom").Text());
            const QString code = Texte(rs.Get("Code").Text());
            if (QTreeWidgetItem* noeud = Ajoute(cle_langue, nom, nom, Livre_Ferme)) {
                noeud->setData(0, Role_Etiquette, QStringLiteral("Com"));
                Trie_Enfants(*noeud, locale);
            }
            if (QTreeWidgetItem* noeud = Ajoute(nom, code + nom, Texte(rs.Get("Espece").Text()), Page))
                noeud->setData(0, Role_Etiquette,
                               QStringLiteral("Csp") + code + Texte(rs.Get("Famille").Text()));
        }
    }
}

std::optional<Choix_Espece> Tree_esp::Espece_Du_Noeud(const QTreeWidgetItem& noeud) {
    const QString etiquette = Etiquette(noeud);
    const QString genre = etiquette.left(3);
    const QString cle = Cle(noeud);
    if (genre == QStringLiteral("Csp"))
        return Choix_Espece{noeud.text(0), Nom_Propre(etiquette.mid(3, 5)), Nom_Propre(etiquette.mid(8))};
    if (genre != QStringLiteral("Esp"))
        return std::nullopt;
    if (cle.size() == 6)
        return Choix_Espece{noeud.text(0), cle.left(5), Nom_Propre(etiquette.mid(3))};
    const QString famille = noeud.parent() ? Cle(*noeud.parent()) : QString();
    return Choix_Espece{noeud.text(0), cle, Nom_Propre(famille)};
}

void Tree_esp::Noeud_Clique(QTreeWidgetItem* noeud) {
    if (!noeud)
        return;
    if (auto choix = Espece_Du_Noeud(*noeud))
        emit Espece_Choisie(*choix);
}

}  // namespace kestrane
