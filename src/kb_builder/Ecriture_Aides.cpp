#include "Ecriture_Aides.h"

#include <algorithm>
#include <cctype>

#include "Ecriture_Documents.h"
#include "Ecriture_Medias.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

namespace {

// An object name that can be a file name as it is.
bool Nom_Sur(const std::string& objet) {
    return !objet.empty() && std::all_of(objet.begin(), objet.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
    });
}

}  // namespace

bool A_Une_Aide(const Caractere_Source& c) {
    return !c.Aide.Vide() ||
           std::any_of(c.Etats.begin(), c.Etats.end(), [](const Etat_Source& e) { return !e.Aide.Vide(); });
}

Status Ecrit_Aides(const Base_Source& src, const fs::path& documents) {
    const fs::path dossier = documents / Dossier_Aides;
    for (const auto& c : src.Caracteres) {
        if (!A_Une_Aide(c) || !Nom_Sur(c.Objet))
            continue;
        std::error_code ec;
        fs::create_directories(dossier, ec);
        if (ec)
            return Status::Error(dossier.string() + ": cannot be created");
        const std::string nom = Plie(c.Objet);
        const auto images = Ecrit_Images_Page(c.Aide.Images, dossier, nom);
        std::vector<std::vector<std::string>> images_etats;
        for (size_t k = 0; k < c.Etats.size(); ++k)
            images_etats.push_back(
                Ecrit_Images_Page(c.Etats[k].Aide.Images, dossier, nom + "_" + std::to_string(k + 1)));
        for (const auto& lg : src.Langues) {
            std::string langues;
            for (const auto& autre : src.Langues)
                langues +=
                    (langues.empty() ? "" : " | ") +
                    (autre.Suffixe == lg.Suffixe ? "<b>" + Echappe_Xml(autre.Langue) + "</b>"
                                                 : "<a href=\"" + nom + "_" + autre.Suffixe + ".html\">" +
                                                       Echappe_Xml(autre.Langue) + "</a>");
            const std::string question = Echappe_Xml(Texte_Langue(c.Traductions, lg.Suffixe, c.Question));
            std::string page = "<!DOCTYPE html>\n<html lang=\"" + lg.Suffixe +
                               "\"><head><meta charset=\"utf-8\"><title>" + question +
                               "</title></head>\n<body>\n<p>" + langues + "</p>\n<h1>" + question +
                               "</h1>\n" + Texte_Langue(c.Aide.Notes_Traduites, lg.Suffixe, c.Aide.Notes) +
                               "\n" + Html_Images(c.Aide.Images, images, lg.Suffixe);
            for (size_t k = 0; k < c.Etats.size(); ++k) {
                const Etat_Source& e = c.Etats[k];
                if (e.Aide.Vide())
                    continue;
                page += "<h2>" + Echappe_Xml(Texte_Langue(e.Traductions, lg.Suffixe, e.Texte)) + "</h2>\n" +
                        Texte_Langue(e.Aide.Notes_Traduites, lg.Suffixe, e.Aide.Notes) + "\n" +
                        Html_Images(e.Aide.Images, images_etats[k], lg.Suffixe);
            }
            page += "</body></html>\n";
            if (Status s = Ecrit_Texte(dossier / (nom + "_" + lg.Suffixe + ".html"), page); !s.ok())
                return s;
        }
    }
    return Status::Ok();
}

}  // namespace kestrane::kb
