#include "Import_Sdd.h"

#include <QFile>
#include <filesystem>

#include "Construction_Base.h"
#include "Dossier_Provisoire.h"
#include "Lecture_Sdd.h"
#include "Sortie_Base.h"
#include "Source_Sdd.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

Status Importe_Sdd(const std::string& fichier, const std::string& sortie_texte,
                   std::vector<std::string>* avertissements, const Progression& progression) {
    const fs::path sortie = Chemin_Sortie(sortie_texte);
    if (Status s = Verifie_Sortie(sortie, fichier); !s.ok())
        return s;
    QFile f(QString::fromStdString(fichier));
    if (!f.open(QIODevice::ReadOnly))
        return Status::Error(fichier + ": cannot be read (" + f.errorString().toStdString() + ")");
    const auto taille = static_cast<size_t>(std::max<qint64>(f.size(), 1));
    const std::string nom = fs::path(fichier).filename().string();
    auto lit = [&](size_t octets) {
        if (progression)
            progression("reading", octets, taille);
    };
    lit(0);
    auto lu = Lit_Sdd(f, nom, [&](int64_t octets) { lit(static_cast<size_t>(octets)); });
    f.close();
    lit(taille);
    if (!lu)
        return lu.status();

    // The drawings the dataset lacks are made in a folder of their own beside the output.
    Parents_Sortie parents(sortie);
    if (!parents.Ok())
        return Status::Error(sortie.parent_path().string() + ": cannot be created");
    Dossier_Provisoire dessins(sortie, "sdd");
    if (!dessins.Cree())
        return Status::Error(dessins.Chemin().string() + ": cannot be created");
    const fs::path provisoire = dessins.Chemin();

    std::vector<std::string> a;
    auto source = Source_Sdd(*lu, fichier, provisoire.string(), a);
    if (avertissements)
        avertissements->insert(avertissements->end(), a.begin(), a.end());
    if (!source)
        return source.status();
    Status s = Installe_Base(*source, sortie.string(), fichier, avertissements, progression);
    if (s.ok())
        parents.Garde();
    return s;
}

}  // namespace kestrane::kb
