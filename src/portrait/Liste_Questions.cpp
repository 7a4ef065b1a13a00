#include "Liste_Questions.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include "Texte_Simple.h"

namespace kestrane {

namespace {
constexpr int Role_Position = Qt::UserRole;
}

Liste_Questions::Liste_Questions(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("Liste_Questions"));
    setColumnCount(2);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (const int position = item->data(0, Role_Position).toInt(); position >= 0)
            emit Choisie(position);
    });
}

void Liste_Questions::Remplit(const std::vector<Ligne>& lignes, const std::vector<Ligne>& autres,
                              const QString& titre_question, const QString& titre_pouvoir,
                              const QString& titre_autres) {
    clear();
    setHeaderLabels({titre_question, titre_pouvoir});
    QList<QTreeWidgetItem*> items;
    auto ajoute = [&](const Ligne& l, const QString& pouvoir) {
        auto* item = new QTreeWidgetItem({l.Question, pouvoir});
        item->setData(0, Role_Position, l.Position);
        item->setToolTip(0, Infobulle_Simple(l.Question));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
        return item;
    };
    // Powers can pass 1 where species show several states; 1 already is the most even split.
    for (const Ligne& l : lignes)
        ajoute(l, QString::number(std::min(l.Pouvoir, 1.0), 'f', 2));
    if (!autres.empty()) {
        auto* titre = new QTreeWidgetItem({titre_autres});
        titre->setData(0, Role_Position, -1);
        titre->setFlags(Qt::NoItemFlags);  // the arrow keys pass over it
        titre->setFirstColumnSpanned(true);
        QFont gras = font();
        gras.setBold(true);
        titre->setFont(0, gras);
        items.append(titre);
        const QBrush gris = palette().brush(QPalette::Disabled, QPalette::Text);
        for (const Ligne& l : autres)
            ajoute(l, QString())->setForeground(0, gris);
    }
    addTopLevelItems(items);
    for (QTreeWidgetItem* item : items) {
        if (item->flags() & Qt::ItemIsEnabled) {
            setCurrentItem(item);
            break;
        }
    }
}

int Liste_Questions::Position(int ligne) const {
    const QTreeWidgetItem* item = topLevelItem(ligne);
    return item != nullptr ? item->data(0, Role_Position).toInt() : -1;
}

void Liste_Questions::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem() != nullptr) {
        event->accept();
        emit Choisie(currentItem()->data(0, Role_Position).toInt());
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        emit Retour();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace kestrane
