#include "Source_Sdd.h"

#include <QUrl>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "Classes_Mesures.h"
#include "Dessins_Sdd.h"
#include "Disposition_Sortie.h"
#include "Ecriture_Documents.h"
#include "Langues_Sdd.h"
#include "Medias_Sdd.h"
#include "Nettoyage_Html.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

namespace {

using Genre = Caractere_Sdd::Genre;

// A name made of letters, digits, '_' and '-' from an id, unique without regard to case.
std::string Nom_Sur(const std::string& id, const std::string& defaut, std::set<std::string>& pris) {
    std::string base;
    for (char c : id) base += std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' ? c : '_';
    if (base.empty() || Plie(base) == "fin")
        base = defaut;
    std::string nom = base;
    for (int n = 2; !pris.insert(Plie(nom)).second; ++n) nom = base + "_" + std::to_string(n);
    return nom;
}

// Five upper-case letters or digits from a scientific name ("Quercus robur" gives "QUROB"),
// unique among `pris`; `suivants` keeps, for each code tried, the number to try next, so that
// many taxa sharing a prefix do not try every number again.
std::string Code_Espece(const std::string& nom, std::set<std::string>& pris,
                        std::map<std::string, int>& suivants) {
    std::vector<std::string> mots(1);
    for (char c : nom) {
        if (std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80)
            mots.back() += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        else if (!mots.back().empty())
            mots.emplace_back();
    }
    std::string code = mots[0].substr(0, 3);
    if (mots.size() > 1)
        code += mots[1].substr(0, 2);
    for (size_t k = 0; code.size() < 5 && k < mots.size(); ++k)
        code += mots[k].substr(std::min(mots[k].size(), k == 0 ? size_t{3} : size_t{2}), 5 - code.size());
    while (code.size() < 5) code += 'X';
    std::string essai = code;
    int& n = suivants.try_emplace(code, 2).first->second;
    for (; pris.count(essai) && n < 100000; ++n) {
        const std::string chiffres = std::to_string(n);
        essai = code.substr(0, 5 - std::min<size_t>(5, chiffres.size())) + chiffres;
    }
    pris.insert(essai);
    return essai;
}

bool Code_Valide(const std::string& c) {
    return c.size() == 5 && std::all_of(c.begin(), c.end(), [](char x) {
               return std::isalnum(static_cast<unsigned char>(x)) != 0;
           });
}

const std::map<std::string, std::map<std::string, std::string>> Textes_Fixes{
    {"Search", {{"en", "Search"}, {"fr", "Chercher"}, {"es", "Buscar"}}},
    {"Search_Tip",
     {{"en", "Ask the most useful next question"},
      {"fr", "Poser la question la plus utile maintenant"},
      {"es", "Hacer ahora la pregunta más útil"}}},
    {"Results", {{"en", "Results"}, {"fr", "Résultats"}, {"es", "Resultados"}}},
    {"Results_Tip",
     {{"en", "Show the ranked species"},
      {"fr", "Voir les espèces classées"},
      {"es", "Ver las especies ordenadas"}}},
    {"OK", {{"en", "OK"}, {"fr", "OK"}, {"es", "OK"}}},
    {"OK_Tip",
     {{"en", "Record the chosen state"},
      {"fr", "Retenir l'état choisi"},
      {"es", "Anotar el estado elegido"}}},
    {"Back", {{"en", "Back"}, {"fr", "Retour"}, {"es", "Volver"}}},
    {"Back_Tip",
     {{"en", "Back without answering"}, {"fr", "Revenir sans répondre"}, {"es", "Volver sin responder"}}},
    {"Next", {{"en", "Next"}, {"fr", "Autre"}, {"es", "Otra"}}},
    {"Next_Tip",
     {{"en", "Ask another useful question instead"},
      {"fr", "Poser plutôt une autre question utile"},
      {"es", "Hacer otra pregunta útil en su lugar"}}},
    // The user guide of a base without a portrait.
    {"Guide",
     {{"en",
       "The questions still open are listed where a portrait would stand, the most useful first, and your "
       "answers beside them. Click a question, or choose it with the arrow keys and Enter, pick the picture "
       "that matches your specimen and confirm with OK: the species are ranked again, and so are the "
       "questions. Search asks the most useful question; Results shows the ranked species."},
      {"fr",
       "Les questions encore ouvertes sont listées à la place d'un portrait, la plus utile d'abord, et vos "
       "réponses à côté. Cliquez une question, ou choisissez-la avec les flèches et Entrée, prenez l'image "
       "qui correspond à votre spécimen et confirmez avec OK : les espèces sont classées à nouveau, les "
       "questions aussi. Chercher pose la question la plus utile ; Résultats montre les espèces classées."},
      {"es",
       "Las preguntas aún abiertas se listan en el lugar de un retrato, la más útil primero, y sus "
       "respuestas "
       "al lado. Haga clic en una pregunta, o elíjala con las flechas e Intro, escoja la imagen que "
       "corresponde a su ejemplar y confirme con OK: las especies se ordenan de nuevo, y las preguntas "
       "también. Buscar hace la pregunta más útil; Resultados muestra las especies ordenadas."}}},
    // Labels of the pages (the builder's page templates).
    {"Famille", {{"en", "Family"}, {"fr", "Famille"}, {"es", "Familia"}}},
    {"Genre", {{"en", "Genus"}, {"fr", "Genre"}, {"es", "Género"}}},
    {"Ordre", {{"en", "Order"}, {"fr", "Ordre"}, {"es", "Orden"}}},
    {"Sous_Famille", {{"en", "Subfamily"}, {"fr", "Sous-famille"}, {"es", "Subfamilia"}}},
    {"Tribu", {{"en", "Tribe"}, {"fr", "Tribu"}, {"es", "Tribu"}}},
    {"Groupe", {{"en", "Group"}, {"fr", "Groupe"}, {"es", "Grupo"}}},
    {"Classe", {{"en", "Class"}, {"fr", "Classe"}, {"es", "Clase"}}},
    {"Sous_Genre", {{"en", "Subgenus"}, {"fr", "Sous-genre"}, {"es", "Subgénero"}}},
    {"Section", {{"en", "Section"}, {"fr", "Section"}, {"es", "Sección"}}},
    {"Noms", {{"en", "Common names"}, {"fr", "Noms communs"}, {"es", "Nombres comunes"}}},
    {"Caracteres", {{"en", "Characters"}, {"fr", "Caractères"}, {"es", "Caracteres"}}},
    {"Dessin", {{"en", "Picture"}, {"fr", "Image"}, {"es", "Imagen"}}},
    {"Sans_Dessin",
     {{"en", "No picture of this species."},
      {"fr", "Pas d'image de cette espèce."},
      {"es", "No hay imagen de esta especie."}}},
    {"Erreur_Titre", {{"en", "Page not found"}, {"fr", "Page introuvable"}, {"es", "Página no encontrada"}}},
    {"Erreur_Texte",
     {{"en", "The page of this species is not installed on this computer."},
      {"fr", "La fiche de cette espèce n'est pas installée sur cet ordinateur."},
      {"es", "La ficha de esta especie no está instalada en este ordenador."}}},
};

std::string Champ_Csv(const std::string& s) {
    std::string out = "\"";
    for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// One species of the base: a taxon (or none) and the descriptions of it.
struct Groupe {
    int Taxon = -1;
    std::vector<int> Descriptions;
};

// What becomes of an SDD character.
struct Caractere_Importe {
    int Sdd = -1;                        // index in Donnees_Sdd::Caracteres
    std::vector<Classe_Mesure> Classes;  // quantitative characters
};

class Conversion {
  public:
    Conversion(const Donnees_Sdd& d, const std::string& fichier, std::string dossier,
               std::vector<std::string>& avertissements)
        : d_(d),
          nom_(fs::path(fichier).filename().string()),
          dossier_sdd_(fs::weakly_canonical(fs::absolute(fs::path(fichier)).parent_path())),
          avertissements_(avertissements),
          langues_(d),
          medias_(d, dossier_sdd_, langues_) {
        b_.Dossier = std::move(dossier);
    }

    Result<Base_Source> Convertit() {
        b_.Langues = langues_.Langues();
        if (langues_.Origine_Remplacee())
            Avertit("the dataset's language '" + d_.Langue +
                    "' has no two-letter code: its texts are taken as English");
        if (!langues_.Ecartees().empty()) {
            std::string l;
            for (const auto& e : langues_.Ecartees()) l += (l.empty() ? "" : ", ") + e;
            Avertit("labels in " + l + " are left out (the interface speaks English, Spanish and French)");
        }
        Status s = Ordre_Et_Cadres();
        if (s.ok())
            s = Especes();
        if (s.ok())
            s = Caracteres();
        if (!s.ok())
            return s;
        std::vector<std::string> problemes;
        Numerote_Caracteres(b_, problemes);
        if (!problemes.empty())
            return Status::Error(problemes.front());
        s = Dependances();
        if (s.ok())
            Matrice();
        for (size_t k = 0; k < importes_.size(); ++k)  // each taxon's range of each measured character
            if (!importes_[k].Classes.empty()) {
                const auto etendues = Etendues(importes_[k].Sdd);
                for (size_t g = 0; g < etendues.size(); ++g)
                    if (etendues[g])
                        b_.Especes[g].Etendues[static_cast<int>(k)] = *etendues[g];
            }
        if (s.ok())
            s = Dessins();
        if (s.ok())
            s = Barres_Et_Pages();
        if (!s.ok())
            return s;
        for (const auto& bilan : medias_.Bilan()) Avertit(bilan);
        return std::move(b_);
    }

  private:
    std::string Lieu(long ligne) const { return nom_ + ":" + std::to_string(ligne); }
    Status Erreur(long ligne, const std::string& quoi) const {
        return Status::Error(Lieu(ligne) + ": " + quoi);
    }
    void Avertit(const std::string& quoi) { avertissements_.push_back("warning: " + nom_ + ": " + quoi); }

    // ---- characters: order, frames and dependency rules from the character tree ----

    Status Ordre_Et_Cadres() {
        const size_t n = d_.Caracteres.size();
        cadre_.assign(n, "");
        applicable_si_.assign(n, {});
        inapplicable_si_.assign(n, {});
        std::vector<std::vector<size_t>> enfants(d_.Arbre.size());
        std::vector<size_t> racines;
        for (size_t i = 0; i < d_.Arbre.size(); ++i) {
            const int p = d_.Arbre[i].Index_Parent;
            (p >= 0 ? enfants[static_cast<size_t>(p)] : racines).push_back(i);
        }
        std::vector<bool> place(n, false);
        // Depth first, children in document order; rules and the frame come from the node and
        // its ancestors.
        std::function<void(size_t, const std::string&, std::vector<const Noeud_Sdd*>&)> visite =
            [&](size_t i, const std::string& cadre, std::vector<const Noeud_Sdd*>& regles) {
                const Noeud_Sdd& noeud = d_.Arbre[i];
                std::string ici = cadre;
                if (noeud.Index_Concept >= 0)
                    ici = langues_.Labels(d_.Concepts[static_cast<size_t>(noeud.Index_Concept)].Rep.Labels)
                              .Defaut;
                regles.push_back(&noeud);
                if (noeud.Caractere >= 0) {
                    const auto c = static_cast<size_t>(noeud.Caractere);
                    if (!place[c])
                        ordre_.push_back(noeud.Caractere);
                    place[c] = true;
                    cadre_[c] = ici;
                    for (const auto* r : regles) {
                        applicable_si_[c].insert(r->Applicable_Si.begin(), r->Applicable_Si.end());
                        inapplicable_si_[c].insert(r->Inapplicable_Si.begin(), r->Inapplicable_Si.end());
                    }
                }
                for (size_t e : enfants[i]) visite(e, ici, regles);
                regles.pop_back();
            };
        std::vector<const Noeud_Sdd*> regles;
        for (size_t r : racines) visite(r, "", regles);
        for (size_t c = 0; c < n; ++c)
            if (!place[c])
                ordre_.push_back(static_cast<int>(c));
        return Status::Ok();
    }

    // ---- species ----

    Status Especes() {
        std::map<int, size_t> par_taxon;
        for (size_t k = 0; k < d_.Descriptions.size(); ++k) {
            const int t = d_.Descriptions[k].Taxon;
            if (t >= 0 && par_taxon.count(t)) {
                groupes_[par_taxon[t]].Descriptions.push_back(static_cast<int>(k));
                continue;
            }
            if (t >= 0)
                par_taxon[t] = groupes_.size();
            groupes_.push_back({t, {static_cast<int>(k)}});
        }
        std::set<std::string> noms, codes;
        std::map<std::string, int> suivants;
        std::vector<int> noeud_du_taxon(d_.Taxons.size(), -1);
        for (size_t i = 0; i < d_.Hierarchie.size(); ++i) {
            const int t = d_.Hierarchie[i].Taxon;
            if (t >= 0 && noeud_du_taxon[static_cast<size_t>(t)] < 0)
                noeud_du_taxon[static_cast<size_t>(t)] = static_cast<int>(i);
        }
        bool par_genre = false;
        for (size_t g = 0; g < groupes_.size(); ++g) {
            const Groupe& groupe = groupes_[g];
            const Description_Sdd& premiere =
                d_.Descriptions[static_cast<size_t>(groupe.Descriptions.front())];
            const Taxon_Sdd* taxon =
                groupe.Taxon >= 0 ? &d_.Taxons[static_cast<size_t>(groupe.Taxon)] : nullptr;
            Espece_Source e;
            e.Lieu = Lieu(taxon ? taxon->Ligne : premiere.Ligne);
            e.Espece = langues_.Labels(taxon ? taxon->Rep.Labels : premiere.Rep.Labels).Defaut;
            if (e.Espece.empty())
                return Erreur(premiere.Ligne, "coded description '" + premiere.Id +
                                                  "' names no taxon and has no label of its own");
            if (!noms.insert(Plie(e.Espece)).second) {
                Avertit("two taxa are named '" + e.Espece + "': the second is told apart by its id");
                e.Espece += " (" + (taxon ? taxon->Id : premiere.Id) + ")";
                noms.insert(Plie(e.Espece));
            }
            e.Code = taxon && Code_Valide(taxon->Code) && !codes.count(taxon->Code)
                         ? taxon->Code
                         : Code_Espece(e.Espece, codes, suivants);
            codes.insert(e.Code);
            std::tie(e.Famille, e.Rang) = Famille(taxon ? noeud_du_taxon[static_cast<size_t>(groupe.Taxon)] : -1);
            if (e.Famille.empty()) {
                e.Famille = e.Espece.substr(0, e.Espece.find(' '));
                e.Rang = "Genre";
                par_genre = true;
            }
            std::vector<const Representation_Sdd*> reps;
            if (taxon)
                reps.push_back(&taxon->Rep);
            for (int k : groupe.Descriptions) reps.push_back(&d_.Descriptions[static_cast<size_t>(k)].Rep);
            // A text the taxon and its description both give shows once.
            std::vector<Texte_Sdd> details;
            std::set<std::pair<std::string, std::string>> vus;
            for (const auto* r : reps)
                for (const auto& detail : r->Details)
                    if (vus.insert({detail.Langue, Texte_Brut(Nettoie_Html(detail.Texte))}).second)
                        details.push_back(detail);
            const Textes_Choisis description = langues_.Details(details);
            e.Description = description.Defaut;
            e.Descriptions = description.Traductions;
            // The legend of the species' drawing: the label of its first picture found.
            for (const auto* r : reps)
                for (const auto& m : r->Medias) {
                    const Media_Sdd& media = d_.Medias[static_cast<size_t>(d_.Index_Medias.at(m.Id))];
                    if (e.Legende.empty() && Image(media) && !Fichier_Media(media).empty()) {
                        const Textes_Choisis t = langues_.Labels(media.Rep.Labels);
                        e.Legende = t.Defaut;
                        e.Legendes = t.Traductions;
                    }
                }
            for (const auto& lg : b_.Langues) e.Noms[lg.Suffixe] = {};
            e.Images = medias_.Images(reps);
            b_.Especes.push_back(std::move(e));
        }
        if (par_genre)
            Avertit("species without a family in the taxon hierarchy are grouped by their genus");
        size_t seuls = 0;
        std::vector<bool> decrit(d_.Taxons.size(), false), parent(d_.Taxons.size(), false);
        for (const auto& g : groupes_)
            if (g.Taxon >= 0)
                decrit[static_cast<size_t>(g.Taxon)] = true;
        for (const auto& noeud : d_.Hierarchie)
            if (noeud.Index_Parent >= 0 && d_.Hierarchie[static_cast<size_t>(noeud.Index_Parent)].Taxon >= 0)
                parent[static_cast<size_t>(d_.Hierarchie[static_cast<size_t>(noeud.Index_Parent)].Taxon)] =
                    true;
        for (size_t t = 0; t < d_.Taxons.size(); ++t) seuls += !decrit[t] && !parent[t] ? 1 : 0;
        if (seuls > 0)
            Avertit(std::to_string(seuls) + " taxon name(s) without a coded description are left out");
        return Status::Ok();
    }

    // The page label of an SDD rank code.
    static std::string Rang_Page(const std::string& code) {
        const std::string c = Plie(code);
        if (c == "fam" || c == "family") return "Famille";
        if (c == "gen" || c == "genus") return "Genre";
        if (c == "ord" || c == "order") return "Ordre";
        if (c == "subfam" || c == "subfamily") return "Sous_Famille";
        if (c == "trib" || c == "tribe") return "Tribu";
        if (c == "cl" || c == "class") return "Classe";
        if (c == "subgen" || c == "subgenus") return "Sous_Genre";
        if (c == "sect" || c == "section") return "Section";
        return "Groupe";
    }

    // The family of a taxon from the hierarchy, with the page label of its rank: the ancestor of
    // rank family, else the nearest.
    std::pair<std::string, std::string> Famille(int noeud) const {
        std::pair<std::string, std::string> proche;
        for (int p = noeud >= 0 ? d_.Hierarchie[static_cast<size_t>(noeud)].Index_Parent : -1; p >= 0;
             p = d_.Hierarchie[static_cast<size_t>(p)].Index_Parent) {
            const int t = d_.Hierarchie[static_cast<size_t>(p)].Taxon;
            if (t < 0)
                continue;
            const Taxon_Sdd& taxon = d_.Taxons[static_cast<size_t>(t)];
            const std::string nom = langues_.Labels(taxon.Rep.Labels).Defaut;
            if (Rang_Page(taxon.Rang) == "Famille")
                return {nom, "Famille"};
            if (proche.first.empty())
                proche = {nom, Rang_Page(taxon.Rang)};
        }
        return proche;
    }

    // ---- characters and states ----

    Status Caracteres() {
        std::set<std::string> objets, etats, cadres;
        size_t autres = 0;
        for (int c : ordre_) {
            const Caractere_Sdd& sdd = d_.Caracteres[static_cast<size_t>(c)];
            Caractere_Importe importe{c, {}};
            if (sdd.Type == Genre::Autre || (sdd.Type == Genre::Categoriel && sdd.Etats.empty())) {
                autres += 1;
                if (sdd.Etats_Concepts)
                    Avertit("character '" + sdd.Id +
                            "' takes its states from concept states, which are not read");
                continue;
            }
            Caractere_Source k;
            k.Lieu = Lieu(sdd.Ligne);
            k.Objet = Nom_Sur(sdd.Id, "C" + std::to_string(c + 1), objets);
            const Textes_Choisis question = langues_.Labels(sdd.Rep.Labels);
            k.Question = question.Defaut;
            k.Traductions = question.Traductions;
            k.Joker = sdd.Propose.value_or(true);
            k.Aide = medias_.Aide(sdd.Rep);
            const std::string& cadre = cadre_[static_cast<size_t>(c)];
            if (!cadre.empty()) {
                auto it = std::find(b_.Cadres.begin(), b_.Cadres.end(), cadre);
                k.Cadre = static_cast<int>(it - b_.Cadres.begin());
                if (it == b_.Cadres.end())
                    b_.Cadres.push_back(cadre);
            }
            if (sdd.Type == Genre::Categoriel) {
                for (size_t s = 0; s < sdd.Etats.size(); ++s) {
                    const Etat_Sdd& e = sdd.Etats[s];
                    Etat_Source etat;
                    etat.Id = Nom_Sur(e.Id, k.Objet + "_" + std::to_string(s + 1), etats);
                    const Textes_Choisis t = langues_.Labels(e.Rep.Labels);
                    etat.Texte = t.Defaut;
                    etat.Traductions = t.Traductions;
                    etat.Poids = e.Poids.value_or(1);
                    etat.Lieu = Lieu(e.Ligne);
                    etat.Aide = medias_.Aide(e.Rep);
                    k.Etats.push_back(std::move(etat));
                }
            } else {
                importe.Classes = Divise_En_Classes(Etendues(c));
                if (importe.Classes.empty()) {
                    Avertit("quantitative character '" + sdd.Id +
                            "' has no measure in any description: left out");
                    continue;
                }
                std::string liste;
                for (size_t s = 0; s < importe.Classes.size(); ++s) {
                    Etat_Source etat;
                    etat.Id = Nom_Sur(k.Objet + "_" + std::to_string(s + 1), k.Objet, etats);
                    std::map<std::string, std::string> textes;
                    for (const char* l : {"en", "fr", "es"})
                        textes[l] = Texte_Classe(importe.Classes, s, sdd.Unite, l);
                    const Textes_Choisis t = langues_.Fixe(textes);
                    etat.Texte = t.Defaut;
                    etat.Traductions = t.Traductions;
                    etat.Lieu = k.Lieu;
                    liste += (liste.empty() ? "" : "; ") + etat.Texte;
                    k.Etats.push_back(std::move(etat));
                }
                k.Mesure = true;
                k.Unite = sdd.Unite;
                for (size_t s = 0; s + 1 < importe.Classes.size(); ++s) k.Limites.push_back(importe.Classes[s].Haut);
                Avertit("quantitative character '" + k.Question + "' (" + sdd.Id + ") is divided into " +
                        std::to_string(importe.Classes.size()) + " classes: " + liste);
            }
            importes_.push_back(std::move(importe));
            b_.Caracteres.push_back(std::move(k));
        }
        if (autres > 0)
            Avertit(std::to_string(autres) +
                    " character(s) that are neither categorical nor quantitative, "
                    "or have no state, are left out");
        if (b_.Caracteres.empty())
            return Erreur(d_.Ligne,
                          "the dataset has no character a key can ask (categorical, or quantitative "
                          "with measures)");
        vers_kestrane_.assign(d_.Caracteres.size(), -1);
        for (size_t k = 0; k < importes_.size(); ++k)
            vers_kestrane_[static_cast<size_t>(importes_[k].Sdd)] = static_cast<int>(k);
        return Status::Ok();
    }

    // The measured range of each species for a quantitative character (the union over its
    // descriptions), nullopt where none measures it.
    std::vector<std::optional<Etendue>> Etendues(int caractere) const {
        std::vector<std::optional<Etendue>> out(groupes_.size());
        for (size_t g = 0; g < groupes_.size(); ++g)
            for (int k : groupes_[g].Descriptions)
                for (const auto& codage : d_.Descriptions[static_cast<size_t>(k)].Codages)
                    if (codage.Caractere == caractere && codage.Etat == Codage_Sdd::Statut::Code &&
                        codage.Bas) {
                        Etendue e{*codage.Bas, *codage.Haut};
                        if (out[g])
                            e = {std::min(e.Bas, out[g]->Bas), std::max(e.Haut, out[g]->Haut)};
                        out[g] = e;
                    }
        return out;
    }

    // ---- dependencies ----

    // The Kestrane state number of an SDD (character, state), -1 when that character is not kept.
    int Etat_Kestrane(std::pair<int, int> etat) const {
        const int k = vers_kestrane_[static_cast<size_t>(etat.first)];
        if (k < 0 || !importes_[static_cast<size_t>(k)].Classes.empty())
            return -1;
        return b_.Caracteres[static_cast<size_t>(k)].Index_Car + etat.second;
    }

    Status Dependances() {
        const size_t n = b_.Caracteres.size();
        parents_.assign(n, {});
        std::set<std::pair<std::string, std::string>> vues;
        size_t propres = 0;
        for (size_t k = 0; k < n; ++k) {
            const int c = importes_[k].Sdd;
            std::set<int> parents;
            for (const auto& a : applicable_si_[static_cast<size_t>(c)])
                if (const int e = Etat_Kestrane(a); e >= 0)
                    parents.insert(e);
            std::map<int, std::set<int>> inapplicables;  // by controlling SDD character
            for (const auto& i : inapplicable_si_[static_cast<size_t>(c)])
                inapplicables[i.first].insert(i.second);
            for (const auto& [controle, etats] : inapplicables)
                for (int s = 0;
                     s < static_cast<int>(d_.Caracteres[static_cast<size_t>(controle)].Etats.size()); ++s)
                    if (!etats.count(s))
                        if (const int e = Etat_Kestrane({controle, s}); e >= 0)
                            parents.insert(e);
            const Caractere_Source& car = b_.Caracteres[k];
            for (int e : parents) {
                if (e >= car.Index_Car && e < car.Index_Car + static_cast<int>(car.Etats.size())) {
                    ++propres;
                    continue;
                }
                parents_[k].push_back(e);
                const std::string id = b_.Etat_Numero(e).Id;
                if (vues.insert({id, car.Objet}).second)
                    b_.Dependances.push_back({id, car.Objet});
            }
        }
        if (propres > 0)
            Avertit(std::to_string(propres) +
                    " dependency rule(s) making a character depend on its own state are left out");
        // Controlling characters come before their dependants (a walk with its own stack, the
        // chains may be long); a cycle cannot be asked.
        std::vector<int> etat(n, 0);  // 1: on the walk, 2: placed
        for (size_t depart = 0; depart < n; ++depart) {
            if (etat[depart] != 0)
                continue;
            std::vector<std::pair<size_t, size_t>> pile{{depart, 0}};  // character, next parent
            etat[depart] = 1;
            while (!pile.empty()) {
                auto& [k, i] = pile.back();
                if (i < parents_[k].size()) {
                    const size_t p = Caractere_De(parents_[k][i++]);
                    if (etat[p] == 1)
                        return Erreur(d_.Caracteres[static_cast<size_t>(importes_[p].Sdd)].Ligne,
                                      "the dependency rules form a cycle through character '" +
                                          b_.Caracteres[p].Objet + "'");
                    if (etat[p] == 0) {
                        etat[p] = 1;
                        pile.push_back({p, 0});
                    }
                    continue;
                }
                etat[k] = 2;
                ordre_dependances_.push_back(k);
                pile.pop_back();
            }
        }
        return Status::Ok();
    }

    size_t Caractere_De(int etat) const {
        for (size_t k = 0; k < b_.Caracteres.size(); ++k)
            if (etat >= b_.Caracteres[k].Index_Car &&
                etat < b_.Caracteres[k].Index_Car + static_cast<int>(b_.Caracteres[k].Etats.size()))
                return k;
        return 0;
    }

    // ---- the matrix ----

    void Matrice() {
        enum Statut : uint8_t { Aucun, Inconnu, Inapplicable, Code };
        for (size_t g = 0; g < groupes_.size(); ++g) {
            std::vector<int16_t> valeurs(static_cast<size_t>(b_.Nb_Etats), 0);
            std::vector<uint8_t> statut(b_.Caracteres.size(), Aucun);
            for (int k : groupes_[g].Descriptions)
                for (const auto& codage : d_.Descriptions[static_cast<size_t>(k)].Codages) {
                    const int c = vers_kestrane_[static_cast<size_t>(codage.Caractere)];
                    if (c < 0)
                        continue;
                    const auto& car = b_.Caracteres[static_cast<size_t>(c)];
                    auto& st = statut[static_cast<size_t>(c)];
                    if (codage.Etat == Codage_Sdd::Statut::Code) {
                        st = Code;
                        const auto& classes = importes_[static_cast<size_t>(c)].Classes;
                        for (int e : codage.Etats) valeurs[static_cast<size_t>(car.Index_Car + e)] = 1;
                        for (size_t s = 0; s < classes.size(); ++s)
                            if (Dans_Classe({*codage.Bas, *codage.Haut}, classes, s))
                                valeurs[static_cast<size_t>(car.Index_Car) + s] = 1;
                    } else {
                        st = std::max<uint8_t>(
                            st, codage.Etat == Codage_Sdd::Statut::Inapplicable ? Inapplicable : Inconnu);
                    }
                }
            // What is not coded is open, unless the taxon's own states make it inapplicable.
            for (size_t c : ordre_dependances_) {
                if (statut[c] == Code || statut[c] == Inapplicable)
                    continue;
                if (Applicable(c, valeurs)) {
                    const auto& car = b_.Caracteres[c];
                    for (size_t s = 0; s < car.Etats.size(); ++s)
                        valeurs[static_cast<size_t>(car.Index_Car) + s] = 1;
                }
            }
            b_.Especes[g].Valeurs = std::move(valeurs);
        }
    }

    // A dependent character applies to a taxon that shows one of its parent states.
    bool Applicable(size_t c, const std::vector<int16_t>& valeurs) const {
        if (parents_[c].empty())
            return true;
        return std::any_of(parents_[c].begin(), parents_[c].end(),
                           [&](int e) { return valeurs[static_cast<size_t>(e)] != 0; });
    }

    // ---- pictures ----

    bool Image(const Media_Sdd& m) const { return m.Type.empty() || m.Type == "Image"; }

    // The file of a media object beside the dataset, "" when there is none (Medias_Sdd.h).
    std::string Fichier_Media(const Media_Sdd& m) const { return Fichier_Media_Sdd(m.Href, dossier_sdd_); }

    // The first picture of the representations' media that can be read, "" when there is none.
    std::string Image_Media(const std::vector<const Representation_Sdd*>& reps, int largeur, int hauteur,
                            int pixels) {
        for (const auto* r : reps)
            for (const auto& ref : r->Medias) {
                const Media_Sdd& m = d_.Medias[static_cast<size_t>(d_.Index_Medias.at(ref.Id))];
                if (!Image(m))
                    continue;
                const std::string fichier = Fichier_Media(m);
                if (!fichier.empty())
                    if (auto svg = Svg_Image(fichier, largeur, hauteur, pixels))
                        return *svg;
                if (manquants_.size() < 1000)
                    manquants_.push_back(m.Href);
            }
        return {};
    }

    Status Dessins() {
        using D = Disposition_Sortie;
        const fs::path dossier(b_.Dossier);
        std::error_code ec;
        for (const char* sous : {"etats", "dessins", "barres", "documents"})
            fs::create_directories(dossier / sous, ec);
        if (ec)
            return Status::Error(b_.Dossier + ": cannot be written");
        for (size_t k = 0; k < b_.Caracteres.size(); ++k) {
            auto& car = b_.Caracteres[k];
            const Caractere_Sdd& sdd = d_.Caracteres[static_cast<size_t>(importes_[k].Sdd)];
            // The states' own pictures; a character with none is asked from its states' texts,
            // one with some shows a card with the text of each of the others.
            std::vector<std::string> images(car.Etats.size());
            for (size_t s = 0; s < car.Etats.size(); ++s)
                if (s < sdd.Etats.size() && importes_[k].Classes.empty())
                    images[s] = Image_Media({&sdd.Etats[s].Rep}, D::Cote_Case, D::Cote_Case, D::Cote_Case);
            const bool une_image =
                std::any_of(images.begin(), images.end(), [](const std::string& i) { return !i.empty(); });
            for (size_t s = 0; s < car.Etats.size(); ++s) {
                auto& etat = car.Etats[s];
                etat.Image.clear();
                if (!une_image)
                    continue;
                etat.Image = "e" + std::to_string(car.Index_Car + static_cast<int>(s));
                Status st = Ecrit_Texte(dossier / "etats" / (etat.Image + ".svg"),
                                        images[s].empty() ? Svg_Carte(etat.Texte, D::Cote_Case, D::Cote_Case, false)
                                                          : images[s]);
                if (!st.ok())
                    return st;
            }
        }
        for (size_t g = 0; g < groupes_.size(); ++g) {
            // A taxon without a picture gets no drawing: its pages say so.
            auto& e = b_.Especes[g];
            std::vector<const Representation_Sdd*> reps;
            if (groupes_[g].Taxon >= 0)
                reps.push_back(&d_.Taxons[static_cast<size_t>(groupes_[g].Taxon)].Rep);
            for (int k : groupes_[g].Descriptions)
                reps.push_back(&d_.Descriptions[static_cast<size_t>(k)].Rep);
            const std::string svg =
                Image_Media(reps, D::Largeur_Dessin, D::Hauteur_Dessin, D::Largeur_Dessin / 2);
            if (svg.empty())
                continue;
            e.Dessin = "t" + std::to_string(g);
            Status st = Ecrit_Texte(dossier / "dessins" / (e.Dessin + ".svg"), svg);
            if (!st.ok())
                return st;
        }
        if (!manquants_.empty()) {
            std::string liste;
            for (size_t k = 0; k < std::min<size_t>(3, manquants_.size()); ++k)
                liste += (k ? ", " : "") + manquants_[k];
            Avertit(std::to_string(manquants_.size()) +
                    " picture(s) are not beside the dataset or cannot be read (" + liste +
                    (manquants_.size() > 3 ? ", ..." : "") + "): states show cards with their texts instead");
        }
        return Status::Ok();
    }

    // ---- the toolbars and the labels of the pages ----

    Bouton_Source Bouton(const std::string& cle, const std::string& image, const std::string& key) const {
        Bouton_Source b;
        const Textes_Choisis caption = langues_.Fixe(Textes_Fixes.at(cle));
        const Textes_Choisis tip = langues_.Fixe(Textes_Fixes.at(cle + "_Tip"));
        b.Caption = caption.Defaut;
        b.Captions = caption.Traductions;
        b.TipText = tip.Defaut;
        b.TipTexts = tip.Traductions;
        b.Image = image;
        b.Key = key;
        b.Lieu = nom_;
        return b;
    }

    Status Barres_Et_Pages() {
        const fs::path dossier(b_.Dossier);
        b_.But_Deter = {Bouton("Search", "search", "Search"), Bouton("Results", "results", "Results")};
        b_.But_Quest = {Bouton("OK", "ok", ""), Bouton("Back", "back", ""), Bouton("Next", "next", "")};
        for (const char* icone : {"search", "results", "ok", "back", "next"}) {
            Status s = Ecrit_Texte(dossier / "barres" / (std::string(icone) + ".svg"), Svg_Icone(icone));
            if (!s.ok())
                return s;
        }
        std::string csv = "Cle";
        for (const auto& lg : b_.Langues) csv += "," + lg.Suffixe;
        csv += "\n";
        for (const char* cle : {"Famille", "Genre", "Ordre", "Sous_Famille", "Tribu", "Groupe", "Classe", "Sous_Genre", "Section", "Noms", "Caracteres",
                                "Dessin", "Sans_Dessin", "Erreur_Titre", "Erreur_Texte"}) {
            const auto& textes = Textes_Fixes.at(cle);
            csv += cle;
            for (const auto& lg : b_.Langues) {
                auto it = textes.find(lg.Suffixe);
                csv += "," + Champ_Csv(it != textes.end() ? it->second : textes.at("en"));
            }
            csv += "\n";
        }
        Status s = Ecrit_Texte(dossier / "documents" / "textes.csv", csv);
        if (!s.ok())
            return s;
        // The builder's default guide speaks of the portrait this base does not have.
        const std::string guide = langues_.Fixe(Textes_Fixes.at("Guide")).Defaut;
        return Ecrit_Texte(
            dossier / "documents" / "guide.html",
            "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Kestrane</title></head>\n"
            "<body><h1>Kestrane</h1><p>" +
                Nettoie_Html(guide) + "</p></body></html>\n");
    }

    const Donnees_Sdd& d_;
    std::string nom_;
    fs::path dossier_sdd_;
    std::vector<std::string>& avertissements_;
    Langues_Sdd langues_;
    Medias_Sdd medias_;
    Base_Source b_;
    std::vector<int> ordre_;  // SDD characters in question order
    std::vector<std::string> cadre_;
    std::vector<std::set<std::pair<int, int>>> applicable_si_, inapplicable_si_;
    std::vector<Groupe> groupes_;              // one per species, in b_.Especes order
    std::vector<Caractere_Importe> importes_;  // one per b_.Caracteres
    std::vector<int> vers_kestrane_;           // SDD character -> b_.Caracteres index, -1 when left out
    std::vector<std::vector<int>> parents_;    // parent states of each b_.Caracteres
    std::vector<size_t> ordre_dependances_;    // b_.Caracteres, controlling ones first
    std::vector<std::string> manquants_;
};

}  // namespace

Result<Base_Source> Source_Sdd(const Donnees_Sdd& donnees, const std::string& fichier_sdd,
                               const std::string& dossier, std::vector<std::string>& avertissements) {
    return Conversion(donnees, fichier_sdd, dossier, avertissements).Convertit();
}

}  // namespace kestrane::kb
