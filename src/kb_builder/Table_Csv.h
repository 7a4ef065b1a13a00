#pragma once
// A table read from a CSV file of the knowledge-base source: UTF-8, comma-separated, RFC 4180
// quoting (fields in double quotes may hold commas, line breaks and doubled quotes), first row the
// column names. Blank lines are skipped. Every row keeps the line on which it starts, so that a
// problem can be reported as "file:line".

#include <optional>
#include <string>
#include <vector>

#include "Status.h"

namespace kestrane::kb {

struct Ligne_Csv {
    int Numero = 0;                   // line of the file where the row starts (1 = header)
    std::vector<std::string> Champs;  // as many fields as the header has columns
};

class Table_Csv {
  public:
    // Reads and parses the file. Fails with "file:line: what" on a NUL byte or text that is not
    // UTF-8 (a UTF-8 byte-order mark is skipped), an unterminated quote, a quote
    // inside an unquoted field, a row with more fields than the header, an empty or duplicate
    // column name, or a file that cannot be read. Short rows are padded with empty fields.
    static Result<Table_Csv> Lit(const std::string& chemin, const std::string& nom_affiche);
    // Same, from text already in memory.
    static Result<Table_Csv> Analyse(const std::string& texte, const std::string& nom_affiche);

    const std::string& Nom() const { return nom_; }
    const std::vector<std::string>& Colonnes() const { return colonnes_; }
    const std::vector<Ligne_Csv>& Lignes() const { return lignes_; }
    // Index of a column (exact name), or nullopt.
    std::optional<size_t> Colonne(const std::string& nom) const;
    // "file:line" of a row, for messages.
    std::string Lieu(const Ligne_Csv& ligne) const { return nom_ + ":" + std::to_string(ligne.Numero); }

  private:
    std::string nom_;
    std::vector<std::string> colonnes_;
    std::vector<Ligne_Csv> lignes_;
};

}  // namespace kestrane::kb
