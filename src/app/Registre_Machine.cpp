#include "Registre_Machine.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <cstdlib>

namespace kestrane {
namespace {

QString Texte(const QVariant& value) {
    // QSettings reads "a, b" as a list; the stored text is what we want.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ");
    return value.toString();
}

}  // namespace

Registre_Machine Registre_Machine::Lit(const std::string& chemin) {
    Registre_Machine registre;
    const QFileInfo info(QString::fromStdString(chemin));
    if (chemin.empty() || !info.isFile() || !info.isReadable()) return registre;
    registre.chemin_ = info.absoluteFilePath().toStdString();
    registre.dossier_ = info.absolutePath().toStdString() + "/";
    QSettings ini(info.absoluteFilePath(), QSettings::IniFormat);
    for (const QString& groupe : ini.childGroups()) {
        auto& section = registre.sections_[groupe.toStdString()];
        ini.beginGroup(groupe);
        for (const QString& cle : ini.childKeys()) section[cle.toStdString()] = Texte(ini.value(cle)).toStdString();
        ini.endGroup();
    }
    return registre;
}

std::string Registre_Machine::Chemin_Par_Defaut(const std::string& dossier_programme) {
    if (const char* env = std::getenv("KESTRANE_MACHINE_SETTINGS"); env != nullptr && *env != '\0') return env;
    const QDir dossier(QString::fromStdString(dossier_programme));
    for (const QString& candidat : {dossier.filePath("kestrane.ini"), dossier.filePath("../share/kestrane/kestrane.ini"),
                                    dossier.filePath("../share/kestrane/flora/kestrane.ini")}) {
        if (QFileInfo(candidat).isFile()) return QDir::cleanPath(candidat).toStdString();
    }
    return {};
}

bool Registre_Machine::Cle_Existe(const std::string& section) const { return sections_.count(section) != 0; }

std::optional<std::string> Registre_Machine::Valeur(const std::string& section, const std::string& nom) const {
    const auto s = sections_.find(section);
    if (s == sections_.end()) return std::nullopt;
    const auto v = s->second.find(nom);
    if (v == s->second.end()) return std::nullopt;
    return v->second;
}

std::optional<std::string> Registre_Machine::Chemin_Valeur(const std::string& section, const std::string& nom) const {
    auto valeur = Valeur(section, nom);
    if (!valeur || valeur->empty()) return valeur;
    if (valeur->find("://") != std::string::npos) return valeur;
    std::string chemin = *valeur;
    for (char& c : chemin) {
        if (c == '\\') c = '/';
    }
    if (chemin.front() == '/') return chemin;
    const bool dossier = chemin.back() == '/';
    std::string absolu = QDir::cleanPath(QString::fromStdString(dossier_ + chemin)).toStdString();
    if (dossier && absolu.back() != '/') absolu += '/';
    return absolu;
}

}  // namespace kestrane
