#include "Database.h"

#include <sqlite3.h>

#include <algorithm>
#include <optional>

#include "Conversions.h"

namespace kestrane {

struct Garde_Pas {
    sqlite3* db;
    int64_t appels_max;  // progress calls a statement may take
    int64_t appels = 0;  // those of the statement prepared last
};

namespace {

std::string Quote(std::string_view identifier) {
    std::string out = "\"";
    for (char c : identifier) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

// A prepared statement that finalizes itself.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) {
        code_ = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr);
    }
    // A statement whose instructions the progress handler counts from here on.
    Statement(Garde_Pas& garde, const std::string& sql) : Statement(garde.db, sql) { garde.appels = 0; }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return code_ == SQLITE_OK && stmt_ != nullptr; }
    int code() const { return code_; }
    sqlite3_stmt* get() const { return stmt_; }
    // Steps once; true while a row is there. A failure is kept in code().
    bool Step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) code_ = rc;
        return false;
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
    int code_ = SQLITE_OK;
};

Value Column_Value(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_INTEGER:
            return Value(static_cast<int64_t>(sqlite3_column_int64(stmt, column)));
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(stmt, column));
        case SQLITE_NULL:
            return Value();
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            return Value(std::string(text ? text : "", static_cast<size_t>(sqlite3_column_bytes(stmt, column))));
        }
    }
}

void Bind(sqlite3_stmt* stmt, int index, const Value& value) {
    if (value.Is_Null()) {
        sqlite3_bind_null(stmt, index);
    } else if (value.Is_Integer()) {
        sqlite3_bind_int64(stmt, index, value.Number());
    } else if (value.Is_Real()) {
        sqlite3_bind_double(stmt, index, std::stod(value.Text()));
    } else {
        const std::string text = value.Text();
        sqlite3_bind_text(stmt, index, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
}

Status Engine_Error(sqlite3* db, int code, const std::string& what) {
    std::string message = what + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    if (code == SQLITE_INTERRUPT) message += " (the query runs longer than any knowledge base needs: the base is damaged)";
    return Status::Error(std::move(message), code);
}

// How often (in engine instructions) the progress handler is called.
constexpr int Intervalle_Progression = 10000;

// Stops the running statement once it has run more instructions than the bound allows. Each
// statement counts from its preparation, so a long session of short queries never adds up.
int Arrete_Si_Trop_Long(void* contexte) {
    auto* garde = static_cast<Garde_Pas*>(contexte);
    return ++garde->appels > garde->appels_max ? 1 : 0;
}

// What a record set holds in memory for one value of the current row.
int64_t Octets(sqlite3_stmt* stmt, int column) {
    const int type = sqlite3_column_type(stmt, column);
    const bool texte = type == SQLITE_TEXT || type == SQLITE_BLOB;
    return static_cast<int64_t>(sizeof(Value)) + (texte ? sqlite3_column_bytes(stmt, column) : 0);
}

}  // namespace

bool Database::Hors_Bornes(const Status& status) {
    return !status.ok() &&
           (status.code() == SQLITE_INTERRUPT || status.code() == SQLITE_TOOBIG || status.code() == SQLITE_NOMEM);
}

Database::Database(sqlite3* handle, std::string path, const Bornes_Requetes& bornes)
    : handle_(handle),
      path_(std::move(path)),
      bornes_(bornes),
      garde_(new Garde_Pas{handle, bornes.Pas_Max / Intervalle_Progression}) {
    sqlite3_progress_handler(handle_, Intervalle_Progression, &Arrete_Si_Trop_Long, garde_.get());
}

Result<std::unique_ptr<Database>> Database::Open_Read_Only(const std::string& path, const Bornes_Requetes& bornes) {
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        Status error = Status::Error(path + ": " + sqlite3_errstr(rc), rc);
        sqlite3_close(handle);
        return error;
    }
    sqlite3_extended_result_codes(handle, 0);
    sqlite3_limit(handle, SQLITE_LIMIT_LENGTH, bornes.Longueur_Valeur_Max);
    // Opening is lazy: read the schema now so that a damaged or locked file fails here.
    {
        Statement check(handle, "SELECT count(*) FROM sqlite_master");
        if (!check.ok() || (check.Step(), check.code() != SQLITE_OK)) {
            const int code = check.code() != SQLITE_OK ? check.code() : SQLITE_ERROR;
            Status error = Status::Error(path + ": " + sqlite3_errmsg(handle), code);
            sqlite3_close(handle);
            return error;
        }
    }
    return std::unique_ptr<Database>(new Database(handle, path, bornes));
}

Database::~Database() { sqlite3_close(handle_); }

bool Database::Has_Table(std::string_view table) const {
    Statement stmt(*garde_, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE");
    if (!stmt.ok()) return false;
    sqlite3_bind_text(stmt.get(), 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
    return stmt.Step();
}

std::vector<std::string> Database::Query_Names() const {
    std::vector<std::string> names;
    Statement stmt(*garde_, "SELECT name FROM sqlite_master WHERE type='view' ORDER BY rowid");
    while (stmt.ok() && stmt.Step()) names.push_back(Column_Value(stmt.get(), 0).Text());
    return names;
}

Result<std::unique_ptr<Recordset>> Database::Open_Table(std::string_view table) const {
    if (!Has_Table(table)) {
        return Status::Error(path_ + ": no table " + std::string(table), SQLITE_ERROR);
    }
    auto set = Load(table, true);
    if (!set) return set;
    // Table-type sets start on their primary key when they have one; row order otherwise.
    (void)set.value()->Set_Index("PrimaryKey");
    return set;
}

Result<std::unique_ptr<Recordset>> Database::Open_Query(std::string_view name) const {
    Statement stmt(*garde_, "SELECT 1 FROM sqlite_master WHERE type='view' AND name=?1 COLLATE NOCASE");
    sqlite3_bind_text(stmt.get(), 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    if (!stmt.ok() || !stmt.Step()) {
        return Status::Error(path_ + ": no stored query " + std::string(name), SQLITE_ERROR);
    }
    return Load(name, false);
}

Result<std::unique_ptr<Recordset>> Database::Load(std::string_view name, bool is_table) const {
    std::unique_ptr<Recordset> set(new Recordset());
    set->handle_ = handle_;
    set->garde_ = garde_.get();
    set->table_ = std::string(name);
    set->is_table_ = is_table;
    const std::string sql =
        is_table ? "SELECT rowid, * FROM " + Quote(name) + " ORDER BY rowid" : "SELECT * FROM " + Quote(name);
    Statement stmt(*garde_, sql);
    if (!stmt.ok()) return Engine_Error(handle_, stmt.code(), path_ + ": cannot read " + std::string(name));
    const int first = is_table ? 1 : 0;
    const int count = sqlite3_column_count(stmt.get());
    for (int c = first; c < count; ++c) {
        const char* column = sqlite3_column_name(stmt.get(), c);
        set->columns_.emplace_back(column ? column : "");
        set->column_by_folded_name_.emplace(To_Lower_Ascii(set->columns_.back()), c - first);
    }
    int64_t octets = 0;
    while (stmt.Step()) {
        if (static_cast<int64_t>(set->rows_.size()) >= bornes_.Lignes_Max || octets > bornes_.Octets_Max) {
            return Status::Error(path_ + ": " + std::string(name) + " holds more than " +
                                     std::to_string(set->rows_.size()) + " rows or " + std::to_string(octets >> 20) +
                                     " MB, more than any knowledge base needs: the base is damaged",
                                 SQLITE_TOOBIG);
        }
        std::vector<Value> row;
        row.reserve(static_cast<size_t>(count - first));
        for (int c = first; c < count; ++c) {
            octets += Octets(stmt.get(), c);
            row.push_back(Column_Value(stmt.get(), c));
        }
        if (is_table) {
            const int64_t id = sqlite3_column_int64(stmt.get(), 0);
            set->row_by_id_.emplace(id, static_cast<int>(set->rows_.size()));
            set->row_ids_.push_back(id);
        }
        set->rows_.push_back(std::move(row));
    }
    if (stmt.code() != SQLITE_OK) {
        return Engine_Error(handle_, stmt.code(), path_ + ": cannot read " + std::string(name));
    }
    const int n = static_cast<int>(set->rows_.size());
    set->order_.resize(static_cast<size_t>(n));
    set->position_of_row_.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) set->order_[i] = set->position_of_row_[i] = i;
    return set;
}

Status Recordset::Set_Index(std::string_view index_name) {
    if (!is_table_) return Status::Error("a stored query has no index");
    std::vector<std::string> key_columns;  // each already quoted, with COLLATE and DESC
    bool by_row_id = false;

    auto add_index_columns = [&](const std::string& index) -> bool {
        Statement info(*garde_, "PRAGMA index_xinfo(" + Quote(index) + ")");
        while (info.ok() && info.Step()) {
            if (sqlite3_column_int(info.get(), 5) == 0) continue;  // not a key column
            if (sqlite3_column_type(info.get(), 2) == SQLITE_NULL) return false;  // expression index
            const std::string column = Column_Value(info.get(), 2).Text();
            const std::string collation = Column_Value(info.get(), 4).Text();
            const bool descending = sqlite3_column_int(info.get(), 3) != 0;
            key_columns.push_back(Quote(column) + " COLLATE " + Quote(collation) + (descending ? " DESC" : ""));
        }
        return !key_columns.empty();
    };

    // An SQL index of that name on this table, if there is one.
    auto named_index = [&](std::string_view name) -> std::optional<std::string> {
        Statement find(*garde_,
                       "SELECT name FROM sqlite_master WHERE type='index' AND name=?1 COLLATE NOCASE "
                       "AND tbl_name=?2 COLLATE NOCASE");
        sqlite3_bind_text(find.get(), 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(find.get(), 2, table_.c_str(), -1, SQLITE_TRANSIENT);
        if (!find.ok() || !find.Step())
            return std::nullopt;
        return Column_Value(find.get(), 0).Text();
    };

    // "PrimaryKey" is an index of that name when the table has one (a base migrated from another
    // engine keeps it), otherwise the declared primary key.
    const auto index = named_index(index_name);
    if (index) {
        if (!add_index_columns(*index)) {
            return Status::Error(table_ + ": index " + std::string(index_name) + " is not on columns");
        }
    } else if (index_name == "PrimaryKey") {
        // The declared primary key: an integer one is the row id; others have an automatic index.
        std::vector<std::pair<int, std::string>> pk;
        std::string pk_type;
        {
            Statement info(*garde_, "PRAGMA table_info(" + Quote(table_) + ")");
            while (info.ok() && info.Step()) {
                const int position = sqlite3_column_int(info.get(), 5);
                if (position > 0) {
                    pk.emplace_back(position, Column_Value(info.get(), 1).Text());
                    pk_type = To_Upper_Ascii(Column_Value(info.get(), 2).Text());
                }
            }
        }
        if (pk.empty()) return Status::Error(table_ + " has no primary key");
        std::string auto_index;
        {
            Statement list(*garde_, "PRAGMA index_list(" + Quote(table_) + ")");
            while (list.ok() && list.Step()) {
                if (Column_Value(list.get(), 3).Text() == "pk") auto_index = Column_Value(list.get(), 1).Text();
            }
        }
        if (auto_index.empty()) {
            if (pk.size() != 1 || pk_type != "INTEGER") return Status::Error(table_ + ": primary key not indexed");
            by_row_id = true;
            key_columns.push_back(Quote(pk.front().second));
        } else if (!add_index_columns(auto_index)) {
            return Status::Error(table_ + ": unreadable primary key");
        }
    } else {
        return Status::Error(table_ + " has no index " + std::string(index_name));
    }

    std::string order_by;
    for (const auto& column : key_columns) order_by += column + ", ";
    order_by += "rowid";
    Statement ordered(*garde_, "SELECT rowid FROM " + Quote(table_) + " ORDER BY " + (by_row_id ? "rowid" : order_by));
    if (!ordered.ok()) return Status::Error(table_ + ": cannot order by " + std::string(index_name), ordered.code());
    std::vector<int> order;
    order.reserve(rows_.size());
    while (ordered.Step()) {
        const auto it = row_by_id_.find(sqlite3_column_int64(ordered.get(), 0));
        if (it != row_by_id_.end()) order.push_back(it->second);
    }
    if (ordered.code() != SQLITE_OK) return Status::Error(table_ + ": cannot read its index", ordered.code());

    order_ = std::move(order);
    for (size_t i = 0; i < order_.size(); ++i) position_of_row_[static_cast<size_t>(order_[i])] = static_cast<int>(i);
    index_name_ = std::string(index_name);
    index_columns_ = std::move(key_columns);
    if (by_row_id) index_columns_ = {"rowid"};
    position_ = 0;
    no_match_ = false;
    return Status::Ok();
}

bool Recordset::Seek_Equal(const Value& key) {
    no_match_ = true;
    position_ = static_cast<int>(order_.size());
    if (index_columns_.empty()) return false;
    // The first key column, with its collation, decides equality; the first match in index order wins.
    const std::string& first = index_columns_.front();
    std::string compared = first;
    if (const auto desc = compared.rfind(" DESC"); desc != std::string::npos && desc + 5 == compared.size()) {
        compared.erase(desc);
    }
    std::string sql = "SELECT rowid FROM " + Quote(table_) + " WHERE ";
    if (first == "rowid") {
        sql += "rowid = ?1";
    } else {
        // "col" COLLATE "x": compare the column, with its affinity, against the key in that collation.
        const auto collate = compared.find(" COLLATE ");
        const std::string column = compared.substr(0, collate);
        const std::string collation = collate == std::string::npos ? "" : compared.substr(collate);
        sql += column + " = ?1" + collation;
    }
    std::string order_by;
    for (const auto& column : index_columns_) order_by += column + ", ";
    sql += " ORDER BY " + order_by + "rowid LIMIT 1";
    Statement stmt(*garde_, sql);
    if (!stmt.ok()) return false;
    Bind(stmt.get(), 1, key);
    if (!stmt.Step()) return false;
    const auto it = row_by_id_.find(sqlite3_column_int64(stmt.get(), 0));
    if (it == row_by_id_.end()) return false;
    position_ = position_of_row_[static_cast<size_t>(it->second)];
    no_match_ = false;
    return true;
}

int Recordset::Column(std::string_view name) const {
    const auto it = column_by_folded_name_.find(To_Lower_Ascii(name));
    return it == column_by_folded_name_.end() ? -1 : it->second;
}

bool Recordset::Has_Field(std::string_view name) const { return Column(name) >= 0; }

Value Recordset::Get(std::string_view name) const {
    const int column = Column(name);
    if (column < 0 || Eof() || Bof()) return Value();
    return rows_[static_cast<size_t>(order_[static_cast<size_t>(position_)])][static_cast<size_t>(column)];
}

}  // namespace kestrane
