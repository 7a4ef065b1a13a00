#pragma once
// The knowledge base's texts in the user's language.
//
// A base may carry, beside its own texts, two optional tables (Schema_Traductions_SQL):
//   Langues_Textes: one row per language the base offers, by suffix ("fr": its documents end in
//     "_fr.html"), with the name Communs_Langues gives it ("Français") and Origine true for the
//     language of the tables' own texts;
//   Traductions: one row per translated text: Nom_Table, Cle (the row's key in that table: Objet,
//     ID_CARAC, button number, species name), Champ, Langue (a suffix) and Texte.
// A base without them gives an empty lookup, and every text is the table's own: the program
// behaves exactly as it does on such a base. A program that ignores the two tables still reads
// the base, since no other table or field changes.
//
// Callers ask at the moment they show a text, with the suffix of the current interface language,
// so that a change of language applies to the next text shown. Keys and table names are
// compared without regard to case, as the base's own keys are. Built once by the loader and
// read-only afterwards; const methods may be called from any thread.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrane {

class Database;
struct Objet_Fic;
struct Etat_Caractere;
struct Bouton_Barre;
struct Espece_Flore;

// One row of Langues_Textes.
struct Langue_Textes {
    std::string Suffixe;   // "fr"
    std::string Langue;    // its name in Communs_Langues and the "Vernaculaire_" views, may be ""
    bool Origine = false;  // the tables' own texts are in this language
    bool operator==(const Langue_Textes&) const = default;
};

// The texts a base may translate: table, field, and how a row of the table is keyed.
struct Texte_Traduisible {
    std::string_view Table;
    std::string_view Champ;
};
inline constexpr Texte_Traduisible Question_Objet{"Objets_Fic", "TipText"};  // key: Objet
inline constexpr Texte_Traduisible Texte_Etat{"Caracteres", "TipText"};      // key: ID_CARAC
inline constexpr Texte_Traduisible Caption_Deter{"But_Deter", "Caption"};    // key: button number
inline constexpr Texte_Traduisible TipText_Deter{"But_Deter", "TipText"};
inline constexpr Texte_Traduisible Caption_Quest{"But_Quest", "Caption"};
inline constexpr Texte_Traduisible TipText_Quest{"But_Quest", "TipText"};
inline constexpr Texte_Traduisible Legende_Espece{"Flore", "Legende"};  // key: Espece
inline constexpr Texte_Traduisible Textes_Traduisibles[] = {
    Question_Objet, Texte_Etat, Caption_Deter, TipText_Deter, Caption_Quest, TipText_Quest, Legende_Espece};

class Textes_Base {
  public:
    // Reads Langues_Textes and Traductions when the base has them (Textes_Base_Lecture.cpp, the
    // only part that needs the database). A row that cannot be used (no
    // table, key, field or language) is passed over with a line in `avertissements`.
    static Textes_Base Lit(const Database& base, std::vector<std::string>& avertissements);

    // The text of field `quoi` of the row keyed `cle` in language `suffixe`, else `defaut` (the
    // table's own text). An empty translation counts as none.
    const std::string& Texte(Texte_Traduisible quoi, std::string_view cle, std::string_view suffixe,
                             const std::string& defaut) const;

    // The texts the program shows, each with its own key and default.
    const std::string& Question(const Objet_Fic& objet, std::string_view suffixe) const;
    const std::string& Etat(const Etat_Caractere& etat, std::string_view suffixe) const;
    // `quoi` is one of Caption_Deter, TipText_Deter, Caption_Quest, TipText_Quest.
    const std::string& Bouton(Texte_Traduisible quoi, const Bouton_Barre& bouton,
                              std::string_view suffixe) const;
    const std::string& Legende(const Espece_Flore& espece, std::string_view suffixe) const;

    // Whether a translation of that text in that language is present (the check lists the
    // texts without one).
    bool Traduit(Texte_Traduisible quoi, std::string_view cle, std::string_view suffixe) const;

    // The declared languages, in table order; empty for a base that declares none.
    const std::vector<Langue_Textes>& Langues() const { return langues_; }
    // Whether the base declares the language (and so has its documents).
    bool Offre(std::string_view suffixe) const;
    // The suffix of a language named as in Communs_Langues; "" when the base does not say.
    std::string Suffixe_De(std::string_view nom_langue) const;
    size_t Nombre_Traductions() const { return textes_.size(); }

    // Adds a translation (the loader, and tests that build a lookup by hand). A later one of the
    // same text and language replaces an earlier one.
    void Ajoute(Texte_Traduisible quoi, std::string_view cle, std::string_view suffixe, std::string texte);
    void Declare(Langue_Textes langue) { langues_.push_back(std::move(langue)); }

    // Every translation under its folded key, as the compact base file carries them, and the way
    // its reader puts one back.
    const std::unordered_map<std::string, std::string>& Entrees() const { return textes_; }
    void Ajoute_Entree(std::string cle_pliee, std::string texte) { textes_[std::move(cle_pliee)] = std::move(texte); }

  private:
    std::unordered_map<std::string, std::string> textes_;  // by folded "table|field|key|language"
    std::vector<Langue_Textes> langues_;
};

// The language suffix of the interface language `langue` (0 English, 1 Spanish, 2 French):
// "en", "es", "fr"; "en" for any other value.
std::string_view Suffixe_Interface(int langue);

}  // namespace kestrane
