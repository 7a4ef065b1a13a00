#include "Cle_Web.h"

#include <functional>

#include <sstream>

#include "Comparaison_Especes.h"
#include "Conversions.h"
#include "Fichier_Identification.h"
#include "Recherche_Objet.h"
#include "Reponses_Donnees.h"
#include "Resultats_Json.h"

namespace kestrane::web {

// The page's side of the engine: pieces are files the page shows, so every load succeeds;
// messages are kept for the answer that caused them; questions are declined.
class Cle_Web::Fenetre : public Observateur_Identification, public Dialogue_Utilisateur {
  public:
    bool Charge_Piece(int, const std::string&) override { return true; }
    void Etat_Inexistant(const std::string& message) override { messages.push_back(message); }
    void Message(const std::string& texte) override { messages.push_back(texte); }
    bool Question_Oui_Non(const std::string& texte) override {
        messages.push_back(texte);
        return false;
    }
    std::vector<std::string> messages;
};

namespace {

std::optional<int> Cellule(const std::string& texte) {
    if (texte.empty() || texte.size() > 7)
        return std::nullopt;
    for (size_t i = texte[0] == '-' ? 1 : 0; i < texte.size(); ++i)
        if (texte[i] < '0' || texte[i] > '9')
            return std::nullopt;
    if (texte == "-")
        return std::nullopt;
    return std::stoi(texte);
}

}  // namespace

Cle_Web::Cle_Web()
    : reglages_{"robot/", "data/", 0, {}, Strategie_Recherche::Entropie},
      fenetre_(std::make_unique<Fenetre>()) {}

Cle_Web::~Cle_Web() = default;

std::string Cle_Web::Charge(const uint8_t* data, size_t taille) {
    auto lue = Lit_Base_Compacte(data, taille);
    if (!lue)
        return lue.status().message();
    historique_.reset();
    identification_.reset();
    base_ = std::move(lue.value());
    Demarre_Identification();
    return {};
}

void Cle_Web::Demarre_Identification() {
    identification_ = std::make_unique<Identification_Courante>(*base_.Base, reglages_, *fenetre_, *fenetre_);
    identification_->Demarre();
    historique_ = std::make_unique<Historique_Reponses>(*identification_, *base_.Base);
    historique_->Demarre();
}

std::string Cle_Web::Modele(const std::string& suffixe) const {
    if (!Chargee())
        return "null";
    const Base_Connaissance& b = *base_.Base;
    std::ostringstream out;
    out << "{\"stamp\": " << Json_Texte(Empreinte()) << ", \"nb_robot\": " << b.Nb_Robot
        << ", \"nb_cadre\": " << b.Nb_Cadre << ", \"species\": [";
    for (size_t s = 0; s < b.Flore.size(); ++s) {
        const Espece_Flore& e = b.Flore[s];
        out << (s ? ", " : "") << "{\"name\": " << Json_Texte(e.Espece)
            << ", \"code\": " << Json_Texte(e.Code) << ", \"family\": " << Json_Texte(e.Famille)
            << ", \"legend\": " << Json_Texte(b.Textes.Legende(e, suffixe)) << ", \"names\": [";
        const auto& noms = base_.Noms.Noms(s);
        for (size_t n = 0; n < noms.size(); ++n)
            out << (n ? ", " : "") << "{\"text\": " << Json_Texte(noms[n].Texte)
                << ", \"language\": " << Json_Texte(noms[n].Langue) << "}";
        out << "]}";
    }
    out << "], \"characters\": [";
    for (size_t p = 0; p < b.Objets.size(); ++p) {
        const Objet_Fic& o = b.Objets[p];
        out << (p ? ", " : "") << "{\"objet\": " << Json_Texte(o.Objet)
            << ", \"question\": " << Json_Texte(b.Textes.Question(o, suffixe))
            << ", \"index_car\": " << o.Index_Car << ", \"nb_car\": " << o.Nb_Car
            << ", \"rows\": " << o.Lignes << ", \"columns\": " << o.Colonnes << ", \"frame\": " << o.Cadre
            << ", \"popup\": " << Json_Texte(o.Popup) << ", \"search\": " << (o.Joker ? "true" : "false");
        if (const Mesure_Objet* m = b.Mesure_De(p))
            out << ", \"mesure\": true, \"unite\": " << Json_Texte(m->Unite);
        out << ", \"states\": [";
        for (int j = 0; j < o.Nb_Car; ++j) {
            const Etat_Caractere* e = b.Etat_Par_Numero(o.Index_Car + j);
            out << (j ? ", " : "") << "{\"id\": " << Json_Texte(e ? e->ID_CARAC : "")
                << ", \"text\": " << Json_Texte(e ? b.Textes.Etat(*e, suffixe) : "") << "}";
        }
        out << "]}";
    }
    out << "], \"buttons\": [";
    for (size_t i = 0; i < b.But_Deter.size(); ++i) {
        const Bouton_Barre& bt = b.But_Deter[i];
        out << (i ? ", " : "") << "{\"number\": " << bt.Numero
            << ", \"caption\": " << Json_Texte(b.Textes.Bouton(Caption_Deter, bt, suffixe))
            << ", \"tip\": " << Json_Texte(b.Textes.Bouton(TipText_Deter, bt, suffixe))
            << ", \"picture\": " << Json_Texte(bt.File) << ", \"key\": " << Json_Texte(bt.Key) << "}";
    }
    out << "], \"question_buttons\": [";
    for (size_t i = 0; i < b.But_Quest.size(); ++i) {
        const Bouton_Barre& bt = b.But_Quest[i];
        out << (i ? ", " : "") << "{\"number\": " << bt.Numero
            << ", \"caption\": " << Json_Texte(b.Textes.Bouton(Caption_Quest, bt, suffixe))
            << ", \"tip\": " << Json_Texte(b.Textes.Bouton(TipText_Quest, bt, suffixe))
            << ", \"picture\": " << Json_Texte(bt.File) << "}";
    }
    out << "], \"languages\": [";
    const auto& langues = b.Textes.Langues();
    for (size_t i = 0; i < langues.size(); ++i)
        out << (i ? ", " : "") << "{\"suffix\": " << Json_Texte(langues[i].Suffixe)
            << ", \"name\": " << Json_Texte(langues[i].Langue)
            << ", \"origin\": " << (langues[i].Origine ? "true" : "false") << "}";
    out << "]}";
    return out.str();
}

void Cle_Web::Change_Seuil(int seuil) {
    reglages_.Seuil_Pourcent = seuil;
    if (identification_)
        identification_->Change_Seuil(seuil);
}

bool Cle_Web::Change_Strategie(const std::string& nom) {
    const auto strategie = Strategie_De_Nom(nom);
    if (!strategie)
        return false;
    reglages_.Strategie = *strategie;
    if (identification_)
        identification_->Change_Strategie(*strategie);
    return true;
}

void Cle_Web::Change_Textes(const Textes_Moteur& textes) {
    reglages_.Textes = textes;
    if (identification_)
        identification_->Change_Textes(textes);
}

void Cle_Web::Nouvelle() {
    if (!identification_)
        return;
    historique_->Commence();
    identification_->Nouvelle_Identification();
    historique_->Termine(Genre_Changement::Nouvelle, std::nullopt, "");
}

std::string Cle_Web::Repond(const std::string& nom_objet, const std::string& nom_etat) {
    if (!identification_)
        return "no knowledge base is loaded";
    const Base_Connaissance& b = *base_.Base;
    const Objet_Fic* objet = b.Trouve_Objet(nom_objet);
    if (objet == nullptr)
        return "no character \"" + nom_objet + "\" in this knowledge base";
    std::optional<int> choix;
    if (const auto etat = b.Etat_Par_Identifiant(nom_etat);
        etat && *etat >= objet->Index_Car && *etat < objet->Index_Car + objet->Nb_Car) {
        choix = *etat - objet->Index_Car;
    } else if (const auto cellule = Cellule(nom_etat);
               cellule && *cellule >= -1 && *cellule < objet->Nb_Car) {
        choix = *cellule;
    }
    if (!choix)
        return "\"" + nom_etat + "\" is neither a state identifier of " + objet->Objet +
               " nor a cell number 0 .. " + std::to_string(objet->Nb_Car - 1);
    return Enregistre_Reponse(*objet, [&] {
        identification_->Question.Choix = *choix;
        return identification_->Valid_Descripteur();
    });
}

std::string Cle_Web::Enregistre_Reponse(const Objet_Fic& objet, const std::function<Status()>& valide) {
    historique_->Commence();
    identification_->Question = Question_Courante::De_Objet(objet);
    if (Status s = valide(); !s) {
        historique_->Abandonne();
        return s.message();
    }
    identification_->Actualise_Identification();
    historique_->Termine(Genre_Changement::Reponse, static_cast<size_t>(&objet - base_.Base->Objets.data()), "");
    return {};
}

std::string Cle_Web::Repond_Mesure(const std::string& nom_objet, double valeur, double tolerance_pourcent) {
    if (!identification_)
        return "no knowledge base is loaded";
    const Base_Connaissance& b = *base_.Base;
    const Objet_Fic* objet = b.Trouve_Objet(nom_objet);
    if (objet == nullptr)
        return "no character \"" + nom_objet + "\" in this knowledge base";
    return Enregistre_Reponse(*objet, [&] { return identification_->Valid_Mesure(valeur, tolerance_pourcent); });
}

int Cle_Web::Choix(const std::string& nom_objet) const {
    if (!identification_)
        return -1;
    const Objet_Fic* objet = base_.Base->Trouve_Objet(nom_objet);
    return objet ? identification_->Choix_Donne(objet->Index_Car, objet->Nb_Car) : -1;
}

bool Cle_Web::Annule() {
    return Peut_Annuler() && historique_->Annule().ok();
}

bool Cle_Web::Retablit() {
    return Peut_Retablir() && historique_->Retablit().ok();
}

std::string Cle_Web::Rang() const {
    if (!identification_)
        return "null";
    std::ostringstream out;
    Ecrit_Rang_Json(*identification_, out);
    return out.str();
}

std::vector<int32_t> Cle_Web::Lignes() const {
    std::vector<int32_t> lignes;
    if (!identification_)
        return lignes;
    const auto& r = identification_->Resultats();
    const size_t n = identification_->Liste().Lignes.size();
    lignes.reserve(2 * n);
    for (size_t k = 0; k < n; ++k) {
        lignes.push_back(r.Classement_Esp.Espece[k]);
        lignes.push_back(r.Pourcent_Esp[k]);
    }
    return lignes;
}

std::string Cle_Web::Legende() const {
    return identification_ ? identification_->Liste().Legende : std::string();
}

std::string Cle_Web::Meilleur(const std::string& suffixe) {
    if (!identification_)
        return "null";
    fenetre_->messages.clear();
    const Issue_Recherche issue = identification_->Maitre_Discriminant();
    const std::string message = fenetre_->messages.empty() ? std::string() : fenetre_->messages.back();
    std::ostringstream out;
    Ecrit_Meilleur_Json(*base_.Base, *identification_, issue, message, suffixe, out);
    return out.str();
}

std::string Cle_Web::Questions(const std::string& suffixe) {
    if (!identification_)
        return "null";
    std::ostringstream out;
    Ecrit_Classement_Json(*base_.Base, identification_->Questions_Classees(), suffixe, out);
    return out.str();
}

std::string Cle_Web::Contra(int espece) const {
    if (!identification_ || espece < 0 || espece >= base_.Base->Nb_Esp ||
        static_cast<size_t>(espece) >= base_.Base->Nom_Esp.size())
        return "null";
    std::ostringstream out;
    Ecrit_Contra_Json(*base_.Base,
                      Calcule_Contradictions(*base_.Base, identification_->Etats_Choisis(), espece,
                                             reglages_.Rep_Robot, reglages_.Rep_Data, identification_->Valeurs()),
                      out);
    return out.str();
}

std::string Cle_Web::Portrait() const {
    if (!identification_)
        return "null";
    const auto& chemins = identification_->Portrait().Chemins_Charges();
    std::string json = "{\"pieces\": [";
    for (size_t i = 0; i < chemins.size(); ++i)
        json += (i ? ", " : "") + (chemins[i].empty() ? std::string("null") : Json_Texte(chemins[i]));
    return json + "]}";
}

std::string Cle_Web::Reponses() const {
    if (!identification_)
        return "null";
    const Base_Connaissance& b = *base_.Base;
    std::string json = "{\"answers\": [";
    bool premier = true;
    for (const size_t p : historique_->Ordre()) {
        const Objet_Fic& o = b.Objets[p];
        json += std::string(premier ? "" : ", ") + "{\"objet\": " + Json_Texte(o.Objet) +
                ", \"position\": " + std::to_string(p) +
                ", \"choice\": " + std::to_string(identification_->Choix_Donne(o.Index_Car, o.Nb_Car));
        if (const auto v = identification_->Valeur_De(p))
            json += ", \"valeur\": " + Texte_Nombre(v->Valeur) + ", \"tolerance\": " + Texte_Nombre(v->Tolerance);
        json += "}";
        premier = false;
    }
    return json + "]}";
}

std::string Cle_Web::Compare(int a, int b) const {
    if (!Chargee())
        return "null";
    const Comparaison_Especes c = Compare_Especes(*base_.Base, a, b);
    auto liste = [](const std::vector<int>& etats) {
        std::string json = "[";
        for (size_t i = 0; i < etats.size(); ++i) json += (i ? ", " : "") + std::to_string(etats[i]);
        return json + "]";
    };
    auto section = [&](const char* cle, const std::vector<Caractere_Compare>& caracteres) {
        std::string json = std::string("\"") + cle + "\": [";
        for (size_t i = 0; i < caracteres.size(); ++i) {
            const Caractere_Compare& car = caracteres[i];
            json += (i ? ", " : "") + std::string("{\"position\": ") + std::to_string(car.Position) +
                    ", \"disjoint\": " + (car.Disjoints ? "true" : "false") +
                    ", \"a\": " + liste(car.Etats_A) + ", \"b\": " + liste(car.Etats_B) + "}";
        }
        return json + "]";
    };
    return "{" + section("differ", c.Differents) + ", " + section("shared", c.Communs) + ", " +
           section("only_one", c.Un_Seul) + "}";
}

std::string Cle_Web::Trouve(const std::string& plie) const {
    if (!Chargee())
        return "null";
    const std::vector<bool> trouvees = base_.Noms.Correspondances_Plie(plie);
    std::string json = "{\"species\": [";
    bool premier = true;
    for (size_t s = 0; s < trouvees.size(); ++s) {
        if (!trouvees[s])
            continue;
        json += (premier ? "" : ", ") + std::to_string(s);
        premier = false;
    }
    return json + "]}";
}

std::string Cle_Web::Objet_Sous(double x, double y, double largeur, double hauteur, int32_t couleur) const {
    if (!identification_)
        return {};
    const Base_Connaissance& b = *base_.Base;
    const Zone_Trouvee zone = Cherche_Zone(b, identification_->Etats_Choisis(), identification_->Etat_Cadre(),
                                           Reference_X(x, largeur), Reference_Y(y, hauteur));
    if (zone.Objet != nullptr)
        return zone.Objet->Objet;
    if (couleur < 0)
        return {};
    const std::string code = Couleur_Proche(b, couleur);
    const Objet_Fic* objet = b.Trouve_Objet(code);
    return objet ? objet->Objet : std::string();
}

std::vector<uint8_t> Cle_Web::Ido() const {
    if (!identification_)
        return {};
    return Encode_Identification(identification_->Etats_Choisis(), identification_->Etat_Cadre());
}

std::string Cle_Web::Ouvre_Ido(const uint8_t* data, size_t taille) {
    if (!identification_)
        return "no knowledge base is loaded";
    const Base_Connaissance& b = *base_.Base;
    auto lu = Decode_Identification(data, taille, b.Nb_Etats_Desc, b.Nb_Cadre);
    if (!lu)
        return lu.status().message();
    historique_->Commence();
    if (Status s =
            identification_->Remplace_Reponses(std::move(lu->Etats_Choisis), std::move(lu->Etat_Cadre));
        !s) {
        historique_->Abandonne();
        return s.message();
    }
    identification_->Actualise_Identification();
    identification_->Marque_Enregistree();
    historique_->Termine(Genre_Changement::Ouverture, std::nullopt, "");
    return {};
}

}  // namespace kestrane::web
