#include "Magasin_Utilisateur.h"

#include <QSettings>
#include <QStringList>

namespace kestrane {

Magasin_QSettings::Magasin_QSettings()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Kestrane", "Kestrane V.1.0")) {}

Magasin_QSettings::Magasin_QSettings(const std::string& fichier_ini)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(fichier_ini), QSettings::IniFormat)) {}

Magasin_QSettings::~Magasin_QSettings() = default;

std::string Magasin_QSettings::Lit(const std::string& section, const std::string& cle, const std::string& defaut) const {
    const QString nom = QString::fromStdString(section + "/" + cle);
    if (!settings_->contains(nom)) return defaut;
    const QVariant value = settings_->value(nom);
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
    return value.toString().toStdString();
}

void Magasin_QSettings::Ecrit(const std::string& section, const std::string& cle, const std::string& valeur) {
    settings_->setValue(QString::fromStdString(section + "/" + cle), QString::fromStdString(valeur));
    settings_->sync();
}

}  // namespace kestrane
