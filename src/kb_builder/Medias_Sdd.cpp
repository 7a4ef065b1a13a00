#include "Medias_Sdd.h"

#include <QUrl>
#include <algorithm>
#include <cctype>
#include <set>

namespace fs = std::filesystem;

namespace kestrane::kb {

bool Adresse_Web(const std::string& href) {
    const QUrl url(QString::fromStdString(href), QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

std::string Fichier_Media_Sdd(const std::string& href_brut, const fs::path& dossier) {
    std::string href = href_brut;
    std::replace(href.begin(), href.end(), '\\', '/');
    if (href.empty() || href.find('\0') != std::string::npos)
        return {};
    const QUrl url(QString::fromStdString(href));
    const bool lecteur = href.size() > 2 && std::isalpha(static_cast<unsigned char>(href[0])) &&
                         href[1] == ':' && href[2] == '/';  // "C:/images/a.jpg"
    fs::path chemin;
    if (url.scheme().size() > 1 && !lecteur) {  // http:, file: ...: its file name, beside the dataset
        chemin = dossier / fs::path(url.path().toStdString()).filename();
    } else {
        const fs::path local = QUrl::fromPercentEncoding(QByteArray::fromStdString(href)).toStdString();
        chemin = local.is_absolute() || lecteur ? local : dossier / local;
    }
    std::error_code ec;
    fs::path vrai = fs::weakly_canonical(chemin, ec);
    const std::string dedans = dossier.string() + "/";
    // An absolute path elsewhere is a path on the author's machine: its file name may be here.
    if (!ec && vrai.string().compare(0, dedans.size(), dedans) != 0 && (chemin.is_absolute() || lecteur))
        vrai = fs::weakly_canonical(dossier / chemin.filename(), ec);
    if (ec || vrai.string().compare(0, dedans.size(), dedans) != 0 || !fs::is_regular_file(vrai, ec))
        return {};
    const auto taille = fs::file_size(vrai, ec);
    if (ec || taille > Taille_Max_Media)
        return {};
    return vrai.string();
}

std::vector<Image_Source> Medias_Sdd::Images(const std::vector<const Representation_Sdd*>& reps) {
    std::vector<Image_Source> out;
    std::set<int> vus;
    for (const auto* r : reps)
        for (const auto& ref : r->Medias) {
            const auto it = d_.Index_Medias.find(ref.Id);
            if (it == d_.Index_Medias.end() || !vus.insert(it->second).second ||
                out.size() >= Images_Max_Par_Page)
                continue;
            const Media_Sdd& m = d_.Medias[static_cast<size_t>(it->second)];
            const Textes_Choisis legende = langues_.Labels(m.Rep.Labels);
            Image_Source image{{}, {}, legende.Defaut, legende.Traductions};
            const bool photo = m.Type.empty() || m.Type == "Image";
            if (photo)
                image.Fichier = Fichier_Media_Sdd(m.Href, dossier_);
            if (image.Fichier.empty() && Adresse_Web(m.Href)) {
                image.Adresse = m.Href;
                liens_.insert(it->second);
            } else if (image.Fichier.empty()) {
                (photo ? absents_ : autres_).insert(it->second);
                continue;
            }
            out.push_back(std::move(image));
        }
    return out;
}

Aide_Source Medias_Sdd::Aide(const Representation_Sdd& rep) {
    Aide_Source aide;
    const Textes_Choisis notes = langues_.Details(rep.Details);
    aide.Notes = notes.Defaut;
    aide.Notes_Traduites = notes.Traductions;
    aide.Images = Images({&rep});
    return aide;
}

std::vector<std::string> Medias_Sdd::Bilan() const {
    std::vector<std::string> out;
    if (!liens_.empty())
        out.push_back(std::to_string(liens_.size()) +
                      " media object(s) are web addresses with no copy beside the dataset: they are not "
                      "fetched, their pages link to them");
    if (!absents_.empty())
        out.push_back(std::to_string(absents_.size()) +
                      " picture(s) of taxa, characters or states are not inside the dataset's folder, are "
                      "larger than " +
                      std::to_string(Taille_Max_Media >> 20) + " MB or are missing: left out of the pages");
    if (!autres_.empty())
        out.push_back(std::to_string(autres_.size()) + " media object(s) other than pictures are left out");
    return out;
}

}  // namespace kestrane::kb
