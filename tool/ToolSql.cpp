#include "tool/ToolSql.h"

namespace tool {

namespace {

struct DatedTable
{
    const char *dateColumn;
    const char *order;
};

// The date column and order of a table that holds a send date; null for the others.
const DatedTable *datedTable(const QString &table)
{
    static const DatedTable deposit{"deposit_senddate", "deposit_senddate, bankid, org_seqno"};
    static const DatedTable draft{"DRAFT_senddate", "DRAFT_senddate, bankid, org_seqno"};
    static const DatedTable request{"senddate", "senddate, bankid, seqno"};
    static const char *const requestTables[] = {"CMSJICHE102", "CMSJICHE103", "AMT_SEARCH",     "GICHE", "ICHERESULT",
                                                "ICHERESULT_102", "ICHERESULT_103", "TRSUM", "VAS_TRSUM"};
    const QString name = table.toUpper();
    if (name == QLatin1String("DEPOSIT"))
        return &deposit;
    if (name == QLatin1String("DRAFT"))
        return &draft;
    for (const char *t : requestTables)
        if (name == QLatin1String(t))
            return &request;
    return nullptr;
}

} // namespace

QString BrowseTableSql(const QString &table, const QDate &start, const QDate &end)
{
    QString sql = QStringLiteral("select * from ") + table;
    if (const DatedTable *dated = datedTable(table)) {
        const QString column = QLatin1String(dated->dateColumn);
        sql += QStringLiteral(" where %1 >= '%2' and %1 <= '%3' ")
                   .arg(column, start.toString(QStringLiteral("yyyyMMdd")), end.toString(QStringLiteral("yyyyMMdd")));
        sql += QStringLiteral(" order by ") + QLatin1String(dated->order);
    }
    return sql;
}

bool StartsWithSelect(const QString &memoText)
{
    const QString firstLine = memoText.section(QLatin1Char('\n'), 0, 0);
    return firstLine.left(6).toUpper() == QLatin1String("SELECT");
}

ServerAddress ParseServerAddress(const QString &text)
{
    ServerAddress address;
    address.host = text.trimmed();
    if (address.host.count(QLatin1Char(':')) != 1)
        return address;
    const QString portText = address.host.section(QLatin1Char(':'), 1).trimmed();
    address.host = address.host.section(QLatin1Char(':'), 0, 0).trimmed();
    bool ok = false;
    const uint port = portText.toUInt(&ok);
    if (ok && port > 0 && port <= 65535)
        address.port = quint16(port);
    return address;
}

QStringList TableNames(const qvx::ResultSet &showTables)
{
    int column = showTables.columnIndex(QStringLiteral("tables_in_quvex"));
    if (column < 0 && showTables.columnCount() == 1)
        column = 0;
    QStringList names;
    if (column < 0)
        return names;
    for (int row = 0; row < showTables.recordCount(); ++row)
        names << showTables.value(row, column);
    return names;
}

QStringList DesignTimeTables()
{
    return {QStringLiteral("ALLBANK"),        QStringLiteral("AMT_SEARCH"),     QStringLiteral("AUTHORITY"),
            QStringLiteral("BANK"),           QStringLiteral("CMSJICHE102"),    QStringLiteral("CMSJICHE103"),
            QStringLiteral("CONFIG"),         QStringLiteral("CONVERTG"),       QStringLiteral("CONVERTJ"),
            QStringLiteral("DAESANG"),        QStringLiteral("DANGTAGUBUN"),    QStringLiteral("DEPOSIT"),
            QStringLiteral("DEPOSIT_ORDER"),  QStringLiteral("DESCALLOC"),      QStringLiteral("DRAFT"),
            QStringLiteral("DRAFTKIND"),      QStringLiteral("DRAFT_ORDER"),    QStringLiteral("ERROR"),
            QStringLiteral("GICHE"),          QStringLiteral("ICHERESULT"),     QStringLiteral("ICHERESULT_102"),
            QStringLiteral("ICHERESULT_103"), QStringLiteral("STARTCMS"),       QStringLiteral("TA_ICHE_ERR"),
            QStringLiteral("TA_ICHE_ORDER"),  QStringLiteral("TA_NAME_SEARCH"), QStringLiteral("TRANSDIV"),
            QStringLiteral("TRSUM"),          QStringLiteral("UPGUBUN"),        QStringLiteral("USERS")};
}

} // namespace tool
