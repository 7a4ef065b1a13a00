#include "Modele_Liste_Esp.h"

#include "Texte_Simple.h"

namespace kestrane {

void Modele_Liste_Esp::Remplace(const std::vector<std::string>& lignes) {
    beginResetModel();
    lignes_ = lignes;
    endResetModel();
}

int Modele_Liste_Esp::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lignes_.size());
}

QVariant Modele_Liste_Esp::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(lignes_.size())) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(lignes_[static_cast<size_t>(index.row())]);
    if (role == Qt::ToolTipRole)
        return Infobulle_Simple(QString::fromStdString(lignes_[static_cast<size_t>(index.row())]));
    return {};
}

}  // namespace kestrane
