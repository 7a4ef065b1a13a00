#include "Ecriture_Base_Compacte.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "Base_Compacte.h"

namespace kestrane::kb {
namespace {

class Ecrivain {
  public:
    std::vector<uint8_t> octets;

    void Entier(uint64_t v, size_t taille) {
        for (size_t i = 0; i < taille; ++i) octets.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void U8(uint8_t v) { octets.push_back(v); }
    void I16(int16_t v) { Entier(static_cast<uint16_t>(v), 2); }
    void I32(int32_t v) { Entier(static_cast<uint32_t>(v), 4); }
    void Nombre(size_t n) { Entier(static_cast<uint32_t>(n), 4); }
    void Booleen(bool b) { U8(b ? 1 : 0); }
    void Texte(const std::string& s) {
        Nombre(s.size());
        octets.insert(octets.end(), s.begin(), s.end());
    }
    void Textes(const std::vector<std::string>& v) {
        Nombre(v.size());
        for (const auto& s : v) Texte(s);
    }
    void Reel(double d) {
        uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        Entier(bits, 8);
    }
    void Reel_Optionnel(const std::optional<double>& d) {
        Booleen(d.has_value());
        if (!d)
            return;
        uint64_t bits;
        std::memcpy(&bits, &*d, sizeof bits);
        Entier(bits, 8);
    }
};

Status Ecrit_Matrice(const Base_Connaissance& b, Ecrivain& w) {
    const Matrice_Especes& m = b.Matrice;
    const auto& cellules = m.Data();
    bool binaire = true;
    for (int e = 0; e < m.Nb_Etats(); ++e) {
        const Cellule_Matrice* colonne = m.Etat(e);
        for (int s = 0; s < m.Nb_Esp(); ++s) {
            const int v = colonne[s];
            if (v == 0 || v == 1)
                continue;
            binaire = false;
            if (v < -128 || v > 127) {
                const Etat_Caractere* etat = b.Etat_Par_Numero(e);
                const std::string espece = static_cast<size_t>(s) < b.Nom_Esp.size()
                                               ? b.Nom_Esp[static_cast<size_t>(s)]
                                               : std::to_string(s);
                return Status::Error("species '" + espece + "', state '" +
                                     (etat ? etat->ID_CARAC : std::to_string(e)) + "': the matrix value " +
                                     std::to_string(v) +
                                     " does not fit the web key, which holds values from -128 to 127");
            }
        }
    }
    w.I32(m.Nb_Esp());
    w.I32(m.Nb_Etats());
    w.U8(binaire ? Matrice_Bits : Matrice_Octets);
    if (!binaire) {
        for (const Cellule_Matrice v : cellules) w.U8(static_cast<uint8_t>(static_cast<int8_t>(v)));
        return Status::Ok();
    }
    std::vector<uint8_t> bits((cellules.size() + 7) / 8, 0);
    for (size_t i = 0; i < cellules.size(); ++i)
        if (cellules[i] != 0)
            bits[i / 8] = static_cast<uint8_t>(bits[i / 8] | (1u << (i % 8)));
    w.octets.insert(w.octets.end(), bits.begin(), bits.end());
    return Status::Ok();
}

void Ecrit_Boutons(const std::vector<Bouton_Barre>& boutons, Ecrivain& w) {
    w.Nombre(boutons.size());
    for (const auto& b : boutons) {
        w.I32(b.Numero);
        w.Texte(b.Caption);
        w.Texte(b.File);
        w.Texte(b.TipText);
        w.Texte(b.Key);
    }
}

void Ecrit_Tables(const Base_Connaissance& b, Ecrivain& w) {
    w.Nombre(b.Objets.size());
    for (const auto& o : b.Objets) {
        w.Texte(o.Objet);
        for (const int v : {o.Desc_Num, o.Index_Car, o.Nb_Car, o.Lignes, o.Colonnes, o.Cadre}) w.I32(v);
        w.Texte(o.Popup);
        w.Texte(o.TipText);
        w.Booleen(o.Joker);
    }
    w.Nombre(b.Caracteres.size());
    for (const auto& e : b.Caracteres) {
        w.I32(e.NUM);
        w.Texte(e.ID_CARAC);
        w.Texte(e.TipText);
    }
    w.Nombre(b.Descendance.size());
    for (const auto& d : b.Descendance) {
        w.I32(d.Numero);
        w.Texte(d.ID_CARAC);
        w.Texte(d.Objet);
    }
    w.Nombre(b.Hierarchie.size());
    for (const auto& r : b.Hierarchie) {
        w.I32(r.Robot_Num);
        w.Texte(r.Nom);
        w.Textes(r.Conditions);
        w.Booleen(r.Conditions_Terminees);
    }
    w.Nombre(b.Clic_Zone.size());
    for (const auto& z : b.Clic_Zone) {
        w.Texte(z.Nom);
        w.I32(z.Cadre);
        w.U8(!z.Test_Cadre ? 0 : *z.Test_Cadre ? 2 : 1);
        for (const auto& bord : {z.X1, z.X2, z.Y1, z.Y2}) w.Reel_Optionnel(bord);
        w.Textes(z.Conditions);
        w.Booleen(z.Conditions_Terminees);
    }
    Ecrit_Boutons(b.But_Deter, w);
    Ecrit_Boutons(b.But_Quest, w);
    w.Nombre(b.Contradictions.size());
    for (const auto& c : b.Contradictions) {
        w.Texte(c.Objet);
        w.I32(c.Bouton);
        w.Texte(c.Popup);
    }
    w.Textes(b.Communs_Langues);
}

void Ecrit_Textes(const Textes_Base& textes, Ecrivain& w) {
    w.Nombre(textes.Langues().size());
    for (const auto& l : textes.Langues()) {
        w.Texte(l.Suffixe);
        w.Texte(l.Langue);
        w.Booleen(l.Origine);
    }
    // In key order, so that the same base always gives the same bytes.
    std::vector<std::pair<std::string, std::string>> entrees(textes.Entrees().begin(),
                                                             textes.Entrees().end());
    std::sort(entrees.begin(), entrees.end());
    w.Nombre(entrees.size());
    for (const auto& [cle, texte] : entrees) {
        w.Texte(cle);
        w.Texte(texte);
    }
}

}  // namespace

Result<std::vector<uint8_t>> Ecrit_Base_Compacte(const Base_Connaissance& b, const Noms_Especes& noms) {
    Ecrivain w;
    w.octets.assign(Signature_Compacte, Signature_Compacte + sizeof Signature_Compacte);
    w.Entier(Version_Format_Compacte, 4);
    w.Entier(0, 8);  // the stamp, once the payload is known

    for (const int32_t compte : {b.Nb_Esp, b.Nb_Etats_Desc, b.Nb_Cadre, b.Nb_Robot, b.Nb_But_Car,
                                 b.Nb_But_Deter, b.Nb_But_Quest, b.Nb_Couleurs, b.Nb_Contraintes})
        w.I32(compte);
    w.Textes(b.Nom_Esp);
    w.Nombre(b.Flore.size());
    for (const auto& e : b.Flore) {
        w.Texte(e.Espece);
        w.Texte(e.Code);
        w.Texte(e.Famille);
        w.Texte(e.Legende);
    }
    w.Nombre(b.Poids.size());
    for (const int16_t p : b.Poids) w.I16(p);
    if (Status s = Ecrit_Matrice(b, w); !s)
        return s;
    w.Nombre(b.Couleur_Pixel.size());
    for (const int32_t c : b.Couleur_Pixel) w.I32(c);
    w.Nombre(b.Couleur_Comp.size());
    for (const auto& c : b.Couleur_Comp) {
        w.U8(c.Bleu);
        w.U8(c.Vert);
        w.U8(c.Rouge);
    }
    w.Textes(b.Code_Couleur);
    w.Nombre(b.Joker.size());
    for (const bool j : b.Joker) w.Booleen(j);
    Ecrit_Tables(b, w);
    Ecrit_Textes(b.Textes, w);

    // Every row of Flore has its names, the scientific one at least.
    w.Nombre(b.Flore.size());
    for (size_t s = 0; s < b.Flore.size(); ++s) {
        if (s >= noms.Nombre_Especes()) {
            w.Nombre(0);
            continue;
        }
        const auto& liste = noms.Noms(s);
        w.Nombre(liste.size());
        for (size_t i = 0; i < liste.size(); ++i) {
            w.Texte(liste[i].Texte);
            w.Texte(liste[i].Langue);
            w.Texte(noms.Plies(s)[i]);
        }
    }
    // The measured characters follow, only when the base has any: a base without them gives the
    // bytes it always gave.
    if (!b.Mesures.empty()) {
        w.octets.insert(w.octets.end(), Marque_Mesures, Marque_Mesures + sizeof Marque_Mesures);
        w.Nombre(b.Mesures.size());
        for (const auto& m : b.Mesures) {
            w.Texte(m.Objet);
            w.Texte(m.Unite);
            w.Nombre(m.Limites.size());
            for (double l : m.Limites) w.Reel(l);
            size_t n = 0;
            for (size_t s = 0; s < m.Bas.size(); ++s) n += m.Bas[s] == m.Bas[s] ? 1 : 0;
            w.Nombre(n);
            for (size_t s = 0; s < m.Bas.size(); ++s)
                if (m.Bas[s] == m.Bas[s]) {
                    w.I32(static_cast<int32_t>(s));
                    w.Reel(m.Bas[s]);
                    w.Reel(m.Haut[s]);
                }
        }
    }
    const uint64_t empreinte =
        Empreinte_Compacte(w.octets.data() + Entete_Compacte, w.octets.size() - Entete_Compacte);
    for (size_t i = 0; i < 8; ++i) w.octets[12 + i] = static_cast<uint8_t>(empreinte >> (8 * i));
    return std::move(w.octets);
}

}  // namespace kestrane::kb
