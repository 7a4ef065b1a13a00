#include "Modele_Liste_Esp.h"

#include "Liste_Especes.h"
#include "Texte_Simple.h"

namespace kestrane {

void Modele_Liste_Esp::Remplace(const std::vector<std::string>& lignes) {
    beginResetModel();
    lignes_ = lignes;
    endResetModel();
}

void Modele_Liste_Esp::Icones(std::function<QIcon(const std::string&)> icone) {
    beginResetModel();
    icone_ = std::move(icone);
    endResetModel();
}

int Modele_Liste_Esp::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lignes_.size());
}

QVariant Modele_Liste_Esp::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(lignes_.size())) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(lignes_[static_cast<size_t>(index.row())]);
    if (role == Qt::DecorationRole && icone_)
        return icone_(Nom_De_Ligne(lignes_[static_cast<size_t>(index.row())]));
    if (role == Qt::ToolTipRole)
        return Infobulle_Simple(QString::fromStdString(lignes_[static_cast<size_t>(index.row())]));
    return {};
}

}  // namespace kestrane
