#include "Import_Sdd.h"

#include <QFile>
#include <filesystem>
#include <random>

#include "Construction_Base.h"
#include "Dossier_Provisoire.h"
#include "Lecture_Sdd.h"
#include "Source_Sdd.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

Status Importe_Sdd(const std::string& fichier, const std::string& sortie_texte,
                   std::vector<std::string>* avertissements, const Progression& progression) {
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
    fs::path sortie = fs::absolute(fs::path(sortie_texte)).lexically_normal();
    if (!sortie.has_filename())
        sortie = sortie.parent_path();
    std::error_code ec;
    fs::create_directories(sortie.parent_path(), ec);
    std::random_device alea;
    const fs::path provisoire = sortie.parent_path() / ("." + sortie.filename().string() + ".sdd-" +
                                                        std::to_string(alea() % 1000000));
    if (!fs::create_directory(provisoire, ec))
        return Status::Error(provisoire.string() + ": cannot be created");
    const Dossier_Provisoire menage(provisoire);

    std::vector<std::string> a;
    auto source = Source_Sdd(*lu, fichier, provisoire.string(), a);
    if (avertissements)
        avertissements->insert(avertissements->end(), a.begin(), a.end());
    if (!source)
        return source.status();
    return Installe_Base(*source, sortie.string(), avertissements, progression);
}

}  // namespace kestrane::kb
