#include "Page_Web.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <vector>

#include "Export_Web.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

// Where the page's files are in the program's resources, and the service worker among them,
// whose version and list of files are filled in for each export.
const QString Ressources_Page = QStringLiteral(":/page_web");
const QString Icone = QStringLiteral(":/page_web_icone/kestrane.svg");
constexpr const char* Service_Worker = "sw.js";

bool Ecrit(const fs::path& chemin, const QByteArray& octets) {
    std::ofstream f(chemin, std::ios::binary);
    f.write(octets.constData(), octets.size());
    return static_cast<bool>(f.flush());
}

size_t Cherche_Sans_Casse(const std::string& texte, const std::string& motif, size_t debut = 0) {
    const auto it = std::search(texte.begin() + static_cast<std::ptrdiff_t>(std::min(debut, texte.size())),
                                texte.end(), motif.begin(), motif.end(),
                                [](char a, char b) {
                                    return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
                                });
    return it == texte.end() ? std::string::npos : static_cast<size_t>(it - texte.begin());
}

// The end of the opening tag `<nom ...>` (just after its '>'), or npos.
size_t Apres_Balise(const std::string& html, const std::string& nom) {
    for (size_t i = Cherche_Sans_Casse(html, "<" + nom); i != std::string::npos;
         i = Cherche_Sans_Casse(html, "<" + nom, i + 1)) {
        const size_t suite = i + 1 + nom.size();
        if (suite < html.size() && (html[suite] == '>' || html[suite] == ' ' || html[suite] == '\t' ||
                                    html[suite] == '\n' || html[suite] == '\r')) {
            const size_t fin = html.find('>', suite);
            return fin == std::string::npos ? std::string::npos : fin + 1;
        }
    }
    return std::string::npos;
}

// A JSON string of a file name (quotes, backslashes and control characters escaped).
std::string Json_Chaine(const std::string& texte) {
    std::string json = "\"";
    for (const char c : texte) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", c);
            json += code;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

// Every file of the export but the service worker and the export's mark, relative, sorted.
std::vector<std::string> Fichiers_Export(const fs::path& dossier) {
    std::vector<std::string> fichiers;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const std::string relatif = fs::relative(it->path(), dossier, ec).generic_string();
        if (relatif != Service_Worker && relatif != Marque_Export_Web)
            fichiers.push_back(relatif);
    }
    std::sort(fichiers.begin(), fichiers.end());
    return fichiers;
}

// The export's version: the base's stamp and a digest of every file (engine, page, pictures).
std::string Version_Export(const fs::path& dossier, const std::vector<std::string>& fichiers,
                           const std::string& empreinte) {
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const auto& f : fichiers) {
        h.addData(QByteArray::fromStdString(f + '\0'));
        QFile fichier(QString::fromStdString((dossier / f).string()));
        if (fichier.open(QIODevice::ReadOnly))
            h.addData(&fichier);
    }
    return empreinte + "-" + h.result().toHex().left(12).toStdString();
}

Status Ecrit_Icones(const fs::path& dossier) {
    QSvgRenderer rendu(Icone);
    if (!rendu.isValid())
        return Status::Error("the program's icon cannot be read");
    fs::create_directories(dossier / "icones");
    for (const int taille : {192, 512}) {
        QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        rendu.render(&p);
        p.end();
        const fs::path chemin = dossier / "icones" / ("kestrane-" + std::to_string(taille) + ".png");
        if (!image.save(QString::fromStdString(chemin.string()), "PNG"))
            return Status::Error(chemin.string() + ": cannot be written");
    }
    return Status::Ok();
}

}  // namespace

std::string Avec_Politique(const std::string& html, const std::string& politique) {
    const std::string meta = "<meta http-equiv=\"Content-Security-Policy\" content=\"" + politique + "\">";
    if (const size_t tete = Apres_Balise(html, "head"); tete != std::string::npos)
        return html.substr(0, tete) + meta + html.substr(tete);
    if (const size_t racine = Apres_Balise(html, "html"); racine != std::string::npos)
        return html.substr(0, racine) + "<head>" + meta + "</head>" + html.substr(racine);
    return "<head>" + meta + "</head>" + html;
}

Status Ecrit_Page_Web(const fs::path& dossier, const std::string& empreinte) {
    QByteArray service_worker;
    QDirIterator it(Ressources_Page, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString chemin = it.next();
        QFile f(chemin);
        if (!f.open(QIODevice::ReadOnly))
            return Status::Error(chemin.toStdString() + ": cannot be read");
        const std::string nom = chemin.mid(Ressources_Page.size() + 1).toStdString();
        if (nom == Service_Worker) {
            service_worker = f.readAll();
            continue;
        }
        QByteArray octets = f.readAll();
        if (nom == "index.html")
            octets = QByteArray::fromStdString(Avec_Politique(octets.toStdString(), Politique_Page_Web));
        fs::create_directories((dossier / nom).parent_path());
        if (!Ecrit(dossier / nom, octets))
            return Status::Error((dossier / nom).string() + ": cannot be written");
    }
    if (service_worker.isEmpty())
        return Status::Error("the web page's files are missing from the program");
    if (Status s = Ecrit_Icones(dossier); !s)
        return s;

    const std::vector<std::string> fichiers = Fichiers_Export(dossier);
    std::string liste = "[\"./\"";
    for (const auto& f : fichiers) liste += ", " + Json_Chaine(f);
    liste += "]";
    service_worker.replace("\"@VERSION@\"", QByteArray::fromStdString(Json_Chaine(Version_Export(dossier, fichiers, empreinte))));
    service_worker.replace("[\"@FICHIERS@\"]", QByteArray::fromStdString(liste));
    if (!Ecrit(dossier / Service_Worker, service_worker))
        return Status::Error((dossier / Service_Worker).string() + ": cannot be written");
    return Status::Ok();
}

}  // namespace kestrane::kb
