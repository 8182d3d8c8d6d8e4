#include "backend/SqliteAccess.h"

#include <algorithm>
#include <array>

#include <strings.h>

namespace qvx::sqliteaccess {

namespace {

// The functions of the programs' statements: SQLite's own that they call,
// the MySQL functions the server adds (backend/MySqlToSqlite.h; `if`,
// `left` and `right` arrive as iif, mysql_left and mysql_right), and the
// plain text, number and date functions of hand-written queries.
constexpr std::array Functions{
    // aggregates
    "avg", "count", "group_concat", "max", "min", "sum", "total",
    // SQLite's text, number and date functions
    "abs", "char", "coalesce", "date", "datetime", "glob", "hex", "ifnull", "iif", "instr", "julianday", "length",
    "like", "lower", "ltrim", "nullif", "replace", "round", "rtrim", "strftime", "substr", "substring", "time", "trim",
    "typeof", "upper", "zeroblob",
    // the MySQL functions of the client's statements
    "char_length", "concat", "concat_ws", "curdate", "curtime", "date_format", "format", "lcase", "locate", "lpad",
    "mid", "mysql_left", "mysql_right", "now", "rpad", "sysdate", "truncate", "ucase"};

// Pragmas that read the schema or check it, with a table's name or none.
constexpr std::array Pragmas{"foreign_key_list", "index_info", "index_list", "index_xinfo", "integrity_check",
                             "quick_check", "table_info", "table_xinfo"};

// Settings a statement may read but never change.
constexpr std::array ReadOnlyPragmas{"data_version", "encoding", "foreign_keys", "freelist_count", "journal_mode",
                                     "page_count", "page_size", "synchronous", "user_version"};

template <size_t N>
bool listed(const std::array<const char *, N> &list, const char *name)
{
    return name && std::any_of(list.begin(), list.end(), [name](const char *n) { return strcasecmp(n, name) == 0; });
}

} // namespace

bool functionAllowed(const char *name)
{
    return listed(Functions, name);
}

bool pragmaAllowed(const char *name, const char *argument)
{
    return listed(Pragmas, name) || (!argument && listed(ReadOnlyPragmas, name));
}

} // namespace qvx::sqliteaccess
