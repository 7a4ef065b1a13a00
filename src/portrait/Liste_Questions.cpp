#include "Liste_Questions.h"

#include <QHeaderView>
#include <QKeyEvent>

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
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { emit Choisie(item->data(0, Role_Position).toInt()); });
}

void Liste_Questions::Remplit(const std::vector<Ligne>& lignes, const QString& titre_question,
                              const QString& titre_pouvoir) {
    clear();
    setHeaderLabels({titre_question, titre_pouvoir});
    QList<QTreeWidgetItem*> items;
    for (const Ligne& l : lignes) {
        auto* item = new QTreeWidgetItem({l.Question, QString::number(l.Pouvoir, 'f', 2)});
        item->setData(0, Role_Position, l.Position);
        item->setToolTip(0, Infobulle_Simple(l.Question));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    addTopLevelItems(items);
    if (!items.isEmpty())
        setCurrentItem(items.front());
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
