#include "Commandes_Cle.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "Chemins_Fichiers.h"
#include "Commande_Reponses.h"
#include "Conversions.h"
#include "Echange_Identification.h"
#include "Identification_Courante.h"
#include "Ouverture_Base.h"
#include "Resultats_Json.h"
#include "Table_Chaines.h"
#include "Textes_Moteur_Langue.h"

namespace kestrane::cli {
namespace {

// The window's side of the engine, answered on the console: drawings are not loaded (their paths
// are what the commands report), messages become the command's result or warnings.
class Console : public Observateur_Identification, public Dialogue_Utilisateur {
  public:
    explicit Console(std::ostream& err) : err_(err) {}
    bool Charge_Piece(int, const std::string&) override { return true; }
    void Etat_Inexistant(const std::string& message) override { err_ << "warning: " << message << "\n"; }
    void Message(const std::string& texte) override { messages.push_back(texte); }
    // Nothing is ever skipped on the command line, so the retry question cannot arise; declining
    // keeps the answers as they are if it ever did.
    bool Question_Oui_Non(const std::string& texte) override {
        messages.push_back(texte);
        return false;
    }
    std::vector<std::string> messages;

  private:
    std::ostream& err_;
};

std::optional<int> Langue(const std::string& code) {
    const std::string c = To_Lower_Ascii(code);
    if (c == "en")
        return 0;
    if (c == "es")
        return 1;
    if (c == "fr")
        return 2;
    return std::nullopt;
}

std::optional<int> Nombre_Entier(const std::string& texte) {
    if (texte.empty())
        return std::nullopt;
    size_t i = texte[0] == '-' ? 1 : 0;
    if (i == texte.size())
        return std::nullopt;
    for (size_t j = i; j < texte.size(); ++j) {
        if (texte[j] < '0' || texte[j] > '9')
            return std::nullopt;
    }
    if (texte.size() > 7)
        return std::nullopt;
    return std::stoi(texte);
}

// Applies one OBJET=STATE answer; false with a message on `err` when it names nothing.
bool Applique_Reponse(const Base_Connaissance& base, Identification_Courante& id, const std::string& reponse,
                      std::ostream& err) {
    const auto egal = reponse.find('=');
    if (egal == std::string::npos) {
        err << "--answer " << reponse << ": expected OBJET=STATE\n";
        return false;
    }
    const std::string nom_objet = reponse.substr(0, egal);
    const std::string nom_etat = reponse.substr(egal + 1);
    const Objet_Fic* objet = base.Trouve_Objet(nom_objet);
    if (objet == nullptr) {
        err << "--answer " << reponse << ": no character \"" << nom_objet << "\" in this knowledge base\n";
        return false;
    }
    std::optional<int> choix;
    if (const auto etat = base.Etat_Par_Identifiant(nom_etat);
        etat && *etat >= objet->Index_Car && *etat < objet->Index_Car + objet->Nb_Car) {
        choix = *etat - objet->Index_Car;
    } else if (const auto cellule = Nombre_Entier(nom_etat);
               cellule && *cellule >= -1 && *cellule < objet->Nb_Car) {
        choix = *cellule;  // -1 removes the answer
    }
    if (!choix) {
        err << "--answer " << reponse << ": \"" << nom_etat << "\" is neither a state identifier of "
            << objet->Objet << " nor a cell number 0 .. " << objet->Nb_Car - 1 << "\n";
        return false;
    }
    id.Question = Question_Courante::De_Objet(*objet);
    id.Question.Choix = *choix;
    if (Status s = id.Valid_Descripteur(); !s) {
        err << "--answer " << reponse << ": " << s.message() << "\n";
        return false;
    }
    id.Actualise_Identification();
    return true;
}

// Applies one OBJET=VALUE measure; false with a message on `err` when it names nothing.
bool Applique_Mesure(const Base_Connaissance& base, Identification_Courante& id, const std::string& mesure,
                     double tolerance, std::ostream& err) {
    const auto egal = mesure.find('=');
    const std::string nom_objet = mesure.substr(0, egal);
    const Objet_Fic* objet = egal == std::string::npos ? nullptr : base.Trouve_Objet(nom_objet);
    if (egal == std::string::npos) {
        err << "--measure " << mesure << ": expected OBJET=VALUE\n";
        return false;
    }
    if (objet == nullptr || base.Mesure_De(static_cast<size_t>(objet - base.Objets.data())) == nullptr) {
        err << "--measure " << mesure << ": no measured character \"" << nom_objet
            << "\" in this knowledge base\n";
        return false;
    }
    const std::string texte = mesure.substr(egal + 1);
    const auto valeur = Lit_Nombre(texte);
    if (!valeur) {
        err << "--measure " << mesure << ": \"" << texte << "\" is not a number\n";
        return false;
    }
    id.Question = Question_Courante::De_Objet(*objet);
    if (Status s = id.Valid_Mesure(*valeur, tolerance); !s) {
        err << "--measure " << mesure << ": " << s.message() << "\n";
        return false;
    }
    id.Actualise_Identification();
    return true;
}

void Ecrit_Rang(const Identification_Courante& id, bool json, std::ostream& out) {
    const Liste_Especes& liste = id.Liste();
    if (!json) {
        out << liste.Legende << "\n";
        for (const auto& ligne : liste.Lignes) out << ligne << "\n";
        return;
    }
    Ecrit_Rang_Json(id, out);
}

void Ecrit_Meilleur(const Base_Connaissance& base, Identification_Courante& id, Console& console,
                    std::string_view suffixe, bool json, std::ostream& out) {
    const Issue_Recherche issue = id.Maitre_Discriminant();
    const std::string message = console.messages.empty() ? std::string() : console.messages.back();
    if (json) {
        Ecrit_Meilleur_Json(base, id, issue, message, suffixe, out);
        return;
    }
    if (issue != Issue_Recherche::Proposee) {
        out << message << "\n";
        return;
    }
    const Question_Courante& q = id.Question;
    const Objet_Fic* objet = base.Trouve_Objet(q.Objet);
    const std::string& question = objet ? base.Textes.Question(*objet, suffixe) : q.TipText;
    const double pouvoir = Pouvoir_Objet(base, id, objet);
    out << q.Objet << "\t" << question << "\tpower " << Pouvoir_Texte(pouvoir) << "\n";
}

// Every eligible character with its power, best first: the first line is what best proposes.
void Ecrit_Classement(const Base_Connaissance& base, Identification_Courante& id, std::string_view suffixe,
                      bool json, std::ostream& out) {
    const std::vector<Question_Classee> lignes = id.Questions_Classees();
    if (json) {
        Ecrit_Classement_Json(base, lignes, suffixe, out);
        return;
    }
    for (const Question_Classee& ligne : lignes) {
        const Objet_Fic& o = base.Objets[static_cast<size_t>(ligne.Position)];
        out << o.Objet << "\t" << base.Textes.Question(o, suffixe) << "\tpower "
            << Pouvoir_Texte(ligne.Pouvoir) << "\n";
    }
}

void Ecrit_Contra(const Base_Connaissance& base, const Contradictions_Espece& c, bool json,
                  std::ostream& out) {
    if (json) {
        Ecrit_Contra_Json(base, c, out);
        return;
    }
    const std::string nom = base.Nom_Esp[static_cast<size_t>(c.Espece)];
    out << nom << ": " << c.Nb_Dessins_Sup << " contradicted answer" << (c.Nb_Dessins_Sup == 1 ? "" : "s")
        << "\n";
    for (const auto& e : c.Etats) {
        out << e.Objet << "\t" << Identifiant_Etat(base, e.Etat) << "\t";
        if (!e.Dessin.empty()) {
            out << "layer " << e.Calque << "\t" << e.Dessin;
        } else if (e.Bouton != -1) {
            const Image_Bouton* image = nullptr;
            for (const auto& b : c.Barre) {
                if (b.Numero == e.Bouton)
                    image = &b;
            }
            out << "button " << e.Bouton << "\t" << (image && image->Contredit ? image->Image : "");
        } else {
            out << "no mark";
        }
        out << "\n";
    }
}

void Ecrit_Portrait(const Identification_Courante& id, bool json, std::ostream& out) {
    const auto& chemins = id.Portrait().Chemins_Charges();
    if (json)
        out << "{\"pieces\": [";
    for (size_t i = 0; i < chemins.size(); ++i) {
        const bool existe = !chemins[i].empty() && Fichier_Existe(chemins[i]);
        if (json) {
            out << (i ? ", " : "") << "{\"piece\": " << i
                << ", \"drawing\": " << (chemins[i].empty() ? "null" : Json_Texte(chemins[i]))
                << ", \"exists\": " << (existe ? "true" : "false") << "}";
        } else {
            out << Composition_Portrait::Dossier_Piece(static_cast<int>(i)) << "\t"
                << (chemins[i].empty() ? "(no drawing)" : chemins[i])
                << (chemins[i].empty() || existe ? "" : "\t(missing)") << "\n";
        }
    }
    if (json)
        out << "]}\n";
}

}  // namespace

int Execute_Commande_Cle(Commande_Cle commande, const Options_Cle& options, std::ostream& out,
                         std::ostream& err) {
    const auto langue = Langue(options.langue);
    if (!langue) {
        err << "--lang " << options.langue << ": expected en, es or fr\n";
        return 2;
    }
    const auto strategie = Strategie_De_Nom(To_Lower_Ascii(options.strategie));
    if (!strategie) {
        err << "--strategy " << options.strategie << ": expected standard or applicable\n";
        return 2;
    }
    const Base_Ouverte ouverte = Ouvre_Base(options.reglages, err);
    if (!ouverte.base)
        return 1;
    return Execute_Sur_Base(commande, options, *ouverte.base, ouverte.reglages, out, err);
}

int Execute_Sur_Base(Commande_Cle commande, const Options_Cle& options, const Base_Connaissance& base,
                     const Reglages& lus, std::ostream& out, std::ostream& err) {
    const auto langue = Langue(options.langue);
    const auto strategie = Strategie_De_Nom(To_Lower_Ascii(options.strategie));
    if (!langue || !strategie)
        return 2;
    Console console(err);
    Reglages_Moteur reglages{lus.Rep_Robot, lus.Rep_Data, options.seuil.value_or(lus.Seuil_Pourcent),
                             Textes_Moteur_Langue(*langue), *strategie};
    Identification_Courante id(base, reglages, console, console);
    id.Demarre();
    if (!options.ido.empty()) {
        // The path is used exactly as given.
        if (Status s = Ouvre_Identification(id, base, options.ido);
            !s && s.code() != static_cast<int>(Erreur_Identification::Dessin)) {
            err << s.message() << "\n";
            if (commande == Commande_Cle::Reponses && options.json)  // a reader of the JSON learns of it too
                out << "{\"answers\": [], \"error\": " << Json_Texte(s.message()) << "}\n";
            return 1;
        }
    }
    if (!Applique_Reponses(base, id, options, err))
        return 1;
    if (!options.sauvegarde.empty()) {
        if (Status s = Enregistre_Identification(id, options.sauvegarde); !s) {
            err << s.message() << "\n";
            return 1;
        }
    }

    switch (commande) {
        case Commande_Cle::Rang:
            Ecrit_Rang(id, options.json, out);
            break;
        case Commande_Cle::Meilleur:
            if (options.toutes) {
                Ecrit_Classement(base, id, To_Lower_Ascii(options.langue), options.json, out);
            } else {
                Ecrit_Meilleur(base, id, console, To_Lower_Ascii(options.langue), options.json, out);
            }
            break;
        case Commande_Cle::Contra: {
            int espece = -1;
            for (size_t s = 0; s < base.Nom_Esp.size(); ++s) {
                if (Equal_No_Case(base.Nom_Esp[s], options.espece)) {
                    espece = static_cast<int>(s);
                    break;
                }
            }
            if (espece < 0) {
                err << "contra: no species \"" << options.espece << "\" in this knowledge base\n";
                return 1;
            }
            Ecrit_Contra(
                base, Calcule_Contradictions(base, id.Etats_Choisis(), espece, lus.Rep_Robot, lus.Rep_Data,
                                         id.Valeurs()),
                options.json, out);
            break;
        }
        case Commande_Cle::Portrait:
            Ecrit_Portrait(id, options.json, out);
            break;
        case Commande_Cle::Reponses:
            Ecrit_Reponses(base, id, To_Lower_Ascii(options.langue), options.json, out);
            break;
    }
    return 0;
}

bool Applique_Reponses(const Base_Connaissance& base, Identification_Courante& id, const Options_Cle& options,
                       std::ostream& err) {
    if (!std::isfinite(options.tolerance) || options.tolerance < 0) {
        err << "--tolerance " << options.tolerance << ": expected a percentage of 0 or more\n";
        return false;
    }
    for (const auto& reponse : options.reponses)
        if (!Applique_Reponse(base, id, reponse, err))
            return false;
    for (const auto& mesure : options.mesures)
        if (!Applique_Mesure(base, id, mesure, options.tolerance, err))
            return false;
    return true;
}

void Ajoute_Options_Reponses(CLI::App& sous, Options_Cle& options) {
    sous.add_option("--answer", options.reponses, "OBJET=STATE (state identifier or cell number), repeatable")
        ->expected(1)
        ->take_all();
    sous.add_option("--measure", options.mesures,
                    "OBJET=VALUE for a measured character, in its unit, repeatable (after the answers)")
        ->expected(1)
        ->take_all();
    sous.add_option("--tolerance", options.tolerance,
                    "Tolerance of the measures, a percentage of each value (default 10)");
}

void Ajoute_Commandes_Cle(CLI::App& app, Options_Cle& options, int& statut) {
    struct Definition {
        const char* nom;
        const char* aide;
        Commande_Cle commande;
    };
    const Definition definitions[] = {
        {"rank", "Print the results label and list after the answers", Commande_Cle::Rang},
        {"best", "Print the most discriminant character still to ask", Commande_Cle::Meilleur},
        {"contra", "Print the answers that contradict a species", Commande_Cle::Contra},
        {"portrait", "Print the drawing file of each portrait piece", Commande_Cle::Portrait},
    };
    for (const auto& d : definitions) {
        CLI::App* sous = app.add_subcommand(d.nom, d.aide);
        sous->add_option(
            "--settings", options.reglages,
            "Machine settings file that names the base (found as the window finds it when absent)");
        sous->add_option("--ido", options.ido, "Start from a saved identification");
        Ajoute_Options_Reponses(*sous, options);
        sous->add_option("--threshold", options.seuil, "List only the species at or above this percentage");
        sous->add_option("--lang", options.langue,
                         "Language of the messages and of the base's texts: en, es or fr");
        sous->add_option("--save", options.sauvegarde, "Save the resulting identification to this file");
        sous->add_flag("--json", options.json, "Print JSON");
        if (d.commande == Commande_Cle::Meilleur) {
            sous->add_option("--strategy", options.strategie,
                             "How the search chooses: standard or applicable");
            sous->add_flag("--all", options.toutes, "Print every question still to ask, ranked by its power");
        }
        if (d.commande == Commande_Cle::Contra) {
            sous->add_option("species", options.espece, "The species' name")->required();
        }
        const Commande_Cle commande = d.commande;
        sous->callback([&options, &statut, commande] {
            statut = Execute_Commande_Cle(commande, options, std::cout, std::cerr);
            if (statut != 0)
                throw CLI::RuntimeError(statut);
        });
    }
}

}  // namespace kestrane::cli
