#pragma once
// The knowledge database, opened read-only, and the record sets read from it.
//
// A Recordset is a read-only image of a table (or of a stored query, which is an SQL view) with a
// current record, taken when it is opened: the base is never written while the program runs.
// Tables are ordered by an index chosen by name: an SQL index of that name on the table, or, for
// "PrimaryKey" on a table without such an index, the table's declared primary key. Rows come in the
// database's index order (the index's collation, ties by row id), which is the order every reader relies on.
//
// A base may come from anyone, so every statement runs within bounds that no real base comes near
// (Bornes_Requetes): a statement that runs too long, a record set with too many rows or too much
// text, or a value too long, fails with a Status for which Hors_Bornes() is true, as a damaged
// base would.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Status.h"
#include "Value.h"

struct sqlite3;

namespace kestrane {
// The engine instructions of the statement running on a connection, against their bound.
struct Garde_Pas;
}

namespace kestrane {

class Recordset;

// What one statement or record set may cost. The defaults are far above what a base of 100,000
// species asks (its largest read takes about a million engine instructions and a hundred thousand
// rows); a statement stopped by the first bound has run about two seconds.
struct Bornes_Requetes {
    int64_t Pas_Max = 200'000'000;         // engine instructions per statement
    int64_t Lignes_Max = 2'000'000;        // rows per record set
    int64_t Octets_Max = 256LL << 20;      // bytes held by one record set (values and text)
    int Longueur_Valeur_Max = 16 << 20;    // bytes of one text or blob value
};

class Database {
public:
    // Opens the file read-only and checks that it is a readable database. On failure the Status
    // carries the database engine's error code and its message.
    static Result<std::unique_ptr<Database>> Open_Read_Only(const std::string& path,
                                                            const Bornes_Requetes& bornes = {});
    // True for a failure that comes from exceeding the bounds (a base made to hang or exhaust the
    // program): the caller reports the base as damaged rather than passing over what failed.
    static bool Hors_Bornes(const Status& status);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& Path() const { return path_; }

    // A table-type record set, positioned on its first record in the order of "PrimaryKey" when
    // the table has one, else in row order.
    Result<std::unique_ptr<Recordset>> Open_Table(std::string_view table) const;
    // A stored query (view) by name, as a snapshot; no index can be chosen on it.
    Result<std::unique_ptr<Recordset>> Open_Query(std::string_view name) const;
    // The names of the stored queries in creation order ("the query at position N").
    std::vector<std::string> Query_Names() const;
    bool Has_Table(std::string_view table) const;

private:
    Database(sqlite3* handle, std::string path, const Bornes_Requetes& bornes);
    Result<std::unique_ptr<Recordset>> Load(std::string_view name, bool is_table) const;

    sqlite3* handle_;
    std::string path_;
    Bornes_Requetes bornes_;
    std::unique_ptr<Garde_Pas> garde_;  // what the progress handler counts against the bound
};

class Recordset {
public:
    // Orders the records by the named index and moves to the first. Fails, leaving the order as it
    // was, when the table has no such index.
    Status Set_Index(std::string_view index_name);
    const std::string& Index() const { return index_name_; }

    // Seek "=" on the first column of the current index. Found: that record becomes current and
    // No_Match() is false. Not found: No_Match() is true and the current record is undefined
    // (here: past the end).
    bool Seek_Equal(const Value& key);
    bool No_Match() const { return no_match_; }

    void Move_First() { position_ = 0; }
    void Move_Last() { position_ = order_.empty() ? 0 : static_cast<int>(order_.size()) - 1; }
    void Move_Next() { if (position_ < static_cast<int>(order_.size())) ++position_; }
    void Move_Previous() { if (position_ >= 0) --position_; }
    bool Eof() const { return position_ >= static_cast<int>(order_.size()) || order_.empty(); }
    bool Bof() const { return position_ < 0 || order_.empty(); }
    int Record_Count() const { return static_cast<int>(order_.size()); }
    // Position of the current record in the current order (0-based).
    int Position() const { return position_; }

    bool Has_Field(std::string_view name) const;
    // The current record's value of a field, found without regard to case. Null when there is no
    // such field or no current record; use Has_Field to tell the two apart.
    Value Get(std::string_view name) const;
    const std::vector<std::string>& Field_Names() const { return columns_; }

private:
    friend class Database;
    Recordset() = default;
    int Column(std::string_view name) const;

    sqlite3* handle_ = nullptr;
    Garde_Pas* garde_ = nullptr;
    std::string table_;
    bool is_table_ = false;
    std::vector<std::string> columns_;
    std::unordered_map<std::string, int> column_by_folded_name_;
    std::vector<std::vector<Value>> rows_;          // in row id order
    std::vector<int64_t> row_ids_;
    std::unordered_map<int64_t, int> row_by_id_;
    std::vector<int> order_;                        // row indices in index order
    std::vector<int> position_of_row_;              // inverse of order_
    std::string index_name_;
    std::vector<std::string> index_columns_;        // with their COLLATE clause
    int position_ = 0;
    bool no_match_ = false;
};

}  // namespace kestrane
