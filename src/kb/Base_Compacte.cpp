#include "Base_Compacte.h"

#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <utility>

namespace kestrane {
namespace {

// Reads the payload front to back; the first fault stops every later read.
class Lecteur {
  public:
    Lecteur(const uint8_t* data, size_t taille) : p_(data), fin_(data + taille) {}

    bool Bon() const { return erreur_.empty(); }
    const std::string& Erreur() const { return erreur_; }
    size_t Reste() const { return static_cast<size_t>(fin_ - p_); }
    void Echoue(std::string quoi) {
        if (erreur_.empty())
            erreur_ = std::move(quoi);
        p_ = fin_;
    }

    uint64_t Entier(size_t octets) {
        if (Reste() < octets) {
            Echoue("it ends early");
            return 0;
        }
        uint64_t v = 0;
        for (size_t i = 0; i < octets; ++i) v |= static_cast<uint64_t>(p_[i]) << (8 * i);
        p_ += octets;
        return v;
    }
    uint8_t U8() { return static_cast<uint8_t>(Entier(1)); }
    int16_t I16() { return static_cast<int16_t>(static_cast<uint16_t>(Entier(2))); }
    int32_t I32() { return static_cast<int32_t>(static_cast<uint32_t>(Entier(4))); }
    bool Booleen() { return U8() != 0; }
    double Reel() {
        const uint64_t bits = Entier(8);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    // A count of elements that take at least `minimum` bytes each: never more than the bytes left
    // can hold, so a damaged count cannot ask for a huge allocation.
    size_t Nombre(size_t minimum) {
        const auto n = static_cast<size_t>(Entier(4));
        if (minimum > 0 && n > Reste() / minimum) {
            Echoue("a count of " + std::to_string(n) + " exceeds what the file holds");
            return 0;
        }
        return n;
    }
    std::string Texte() {
        const size_t n = Nombre(1);
        std::string s(reinterpret_cast<const char*>(p_), n);
        p_ += n;
        return s;
    }
    std::vector<std::string> Textes() {
        std::vector<std::string> v(Nombre(4));
        for (auto& s : v) s = Texte();
        return v;
    }
    // Whether the next bytes are `marque` (consumed when they are).
    bool Marque(const char* marque, size_t n) {
        if (Reste() < n || std::memcmp(p_, marque, n) != 0)
            return false;
        p_ += n;
        return true;
    }
    const uint8_t* Octets(size_t n) {
        if (Reste() < n) {
            Echoue("it ends early");
            return nullptr;
        }
        const uint8_t* debut = p_;
        p_ += n;
        return debut;
    }

  private:
    const uint8_t* p_;
    const uint8_t* fin_;
    std::string erreur_;
};

std::optional<bool> Booleen_Optionnel(Lecteur& l) {
    const uint8_t v = l.U8();
    if (v == 0)
        return std::nullopt;
    return v == 2;
}

std::optional<double> Reel_Optionnel(Lecteur& l) {
    if (!l.Booleen())
        return std::nullopt;
    return l.Reel();
}

void Lit_Matrice(Lecteur& l, Base_Connaissance& b) {
    const int32_t nb_esp = l.I32();
    const int32_t nb_etats = l.I32();
    const uint8_t largeur = l.U8();
    if (!l.Bon())
        return;
    if (nb_esp != b.Nb_Esp || nb_etats != b.Nb_Etats_Desc) {
        l.Echoue("its matrix is " + std::to_string(nb_esp) + " x " + std::to_string(nb_etats) + " for " +
                 std::to_string(b.Nb_Esp) + " species and " + std::to_string(b.Nb_Etats_Desc) + " states");
        return;
    }
    if (largeur != Matrice_Bits && largeur != Matrice_Octets) {
        l.Echoue("its matrix has cells of " + std::to_string(largeur) + " bits");
        return;
    }
    const size_t cellules = static_cast<size_t>(nb_esp) * static_cast<size_t>(nb_etats);
    const size_t octets = largeur == Matrice_Bits ? (cellules + 7) / 8 : cellules;
    const uint8_t* donnees = l.Octets(octets);
    if (donnees == nullptr)
        return;
    try {
        b.Matrice = Matrice_Especes(nb_esp, nb_etats);
    } catch (const std::bad_alloc&) {
        l.Echoue("there is no memory for its matrix of " + std::to_string(cellules) + " cells");
        return;
    }
    Cellule_Matrice* cellule = b.Matrice.Data().data();
    if (largeur == Matrice_Octets) {
        for (size_t i = 0; i < cellules; ++i) cellule[i] = static_cast<int8_t>(donnees[i]);
        return;
    }
    // A byte at a time: eight cells from each.
    const size_t pleins = cellules / 8;
    for (size_t o = 0; o < pleins; ++o) {
        const unsigned bits = donnees[o];
        Cellule_Matrice* c = cellule + 8 * o;
        for (unsigned k = 0; k < 8; ++k) c[k] = static_cast<Cellule_Matrice>((bits >> k) & 1u);
    }
    for (size_t i = 8 * pleins; i < cellules; ++i)
        cellule[i] = static_cast<Cellule_Matrice>((donnees[i / 8] >> (i % 8)) & 1);
}

void Lit_Boutons(Lecteur& l, std::vector<Bouton_Barre>& boutons) {
    boutons.resize(l.Nombre(20));
    for (auto& b : boutons) {
        b.Numero = l.I32();
        b.Caption = l.Texte();
        b.File = l.Texte();
        b.TipText = l.Texte();
        b.Key = l.Texte();
    }
}

void Lit_Tables(Lecteur& l, Base_Connaissance& b) {
    b.Objets.resize(l.Nombre(33));
    for (auto& o : b.Objets) {
        o.Objet = l.Texte();
        o.Desc_Num = l.I32();
        o.Index_Car = l.I32();
        o.Nb_Car = l.I32();
        o.Lignes = l.I32();
        o.Colonnes = l.I32();
        o.Cadre = l.I32();
        o.Popup = l.Texte();
        o.TipText = l.Texte();
        o.Joker = l.Booleen();
    }
    b.Caracteres.resize(l.Nombre(12));
    for (auto& e : b.Caracteres) {
        e.NUM = l.I32();
        e.ID_CARAC = l.Texte();
        e.TipText = l.Texte();
    }
    b.Descendance.resize(l.Nombre(12));
    for (auto& d : b.Descendance) {
        d.Numero = l.I32();
        d.ID_CARAC = l.Texte();
        d.Objet = l.Texte();
    }
    b.Hierarchie.resize(l.Nombre(13));
    for (auto& r : b.Hierarchie) {
        r.Robot_Num = l.I32();
        r.Nom = l.Texte();
        r.Conditions = l.Textes();
        r.Conditions_Terminees = l.Booleen();
    }
    b.Clic_Zone.resize(l.Nombre(18));
    for (auto& z : b.Clic_Zone) {
        z.Nom = l.Texte();
        z.Cadre = l.I32();
        z.Test_Cadre = Booleen_Optionnel(l);
        z.X1 = Reel_Optionnel(l);
        z.X2 = Reel_Optionnel(l);
        z.Y1 = Reel_Optionnel(l);
        z.Y2 = Reel_Optionnel(l);
        z.Conditions = l.Textes();
        z.Conditions_Terminees = l.Booleen();
    }
    Lit_Boutons(l, b.But_Deter);
    Lit_Boutons(l, b.But_Quest);
    b.Contradictions.resize(l.Nombre(12));
    for (auto& c : b.Contradictions) {
        c.Objet = l.Texte();
        c.Bouton = l.I32();
        c.Popup = l.Texte();
    }
    b.Communs_Langues = l.Textes();
}

void Lit_Textes(Lecteur& l, Textes_Base& textes) {
    const size_t nb_langues = l.Nombre(9);
    for (size_t i = 0; i < nb_langues && l.Bon(); ++i) {
        Langue_Textes langue;
        langue.Suffixe = l.Texte();
        langue.Langue = l.Texte();
        langue.Origine = l.Booleen();
        textes.Declare(std::move(langue));
    }
    const size_t nb_textes = l.Nombre(8);
    for (size_t i = 0; i < nb_textes && l.Bon(); ++i) {
        std::string cle = l.Texte();
        textes.Ajoute_Entree(std::move(cle), l.Texte());
    }
}

void Lit_Noms(Lecteur& l, Noms_Especes& noms, size_t nb_flore) {
    const size_t nb_especes = l.Nombre(4);
    if (nb_especes != nb_flore) {
        l.Echoue("it names " + std::to_string(nb_especes) + " species for " + std::to_string(nb_flore) +
                 " rows of Flore");
        return;
    }
    for (size_t s = 0; s < nb_especes && l.Bon(); ++s) {
        const size_t n = l.Nombre(12);
        for (size_t i = 0; i < n && l.Bon(); ++i) {
            Noms_Especes::Nom nom;
            nom.Texte = l.Texte();
            nom.Langue = l.Texte();
            std::string plie = l.Texte();
            noms.Ajoute_Plie(s, std::move(nom), std::move(plie));
        }
    }
}

// The measured characters, present only when the base has any. A range is kept only for a species
// of the base and with Bas <= Haut, both numbers.
void Lit_Mesures(Lecteur& l, Base_Connaissance& b) {
    b.Mesures.resize(l.Nombre(16));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (auto& m : b.Mesures) {
        m.Objet = l.Texte();
        m.Unite = l.Texte();
        m.Limites.resize(l.Nombre(8));
        for (auto& v : m.Limites) v = l.Reel();
        m.Bas.assign(static_cast<size_t>(b.Nb_Esp), nan);
        m.Haut.assign(static_cast<size_t>(b.Nb_Esp), nan);
        const size_t n = l.Nombre(20);
        for (size_t i = 0; i < n && l.Bon(); ++i) {
            const int32_t s = l.I32();
            const double bas = l.Reel(), haut = l.Reel();
            if (s < 0 || s >= b.Nb_Esp || !(bas <= haut)) {
                l.Echoue("a range of '" + m.Objet + "' is not one of a species");
                return;
            }
            m.Bas[static_cast<size_t>(s)] = bas;
            m.Haut[static_cast<size_t>(s)] = haut;
        }
    }
}

}  // namespace

uint64_t Empreinte_Compacte(const uint8_t* data, size_t taille) {
    uint64_t h = 14695981039346656037ull;
    for (size_t i = 0; i < taille; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    return h;
}

std::string Texte_Empreinte(uint64_t empreinte) {
    static constexpr char chiffres[] = "0123456789abcdef";
    std::string s(16, '0');
    for (int i = 15; i >= 0; --i, empreinte >>= 4) s[static_cast<size_t>(i)] = chiffres[empreinte & 15];
    return s;
}

Result<Base_Compacte> Lit_Base_Compacte(const uint8_t* data, size_t taille) {
    if (taille < Entete_Compacte || std::memcmp(data, Signature_Compacte, sizeof Signature_Compacte) != 0)
        return Status::Error("not a Kestrane compact base");
    Lecteur entete(data + sizeof Signature_Compacte, Entete_Compacte - sizeof Signature_Compacte);
    const auto version = static_cast<uint32_t>(entete.Entier(4));
    if (version != Version_Format_Compacte) {
        return Status::Error("a compact base of format " + std::to_string(version) +
                             " where this program reads format " + std::to_string(Version_Format_Compacte));
    }
    Base_Compacte resultat;
    resultat.Empreinte = entete.Entier(8);
    if (Empreinte_Compacte(data + Entete_Compacte, taille - Entete_Compacte) != resultat.Empreinte)
        return Status::Error("the compact base is damaged (its stamp does not match its contents)");

    Lecteur l(data + Entete_Compacte, taille - Entete_Compacte);
    auto base = std::make_unique<Base_Connaissance>();
    Base_Connaissance& b = *base;
    for (int32_t* compte : {&b.Nb_Esp, &b.Nb_Etats_Desc, &b.Nb_Cadre, &b.Nb_Robot, &b.Nb_But_Car,
                            &b.Nb_But_Deter, &b.Nb_But_Quest, &b.Nb_Couleurs, &b.Nb_Contraintes}) {
        *compte = l.I32();
        if (*compte < 0)
            l.Echoue("a count is negative (" + std::to_string(*compte) + ")");
    }
    b.Nom_Esp = l.Textes();
    b.Flore.resize(l.Nombre(16));
    for (auto& e : b.Flore) {
        e.Espece = l.Texte();
        e.Code = l.Texte();
        e.Famille = l.Texte();
        e.Legende = l.Texte();
    }
    b.Poids.resize(l.Nombre(2));
    for (auto& p : b.Poids) p = l.I16();
    if (l.Bon() && (b.Nom_Esp.size() != static_cast<size_t>(b.Nb_Esp) ||
                    b.Poids.size() != static_cast<size_t>(b.Nb_Etats_Desc))) {
        l.Echoue("it has " + std::to_string(b.Nom_Esp.size()) + " species names and " +
                 std::to_string(b.Poids.size()) + " weights for " + std::to_string(b.Nb_Esp) +
                 " species and " + std::to_string(b.Nb_Etats_Desc) + " states");
    }
    Lit_Matrice(l, b);

    b.Couleur_Pixel.resize(l.Nombre(4));
    for (auto& c : b.Couleur_Pixel) c = l.I32();
    b.Couleur_Comp.resize(l.Nombre(3));
    for (auto& c : b.Couleur_Comp) {
        c.Bleu = l.U8();
        c.Vert = l.U8();
        c.Rouge = l.U8();
    }
    b.Code_Couleur = l.Textes();
    b.Joker.resize(l.Nombre(1));
    for (size_t i = 0; i < b.Joker.size(); ++i) b.Joker[i] = l.Booleen();

    Lit_Tables(l, b);
    Lit_Textes(l, b.Textes);
    Lit_Noms(l, resultat.Noms, b.Flore.size());
    if (l.Bon() && l.Marque(Marque_Mesures, sizeof Marque_Mesures))
        Lit_Mesures(l, b);
    if (l.Bon() && l.Reste() != 0)
        l.Echoue(std::to_string(l.Reste()) + " bytes follow its end");
    if (!l.Bon())
        return Status::Error("the compact base cannot be read: " + l.Erreur());
    b.Indexe();
    resultat.Base = std::move(base);
    return resultat;
}

}  // namespace kestrane
