#include "Paires_Especes.h"

#include <algorithm>
#include <numeric>

#include "Travail_Parallele.h"

namespace kestrane::kb {
namespace {

using Mot = uint64_t;

// Union-find over the taxa.
class Partition {
  public:
    explicit Partition(int n) : parent_(static_cast<size_t>(n)) {
        std::iota(parent_.begin(), parent_.end(), 0);
    }
    int Racine(int x) {
        while (parent_[static_cast<size_t>(x)] != x) {
            auto& p = parent_[static_cast<size_t>(x)];
            p = parent_[static_cast<size_t>(p)];
            x = p;
        }
        return x;
    }
    void Unit(int a, int b) {
        a = Racine(a);
        b = Racine(b);
        if (a != b)
            parent_[static_cast<size_t>(std::max(a, b))] = std::min(a, b);
    }

  private:
    std::vector<int> parent_;
};

// What one thread found over its taxa.
struct Part_Fil {
    explicit Part_Fil(int nb_esp, size_t nb_car, size_t mots)
        : groupes(nb_esp),
          fragiles_par_caractere(nb_car, 0),
          separe(nb_car, 0),
          uns(mots),
          deux(mots),
          premier(static_cast<size_t>(nb_esp), 0) {}
    Partition groupes;
    int64_t inseparables = 0, nb_fragiles = 0;
    std::vector<Paire_Fragile> fragiles;
    std::vector<int64_t> fragiles_par_caractere;
    std::vector<uint8_t> separe;
    // Scratch of one taxon: later taxa conflicting on at least one character, on two or more, and
    // the first character each conflicts on.
    std::vector<Mot> uns, deux;
    std::vector<int> premier;
};

class Comparateur {
  public:
    Comparateur(const Base_Connaissance& base, size_t limite)
        : base_(base),
          n_(std::min(base.Nb_Esp, base.Matrice.Nb_Esp())),
          mots_((static_cast<size_t>(n_) + 63) / 64),
          limite_(limite) {
        const int nb_etats = base.Matrice.Nb_Etats();
        etats_.assign(static_cast<size_t>(nb_etats) * mots_, 0);
        for (int e = 0; e < nb_etats; ++e) {
            const int16_t* colonne = base.Matrice.Etat(e);
            Mot* bits = Etat(e);
            for (int s = 0; s < n_; ++s)
                if (colonne[s] != 0)
                    bits[s / 64] |= Mot{1} << (s % 64);
        }
        codes_.assign(base.Objets.size() * mots_, 0);
        for (size_t c = 0; c < base.Objets.size(); ++c) {
            const Objet_Fic& o = base.Objets[c];
            std::vector<int> etats;
            for (int e = std::max(0, o.Index_Car); e < o.Index_Car + o.Nb_Car && e < nb_etats; ++e)
                etats.push_back(e);
            etats_par_caractere_.push_back(std::move(etats));
        }
        for (size_t c = 0; c < base.Objets.size(); ++c)
            for (int e : etats_par_caractere_[c])
                for (size_t w = 0; w < mots_; ++w) codes_[c * mots_ + w] |= Etat(e)[w];
    }

    int Nb_Esp() const { return n_; }
    size_t Mots() const { return mots_; }

    // Taxon a against every later taxon.
    void Compare(int a, Part_Fil& p) const {
        const size_t w0 = static_cast<size_t>(a) / 64;
        const unsigned bit = static_cast<unsigned>(a) % 64;
        const Mot apres = bit == 63 ? 0 : ~Mot{0} << (bit + 1);
        std::fill(p.uns.begin() + static_cast<long>(w0), p.uns.end(), 0);
        std::fill(p.deux.begin() + static_cast<long>(w0), p.deux.end(), 0);
        std::vector<int> siens;
        for (size_t c = 0; c < base_.Objets.size(); ++c) {
            siens.clear();
            for (int e : etats_par_caractere_[c])
                if (base_.Matrice(a, e) != 0)
                    siens.push_back(e);
            if (siens.empty())
                continue;
            const Mot* codes = &codes_[c * mots_];
            for (size_t w = w0; w < mots_; ++w) {
                Mot communs = 0;
                for (int e : siens) communs |= Etat(e)[w];
                Mot x = codes[w] & ~communs;
                if (w == w0)
                    x &= apres;
                if (x == 0)
                    continue;
                p.separe[c] = 1;
                for (Mot nouveaux = x & ~p.uns[w]; nouveaux != 0; nouveaux &= nouveaux - 1)
                    p.premier[w * 64 + static_cast<size_t>(__builtin_ctzll(nouveaux))] = static_cast<int>(c);
                p.deux[w] |= p.uns[w] & x;
                p.uns[w] |= x;
            }
        }
        for (size_t w = w0; w < mots_; ++w) {
            Mot valides = w + 1 < mots_ || n_ % 64 == 0 ? ~Mot{0} : (Mot{1} << (n_ % 64)) - 1;
            if (w == w0)
                valides &= apres;
            for (Mot libres = ~p.uns[w] & valides; libres != 0; libres &= libres - 1) {
                ++p.inseparables;
                p.groupes.Unit(a, static_cast<int>(w * 64) + __builtin_ctzll(libres));
            }
            for (Mot seuls = p.uns[w] & ~p.deux[w] & valides; seuls != 0; seuls &= seuls - 1) {
                const int b = static_cast<int>(w * 64) + __builtin_ctzll(seuls);
                const int c = p.premier[static_cast<size_t>(b)];
                ++p.nb_fragiles;
                ++p.fragiles_par_caractere[static_cast<size_t>(c)];
                if (p.fragiles.size() < limite_)
                    p.fragiles.push_back({a, b, c});
            }
        }
    }

  private:
    Mot* Etat(int e) { return &etats_[static_cast<size_t>(e) * mots_]; }
    const Mot* Etat(int e) const { return &etats_[static_cast<size_t>(e) * mots_]; }

    const Base_Connaissance& base_;
    int n_;
    size_t mots_;
    size_t limite_;
    std::vector<Mot> etats_;                             // per state, the taxa that have it
    std::vector<Mot> codes_;                             // per character, the taxa with a state of it
    std::vector<std::vector<int>> etats_par_caractere_;  // within the matrix
};

}  // namespace

Bilan_Paires Compare_Paires(const Base_Connaissance& base, unsigned fils, size_t limite,
                            const std::function<void(size_t, size_t)>& progression) {
    const Comparateur comparateur(base, limite);
    const int n = comparateur.Nb_Esp();
    const size_t nb_car = base.Objets.size();
    std::vector<Part_Fil> parts;
    for (unsigned f = 0; f < Nb_Fils(fils); ++f) parts.emplace_back(n, nb_car, comparateur.Mots());
    // Each taxon's pairs with later ones that nothing separates: written by its own thread only.
    std::vector<int64_t> inseparables_de(static_cast<size_t>(n), 0);
    Repartit(
        static_cast<size_t>(n), fils,
        [&](unsigned f, size_t a) {
            const int64_t avant = parts[f].inseparables;
            comparateur.Compare(static_cast<int>(a), parts[f]);
            inseparables_de[a] = parts[f].inseparables - avant;
        },
        [&](size_t fait) {
            if (progression)
                progression(fait, static_cast<size_t>(n));
        });

    Bilan_Paires bilan;
    bilan.Fragiles_Par_Caractere.assign(nb_car, 0);
    bilan.Separe.assign(nb_car, false);
    Partition groupes(n);
    for (Part_Fil& p : parts) {
        bilan.Nb_Inseparables += p.inseparables;
        bilan.Nb_Fragiles += p.nb_fragiles;
        for (size_t c = 0; c < nb_car; ++c) {
            bilan.Fragiles_Par_Caractere[c] += p.fragiles_par_caractere[c];
            bilan.Separe[c] = bilan.Separe[c] || p.separe[c] != 0;
        }
        bilan.Fragiles.insert(bilan.Fragiles.end(), p.fragiles.begin(), p.fragiles.end());
        for (int s = 0; s < n; ++s) groupes.Unit(s, p.groupes.Racine(s));
    }
    std::sort(bilan.Fragiles.begin(), bilan.Fragiles.end(),
              [](const Paire_Fragile& x, const Paire_Fragile& y) {
                  return std::pair(x.A, x.B) < std::pair(y.A, y.B);
              });
    if (bilan.Fragiles.size() > limite)
        bilan.Fragiles.resize(limite);

    // Groups by their first member (the root is always the smallest taxon of its group).
    std::vector<int> indice(static_cast<size_t>(n), -1);
    for (int s = 0; s < n; ++s) {
        const int r = groupes.Racine(s);
        if (r == s)
            continue;
        if (indice[static_cast<size_t>(r)] < 0) {
            indice[static_cast<size_t>(r)] = static_cast<int>(bilan.Groupes.size());
            bilan.Groupes.push_back({{r}, 0});
        }
        bilan.Groupes[static_cast<size_t>(indice[static_cast<size_t>(r)])].Especes.push_back(s);
    }
    for (Groupe_Inseparable& g : bilan.Groupes)
        for (int s : g.Especes) g.Paires += inseparables_de[static_cast<size_t>(s)];
    std::sort(
        bilan.Groupes.begin(), bilan.Groupes.end(),
        [](const Groupe_Inseparable& x, const Groupe_Inseparable& y) { return x.Especes[0] < y.Especes[0]; });
    return bilan;
}

}  // namespace kestrane::kb
