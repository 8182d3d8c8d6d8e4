#include "backend/ServiceTables.h"

#include <QHash>

namespace qvx {

namespace {
const QHash<QString, QString> &serviceTables()
{
    static const QHash<QString, QString> map{
        {QStringLiteral("0700100"), QStringLiteral("Trsum")},
        {QStringLiteral("0300400"), QStringLiteral("Vas_Trsum")},
        {QStringLiteral("0100100"), QStringLiteral("giche")},
        {QStringLiteral("0101100"), QStringLiteral("giche")},
        {QStringLiteral("0102100"), QStringLiteral("cmsjiche102")},
        {QStringLiteral("0103100"), QStringLiteral("CMSJICHE103")},
        {QStringLiteral("0600100"), QStringLiteral("Icheresult")},
        {QStringLiteral("0601100"), QStringLiteral("icheresult_102")},
        {QStringLiteral("0602100"), QStringLiteral("icheresult_103")},
        {QStringLiteral("0600300"), QStringLiteral("amt_search")},
        {QStringLiteral("9000990"), QStringLiteral("tcount_search")},
        {QStringLiteral("0900900"), QStringLiteral("SMS_Trans")},
        {QStringLiteral("0600600"), QStringLiteral("TA_NAME_SEARCH")},
        {QStringLiteral("0200640"), QStringLiteral("DEPOSIT_ORDER")},
        {QStringLiteral("0200970"), QStringLiteral("V_DEPOSIT_ORDER")},
        {QStringLiteral("0400640"), QStringLiteral("TA_ICHE_ORDER")},
        {QStringLiteral("0200650"), QStringLiteral("DRAFT_ORDER")},
    };
    return map;
}
} // namespace

QString requestTableForService(const QString &serviceCode)
{
    return serviceTables().value(serviceCode.trimmed());
}

QStringList requestTables()
{
    QStringList tables;
    for (const QString &t : serviceTables())
        if (!tables.contains(t))
            tables << t;
    tables.sort(Qt::CaseInsensitive);
    return tables;
}

} // namespace qvx
