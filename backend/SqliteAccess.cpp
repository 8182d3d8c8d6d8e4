#include "backend/SqliteAccess.h"

#include "backend/SqlLexer.h"

#include <algorithm>
#include <array>

#include <strings.h>

#include <QString>

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

// What the library's ALTER TABLE runs on its own (renaming a table or a
// column, adding or dropping a column); the sqlite_* ones exist only there.
constexpr std::array AlterFunctions{"printf", "sqlite_drop_column", "sqlite_rename_column", "sqlite_rename_quotefix",
                                    "sqlite_rename_table", "sqlite_rename_test"};

// Words that may stand before a bracket in an expression without being a
// function's name.
constexpr std::array ExpressionKeywords{"and", "as", "between", "case", "cast", "collate", "else", "end", "escape",
                                        "exists", "in", "is", "not", "null", "or", "raise", "select", "then",
                                        "values", "when"};

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

bool alterFunctionAllowed(const char *name)
{
    return listed(AlterFunctions, name);
}

QString refusedSchemaFunction(const QString &sql)
{
    SqlLexer lexer(sql);
    SqlLexer::Token t = lexer.next();
    bool definesColumns = false;
    if (t.isWord("create")) {
        t = lexer.next();
        if (t.isWord("temp") || t.isWord("temporary"))
            t = lexer.next();
        definesColumns = t.isWord("table");
    } else if (t.isWord("alter")) {
        definesColumns = lexer.next().isWord("table");
    }
    if (!definesColumns)
        return QString();
    SqlLexer::Token before;
    for (t = lexer.next(); t.kind != SqlLexer::End; before = t, t = lexer.next()) {
        if (!t.is('(') || !(before.isWord("default") || before.isWord("check") || before.isWord("as")))
            continue;
        // Every name right before a bracket inside the expression is a
        // function it calls.
        int depth = 1;
        for (t = lexer.next(); t.kind != SqlLexer::End && depth > 0; before = t, t = lexer.next()) {
            if (t.is(')')) {
                --depth;
            } else if (t.is('(')) {
                ++depth;
                const QByteArray name = before.text.toUtf8();
                const bool keyword = before.kind == SqlLexer::Word && listed(ExpressionKeywords, name.constData());
                if ((before.kind == SqlLexer::Word || before.kind == SqlLexer::QuotedName) && !keyword
                    && !functionAllowed(name.constData()))
                    return before.text;
            }
        }
        if (t.kind == SqlLexer::End)
            break;
    }
    return QString();
}

bool functionAllowed(const char *name)
{
    return listed(Functions, name);
}

bool pragmaAllowed(const char *name, const char *argument)
{
    return listed(Pragmas, name) || (!argument && listed(ReadOnlyPragmas, name));
}

} // namespace qvx::sqliteaccess
