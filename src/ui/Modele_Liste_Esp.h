#pragma once
// The lines of the results list as a model, so that ten thousand lines are replaced in one step
// and the view paints only what it shows.

#include <QAbstractListModel>
#include <QIcon>

#include <functional>
#include <string>
#include <vector>

namespace kestrane {

class Modele_Liste_Esp : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void Remplace(const std::vector<std::string>& lignes);
    const std::vector<std::string>& Lignes() const { return lignes_; }
    // The picture beside each line, by the name of its species; none without a function.
    void Icones(std::function<QIcon(const std::string& espece)> icone);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<std::string> lignes_;
    std::function<QIcon(const std::string&)> icone_;
};

}  // namespace kestrane
