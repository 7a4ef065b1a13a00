#include "Verification_Base.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "Chargeur_Base.h"
#include "Chemins_Fichiers.h"
#include "Conversions.h"
#include "Database.h"
#include "Echantillonneur_Palette_Wmf.h"
#include "Mesures_Objets.h"
#include "Reglages_Base.h"
#include "Textes_A_Traduire.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

namespace {

std::string Plie_Texte(const std::string& s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

class Verificateur {
  public:
    explicit Verificateur(std::string dossier) : dossier_(std::move(dossier)) {}

    std::vector<Probleme> Verifie() {
        const fs::path ini = fs::path(dossier_) / "kestrane.ini";
        Reglages_Base reglages = Lit_Reglages_Base(dossier_);
        if (!reglages.Lu) {
            Ajoute(ini.string(), "the settings file cannot be read");
            return problemes_;
        }
        for (const auto& p : reglages.Problemes) Ajoute(ini.string(), p);
        data_ = reglages.Data;
        const std::string base = reglages.Base;
        descripteurs_ = reglages.Descripteurs;
        robot_ = reglages.Robot;
        documents_ = reglages.Documents;
        if (!problemes_.empty())
            return problemes_;

        Chargement c = Charge_Base({base, data_ + "/"}, nullptr);
        if (c.Echec) {
            Ajoute(c.Echec->Message, c.Echec->Detail);
            return problemes_;
        }
        b_ = c.Base.get();
        Comptes();
        Numerotation();
        Identifiants();
        Cycles();
        Fichiers();
        Palette();
        Traductions();
        Mesures();
        if (Plie_Texte(reglages.Cles["Options/Distribution"]) == "hd")
            Documents();
        return problemes_;
    }

  private:
    void Ajoute(const std::string& lieu, const std::string& quoi) { problemes_.push_back({lieu, quoi}); }
    void Avertit(const std::string& lieu, const std::string& quoi) {
        problemes_.push_back({lieu, quoi, true});
    }
    static std::string Rangee(const std::string& table, int n) {
        return "table " + table + ", row " + std::to_string(n);
    }

    int Lignes_Table(const std::string& table) {
        auto rs = b_->Base_Donnees->Open_Table(table);
        if (!rs) {
            Ajoute("table " + table, "cannot be read: " + rs.status().message());
            return -1;
        }
        return (*rs)->Record_Count();
    }

    void Compte(const std::string& nom, int valeur, int attendu, const std::string& selon) {
        if (valeur != attendu)
            Ajoute("table Parametres, " + nom,
                   "is " + std::to_string(valeur) + " but " + selon + " gives " + std::to_string(attendu));
    }

    void Comptes() {
        Compte("Nb_Esp", b_->Nb_Esp, Lignes_Table("Flore"), "table Flore");
        Compte("Nb_Etats_Desc", b_->Nb_Etats_Desc, Lignes_Table("Caracteres"), "table Caracteres");
        int somme = 0, cadre_max = -1;
        for (const auto& o : b_->Objets) {
            somme += o.Nb_Car;
            cadre_max = std::max(cadre_max, o.Cadre);
        }
        Compte("Nb_Etats_Desc", b_->Nb_Etats_Desc, somme, "the sum of Nb_Car of Objets_Fic");
        if (b_->Nb_Cadre <= cadre_max)
            Ajoute("table Parametres, Nb_Cadre", "is " + std::to_string(b_->Nb_Cadre) +
                                                     " but a character has frame " +
                                                     std::to_string(cadre_max));
        Compte("Nb_But_Deter", b_->Nb_But_Deter, Lignes_Table("But_Deter"), "table But_Deter");
        Compte("Nb_But_Quest", b_->Nb_But_Quest, Lignes_Table("But_Quest"), "table But_Quest");
        Compte("Nb_Couleurs", b_->Nb_Couleurs, Lignes_Table("Couleurs"), "table Couleurs");
        std::set<int> pieces;
        for (size_t i = 0; i < b_->Hierarchie.size(); ++i) {
            const int p = b_->Hierarchie[i].Robot_Num;
            pieces.insert(p);
            if (p < 0 || p >= b_->Nb_Robot)
                Ajoute(Rangee("Hierarchie", static_cast<int>(i) + 1),
                       "Robot_Num " + std::to_string(p) + " is outside 0 .. Nb_Robot - 1");
        }
        Compte("Nb_Robot", b_->Nb_Robot, static_cast<int>(pieces.size()), "the pieces of table Hierarchie");
        for (const std::string table : {"Hierarchie", "Clic_Zone"}) {
            auto rs = b_->Base_Donnees->Open_Table(table);
            if (!rs)
                continue;
            int n = 0;
            for (const auto& f : (*rs)->Field_Names())
                n += std::regex_match(f, std::regex("C_(0|[1-9][0-9]*)")) ? 1 : 0;
            Compte("Nb_Contraintes", b_->Nb_Contraintes, n, "the condition fields of table " + table);
        }
        auto taille = [&](const std::string& nom, long long attendu) {
            const std::string p = Trouve_Fichier(data_ + "/" + nom);
            std::error_code ec;
            const auto t = fs::file_size(p, ec);
            if (ec)
                Ajoute(data_ + "/" + nom, "is missing");
            else if (static_cast<long long>(t) != attendu)
                Ajoute(p, "holds " + std::to_string(t) + " bytes where the counts give " +
                              std::to_string(attendu));
        };
        taille("POIDS.DAT", 2LL * b_->Nb_Etats_Desc);
        taille("MATRICE.DAT", 2LL * b_->Nb_Esp * b_->Nb_Etats_Desc);
    }

    void Numerotation() {
        for (size_t i = 0; i < b_->Caracteres.size(); ++i)
            if (b_->Caracteres[i].NUM != static_cast<int>(i))
                Ajoute(
                    "table Caracteres, NUM " + std::to_string(b_->Caracteres[i].NUM),
                    "state numbers must run 0, 1, 2, ... without a gap (expected " + std::to_string(i) + ")");
        std::vector<const Objet_Fic*> objets;
        for (const auto& o : b_->Objets) objets.push_back(&o);
        std::sort(objets.begin(), objets.end(), [](auto* a, auto* b) { return a->Index_Car < b->Index_Car; });
        int attendu = 0;
        for (const auto* o : objets) {
            if (o->Index_Car != attendu)
                Ajoute("table Objets_Fic, " + o->Objet, "Index_Car is " + std::to_string(o->Index_Car) +
                                                            " where " + std::to_string(attendu) +
                                                            " follows the previous character's states");
            if (o->Nb_Car <= 0)
                Ajoute("table Objets_Fic, " + o->Objet, "Nb_Car must be at least 1");
            if (o->Lignes * o->Colonnes < o->Nb_Car)
                Ajoute("table Objets_Fic, " + o->Objet,
                       "a grid of Lignes x Colonnes cannot hold Nb_Car states");
            attendu = o->Index_Car + o->Nb_Car;
        }
        std::set<int> descs;
        for (const auto& o : b_->Objets)
            if (o.Desc_Num < 0 || o.Desc_Num >= static_cast<int>(b_->Objets.size()) ||
                !descs.insert(o.Desc_Num).second)
                Ajoute("table Objets_Fic, " + o.Objet,
                       "Desc_Num " + std::to_string(o.Desc_Num) + " is out of range or used twice");
        std::set<std::string> codes;
        for (const auto& f : b_->Flore) {
            if (f.Code.size() != 5)
                Ajoute("table Flore, " + f.Espece, "Code '" + f.Code + "' must have five characters");
            if (!codes.insert(Plie_Texte(f.Code)).second)
                Ajoute("table Flore, " + f.Espece, "Code '" + f.Code + "' is used twice");
        }
    }

    void Etat_Connu(const std::string& lieu, const std::string& id) {
        if (!b_->Etat_Par_Identifiant(id))
            Ajoute(lieu, "'" + id + "' names no state of table Caracteres");
    }
    void Objet_Connu(const std::string& lieu, const std::string& objet) {
        if (!b_->Trouve_Objet(objet))
            Ajoute(lieu, "'" + objet + "' names no character of table Objets_Fic");
    }

    void Identifiants() {
        for (size_t i = 0; i < b_->Hierarchie.size(); ++i) {
            const auto& r = b_->Hierarchie[i];
            const std::string lieu = Rangee("Hierarchie", static_cast<int>(i) + 1);
            for (const auto& c : r.Conditions) Etat_Connu(lieu, c);
            if (!r.Conditions_Terminees)
                Ajoute(lieu, "the conditions do not end with 'Fin'");
        }
        for (size_t i = 0; i < b_->Clic_Zone.size(); ++i) {
            const auto& z = b_->Clic_Zone[i];
            const std::string lieu = Rangee("Clic_Zone", static_cast<int>(i) + 1);
            for (const auto& c : z.Conditions) Etat_Connu(lieu, c);
            if (!z.Conditions_Terminees)
                Ajoute(lieu, "the conditions do not end with 'Fin'");
            Objet_Connu(lieu, z.Nom);
            if (z.Cadre < -1 || z.Cadre >= b_->Nb_Cadre)
                Ajoute(lieu, "Cadre " + std::to_string(z.Cadre) + " is no frame");
        }
        for (const auto& d : b_->Descendance) {
            const std::string lieu = Rangee("Descendance", d.Numero);
            Etat_Connu(lieu, d.ID_CARAC);
            Objet_Connu(lieu, d.Objet);
        }
        for (size_t i = 0; i < b_->Code_Couleur.size(); ++i)
            if (!b_->Trouve_Objet(b_->Code_Couleur[i]))
                Ajoute(Rangee("Couleurs", static_cast<int>(i) + 1),
                       "palette code '" + b_->Code_Couleur[i] + "' names no character");
        for (const auto& bt : b_->But_Deter)
            if (bt.Key != "Search" && bt.Key != "Results" && !b_->Trouve_Objet(bt.Key))
                Ajoute(Rangee("But_Deter", bt.Numero),
                       "Key '" + bt.Key + "' is neither a character nor Search or Results");
        for (const auto& c : b_->Contradictions) {
            const std::string lieu = "table Contradictions, " + c.Objet;
            Objet_Connu(lieu, c.Objet);
            if (c.Bouton != -1 && (c.Bouton < 1 || c.Bouton > b_->Nb_But_Deter))
                Ajoute(lieu, "Bouton " + std::to_string(c.Bouton) + " is no button of the determination bar");
        }
        std::set<std::string> vues;
        for (const auto& q : b_->Base_Donnees->Query_Names()) vues.insert(Plie_Texte(q));
        for (const auto& l : b_->Communs_Langues)
            if (!vues.count(Plie_Texte("Vernaculaire_" + l)))
                Ajoute("table Communs_Langues, " + l, "no stored query Vernaculaire_" + l);
    }

    void Cycles() {
        // Character A leads to B when a state of A is the parent of B.
        std::map<std::string, std::vector<std::string>> suivants;
        for (const auto& d : b_->Descendance) {
            auto e = b_->Etat_Par_Identifiant(d.ID_CARAC);
            if (!e)
                continue;
            for (const auto& o : b_->Objets)
                if (*e >= o.Index_Car && *e < o.Index_Car + o.Nb_Car)
                    suivants[Plie_Texte(o.Objet)].push_back(Plie_Texte(d.Objet));
        }
        std::map<std::string, int> etat;
        std::function<bool(const std::string&)> visite = [&](const std::string& a) {
            etat[a] = 1;
            for (const auto& b : suivants[a]) {
                if (etat[b] == 1)
                    return true;
                if (etat[b] == 0 && visite(b))
                    return true;
            }
            etat[a] = 2;
            return false;
        };
        for (const auto& o : b_->Objets)
            if (etat[Plie_Texte(o.Objet)] == 0 && visite(Plie_Texte(o.Objet))) {
                Ajoute("table Descendance",
                       "the dependencies form a cycle through character '" + o.Objet + "'");
                return;
            }
    }

    void Existe(const std::string& chemin, const std::string& qui) {
        if (!Fichier_Existe(chemin)) {
            Ajoute(chemin, "is missing (named by " + qui + ")");
            return;
        }
        // A metafile must at least start as a placeable metafile, as the builder writes them.
        if (chemin.size() > 4 && Plie_Texte(chemin.substr(chemin.size() - 4)) == ".wmf") {
            std::ifstream in(Trouve_Fichier(chemin), std::ios::binary);
            unsigned char cle[4] = {};
            in.read(reinterpret_cast<char*>(cle), 4);
            if (!in || cle[0] != 0xD7 || cle[1] != 0xCD || cle[2] != 0xC6 || cle[3] != 0x9A)
                Ajoute(chemin, "is not a placeable metafile (named by " + qui + ")");
        }
    }

    static std::string Piece(int p) {
        std::string s = std::to_string(p);
        return s.size() < 2 ? "0" + s : s;
    }

    void Fichiers() {
        Existe(data_ + "/couleur.wmf", "the palette");
        for (const auto& o : b_->Objets)
            if (!o.Popup.empty())  // without one, the character is asked from its states' texts
                Existe(descripteurs_ + "/" + o.Popup, "table Objets_Fic, " + o.Objet);
        for (const auto& bt : b_->But_Deter) Existe(data_ + "/" + bt.File, Rangee("But_Deter", bt.Numero));
        for (const auto& bt : b_->But_Quest) Existe(data_ + "/" + bt.File, Rangee("But_Quest", bt.Numero));
        for (const auto& c : b_->Contradictions) {
            if (c.Bouton == -1)
                Existe(robot_ + "/CONTRA/" + c.Popup + ".wmf", "table Contradictions, " + c.Objet);
            else
                Existe(robot_ + "/contra/" + c.Popup + ".ico", "table Contradictions, " + c.Objet);
        }
        // Variants: the last six characters of the first piece's metafile names.
        std::set<std::string> variantes;
        for (const auto& r : b_->Hierarchie)
            if (r.Robot_Num == 0 && r.Nom.size() >= 6 && Plie_Texte(r.Nom.substr(r.Nom.size() - 3)) == "wmf")
                variantes.insert(r.Nom.substr(r.Nom.size() - 6));
        for (size_t i = 0; i < b_->Hierarchie.size(); ++i) {
            const auto& r = b_->Hierarchie[i];
            const std::string qui = Rangee("Hierarchie", static_cast<int>(i) + 1);
            const std::string base = robot_ + "/" + Piece(r.Robot_Num) + "/" + r.Nom;
            if (r.Nom.size() >= 3 && Plie_Texte(r.Nom.substr(r.Nom.size() - 3)) == "wmf")
                Existe(base, qui);
            else if (variantes.empty())
                Existe(base, qui);
            else
                for (const auto& v : variantes) Existe(base + v, qui);
        }
        for (int p = 0; p < b_->Nb_Robot; ++p) {
            bool defaut = false;
            for (const auto& r : b_->Hierarchie)
                defaut = defaut || (r.Robot_Num == p && r.Conditions.empty() && r.Conditions_Terminees);
            if (!defaut)
                Ajoute("table Hierarchie",
                       "piece " + std::to_string(p) + " has no row without conditions (its default drawing)");
        }
    }

    // The palette picture must give Nb_Couleurs different colours, one per band, or a click would
    // find the wrong code.
    void Palette() {
        const int n = b_->Nb_Couleurs;
        const std::string chemin = Trouve_Fichier(data_ + "/couleur.wmf");
        if (n <= 0 || !Fichier_Existe(chemin))
            return;
        wmf::Echantillonneur_Palette_Wmf echantillonneur(chemin, n * 16, 16);
        const auto couleurs = echantillonneur.Echantillonne(n);
        if (static_cast<int>(couleurs.size()) != n) {
            Ajoute(chemin, "cannot be read as the palette picture");
            return;
        }
        std::map<int32_t, int> bande;
        for (int c = 0; c < n; ++c) {
            auto [it, nouvelle] = bande.emplace(couleurs[static_cast<size_t>(c)], c);
            if (!nouvelle)
                Ajoute(chemin, "bands " + std::to_string(it->second + 1) + " and " + std::to_string(c + 1) +
                                   " have the same colour, so their codes cannot be told apart");
        }
    }

    bool Cle_Connue(Texte_Traduisible quoi, const std::string& cle) const {
        auto egal = [&](const std::string& a) { return Plie_Texte(a) == Plie_Texte(cle); };
        if (quoi.Table == Question_Objet.Table)
            return b_->Trouve_Objet(cle) != nullptr;
        if (quoi.Table == Texte_Etat.Table)
            return b_->Etat_Par_Identifiant(cle).has_value();
        if (quoi.Table == Legende_Espece.Table)
            return std::any_of(b_->Flore.begin(), b_->Flore.end(),
                               [&](const auto& f) { return egal(f.Espece); });
        const auto& boutons = quoi.Table == Caption_Deter.Table ? b_->But_Deter : b_->But_Quest;
        return std::any_of(boutons.begin(), boutons.end(),
                           [&](const auto& bt) { return egal(std::to_string(bt.Numero)); });
    }

    // Each translation names a text of the base in a declared language; each text has its
    // translation in every declared language but the tables' own.
    void Traductions() {
        const Textes_Base& textes = b_->Textes;
        const auto& langues = textes.Langues();
        if (!langues.empty() &&
            std::count_if(langues.begin(), langues.end(), [](const auto& l) { return l.Origine; }) != 1)
            Ajoute("table Langues_Textes",
                   "exactly one language must be marked Origine (the tables' own texts)");
        if (b_->Base_Donnees->Has_Table("Traductions")) {
            auto rs = b_->Base_Donnees->Open_Table("Traductions");
            if (!rs) {
                Ajoute("table Traductions", "cannot be read: " + rs.status().message());
            } else {
                Recordset& r = **rs;
                for (r.Move_First(); !r.Eof(); r.Move_Next()) {
                    const std::string lieu = Rangee("Traductions", r.Position() + 1);
                    const std::string table = r.Get("Nom_Table").Text(), champ = r.Get("Champ").Text();
                    const std::string cle = r.Get("Cle").Text(), langue = r.Get("Langue").Text();
                    const auto quoi =
                        std::find_if(std::begin(Textes_Traduisibles), std::end(Textes_Traduisibles),
                                     [&](const Texte_Traduisible& t) {
                                         return Plie_Texte(std::string(t.Table)) == Plie_Texte(table) &&
                                                Plie_Texte(std::string(t.Champ)) == Plie_Texte(champ);
                                     });
                    if (quoi == std::end(Textes_Traduisibles))
                        Ajoute(lieu, "'" + table + "." + champ + "' is no text that a base translates");
                    else if (!Cle_Connue(*quoi, cle))
                        Ajoute(lieu, "'" + cle + "' names no row of table " + table);
                    if (!textes.Offre(langue))
                        Ajoute(lieu, "language '" + langue + "' is not declared in table Langues_Textes");
                }
            }
        }
        const auto a_traduire = Textes_A_Traduire(*b_);
        for (const auto& l : langues) {
            if (l.Origine)
                continue;
            for (const auto& t : a_traduire)
                if (!textes.Traduit(t.Quoi, t.Cle, l.Suffixe))
                    Avertit("table " + std::string(t.Quoi.Table) + ", " + t.Nom,
                            std::string(t.Quoi.Champ) + " has no translation in '" + l.Suffixe + "'");
        }
    }

    // The measured characters' tables, read as the program reads them: each row it would pass
    // over is a problem here.
    void Mesures() {
        Base_Connaissance lue;
        lue.Nb_Esp = b_->Nb_Esp;
        lue.Objets = b_->Objets;
        lue.Nom_Esp = b_->Nom_Esp;
        std::vector<std::string> problemes;
        Lit_Mesures(*b_->Base_Donnees, lue, problemes);
        for (const auto& p : problemes) Ajoute(p.substr(0, p.find(": ")), p.substr(p.find(": ") + 2));
    }

    // Every relative link (href, src) of a page must lead to an existing file.
    // Reports the page's local links to nothing; returns their targets.
    std::set<std::string> Liens(const fs::path& page) {
        std::set<std::string> cibles;
        std::ifstream in(page);
        std::stringstream t;
        t << in.rdbuf();
        const std::string texte = t.str();
        static const std::regex re("(href|src)\\s*=\\s*\"([^\"#?]+)");
        for (auto it = std::sregex_iterator(texte.begin(), texte.end(), re); it != std::sregex_iterator();
             ++it) {
            const std::string cible = (*it)[2].str();
            if (cible.find("://") != std::string::npos || cible.rfind("mailto:", 0) == 0)
                continue;
            cibles.insert(cible);
            if (!fs::exists(page.parent_path() / cible))
                Ajoute(page.string(), "links to '" + cible + "', which does not exist");
        }
        return cibles;
    }

    void Documents() {
        std::set<std::string> suffixes{"_en"};
        for (const auto& f : b_->Flore) {
            const std::string c5 = Plie_Texte(f.Code.substr(0, 5));
            if (c5.empty())
                continue;
            const fs::path dossier = fs::path(documents_) / c5.substr(0, 1) / c5;
            if (!fs::is_directory(dossier)) {
                Ajoute(dossier.string(), "the documents of " + f.Espece + " are missing");
                continue;
            }
            for (const auto& entree : fs::directory_iterator(dossier)) {
                const std::string nom = entree.path().filename().string();
                if (nom.size() == c5.size() + 8 && nom.rfind(c5 + "_", 0) == 0 &&
                    nom.substr(nom.size() - 5) == ".html")
                    suffixes.insert(nom.substr(c5.size(), 3));
            }
        }
        for (const auto& f : b_->Flore) {
            const std::string c5 = Plie_Texte(f.Code.substr(0, 5));
            const fs::path dossier = fs::path(documents_) / c5.substr(0, 1) / c5;
            if (!fs::is_directory(dossier))
                continue;
            bool dessin = false;  // a species without a drawing is one whose pages show none
            for (const auto& s : suffixes) {
                for (const std::string& nom : {c5 + s + ".html", "dessin_" + c5 + s + ".html"}) {
                    const fs::path page = dossier / nom;
                    if (!fs::exists(page))
                        Ajoute(page.string(), "the page of " + f.Espece + " is missing");
                    else
                        dessin = Liens(page).count(c5 + ".gif") > 0 || dessin;
                }
            }
            const fs::path gif = dossier / (c5 + ".gif");
            if (!dessin && !fs::exists(gif))
                continue;
            std::ifstream in(gif, std::ios::binary);
            unsigned char tete[10] = {};
            in.read(reinterpret_cast<char*>(tete), 10);
            if (!in)
                Ajoute(gif.string(), "the full-size drawing of " + f.Espece + " is missing");
            else {
                const int w = tete[6] | (tete[7] << 8), h = tete[8] | (tete[9] << 8);
                if (std::string(reinterpret_cast<char*>(tete), 3) != "GIF")
                    Ajoute(gif.string(), "is not a GIF image");
                else if (w != 2200 || h != 3300)
                    Ajoute(gif.string(), "is " + std::to_string(w) + " x " + std::to_string(h) +
                                             " pixels, not 2200 x 3300");
            }
        }
        for (const auto& s : suffixes) {
            const fs::path erreur = fs::path(data_) / ("error" + s + ".html");
            if (!fs::exists(erreur))
                Ajoute(erreur.string(), "the error page is missing");
        }
    }

    std::string dossier_, data_, descripteurs_, robot_, documents_;
    const Base_Connaissance* b_ = nullptr;
    std::vector<Probleme> problemes_;
};

}  // namespace

std::vector<Probleme> Verifie_Base(const std::string& dossier) {
    return Verificateur(dossier).Verifie();
}

size_t Erreurs(const std::vector<Probleme>& problemes) {
    return static_cast<size_t>(std::count_if(problemes.begin(), problemes.end(),
                                             [](const Probleme& p) { return !p.Avertissement; }));
}

}  // namespace kestrane::kb
