#include "transfers/ConvertLayout.h"

#include "platform/SqlText.h"

using qvx::sqlQuote;

QChar DelimiterOf(DataForm form)
{
    return form == DataForm::Comma ? QLatin1Char(',') : QLatin1Char(';');
}

DataForm DataFormOfTitle(const QString &title)
{
    if (title.startsWith(QLatin1String("1-")))
        return DataForm::Comma;
    if (title.startsWith(QLatin1String("2-")))
        return DataForm::Semicolon;
    return DataForm::Fixed;
}

QString TitleBody(const QString &title)
{
    return DataFormOfTitle(title) == DataForm::Fixed ? title : title.mid(2);
}

QString TitleOfForm(const QString &body, DataForm form)
{
    switch (form) {
    case DataForm::Comma:
        return QStringLiteral("1-") + body;
    case DataForm::Semicolon:
        return QStringLiteral("2-") + body;
    case DataForm::Fixed:
        break;
    }
    return body;
}

namespace {

QString number(const LayoutValues &values, int row, bool start)
{
    if (row < 0 || row >= values.size())
        return QStringLiteral("0");
    return QString::number(start ? values[row].start : values[row].length);
}

// "BankIdS = ", "MoneyS  = ": the names as the update statements align them.
QString assignment(const QString &column)
{
    return column.leftJustified(7) + QStringLiteral(" = ");
}

// The general layouts' captions.
const PairCaptions Captions = {"모은행코드", "모계좌번호", "은행코드", "계좌번호", "이체금액", "업체정보",
                               "전문번호",   "송금인",     "거래구분", nullptr,    nullptr,    nullptr};

LayoutTable makeGeneral()
{
    LayoutTable t;
    t.name = QStringLiteral("convertg");
    t.delimitedForms = true;
    t.fields = PairFields(Captions, {cvBankId, cvBankNo, cvMoney, cvCInfo, cvSName});
    // Stored order; the kind pair is never shown and always 0.
    const int rows[] = {0, 1, 2, 4, -1, 3};
    const char *names[] = {"BankId", "BankNo", "Money", "SName", "Gubun", "CInfo"};
    for (int i = 0; i < 6; ++i) {
        const QString n = QString::fromLatin1(names[i]);
        t.columns.append({n + QLatin1Char('S'), rows[i]});
        t.columns.append({n + QLatin1Char('N'), rows[i]});
    }
    t.insertHead = QStringLiteral("INSERT INTO convertg ( Title     ,BankIdS   ,BankIdN   ,BankNoS   ,BankNoN   ,"
                                  "MoneyS    ,MoneyN    ,SNameS    ,SNameN    ,GubunS    ,GubunN    ,CInfoS    ,"
                                  "CInfoN)   Values(    ");
    return t;
}

LayoutTable makeAuto()
{
    LayoutTable t;
    t.name = QStringLiteral("convertg_s");
    t.fields = PairFields(Captions, {cvMoBankId, cvMoBankNo, cvGubun, cvBankId, cvBankNo, cvMoney, cvSName, cvCInfo,
                                     cvSeqNo});
    t.columns = ColumnsInFieldOrder(t.fields);
    t.insertHead = QStringLiteral("INSERT INTO convertg_s ( Title     ,moBankIdS   ,moBankIdN   ,moBankNoS   ,"
                                  "moBankNoN   ,GubunS    ,GubunN    ,BankIdS   ,BankIdN   ,BankNoS   ,BankNoN   ,"
                                  "MoneyS    ,MoneyN    ,SNameS    ,SNameN    ,CInfoS    ,CInfoN    ,SeqNoS    ,"
                                  "SeqNoN   ) Values(    ");
    return t;
}

} // namespace

QList<LayoutField> PairFields(const PairCaptions &captions, std::initializer_list<ConvPair> pairs)
{
    static const char *const Stems[cvPairCount] = {"moBankId", "moBankNo", "BankId", "BankNo",   "Money",    "CInfo",
                                                   "SeqNo",    "SName",    "Gubun",  "JuMoney", "BJuMoney", "Jumin"};
    QList<LayoutField> fields;
    for (ConvPair pair : pairs) {
        const QString stem = QString::fromLatin1(Stems[pair]);
        fields.append({QString::fromUtf8(captions[pair]), pair, stem + QLatin1Char('S'), stem + QLatin1Char('N')});
    }
    return fields;
}

QList<std::pair<QString, int>> ColumnsInFieldOrder(const QList<LayoutField> &fields)
{
    QList<std::pair<QString, int>> columns;
    for (int i = 0; i < fields.size(); ++i) {
        columns.append({fields[i].startColumn, i});
        columns.append({fields[i].lengthColumn, i});
    }
    return columns;
}

const LayoutTable &GeneralLayoutTable()
{
    static const LayoutTable t = makeGeneral();
    return t;
}

const LayoutTable &AutoLayoutTable()
{
    static const LayoutTable t = makeAuto();
    return t;
}

int LayoutTable::indexOf(ConvPair pair) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].pair == pair)
            return i;
    return -1;
}

QString LayoutTable::selectAll() const
{
    return QStringLiteral("Select * from ") + (nameInSelectAll.isEmpty() ? name : nameInSelectAll);
}

QString LayoutTable::selectOne(const QString &title) const
{
    return QStringLiteral("select * from ") + (nameInSelectOne.isEmpty() ? name : nameInSelectOne)
           + QStringLiteral(" where Title = ") + sqlQuote(title);
}

QString LayoutTable::insert(const QString &title, const LayoutValues &values) const
{
    QStringList numbers;
    for (int i = 0; i < columns.size(); ++i)
        numbers << number(values, columns[i].second, i % 2 == 0);
    return insertHead + sqlQuote(title) + QLatin1Char(',') + numbers.join(QLatin1Char(',')) + QLatin1Char(')');
}

QString LayoutTable::insertDelimited(const QString &title) const
{
    return insert(title, LayoutValues());
}

QString LayoutTable::update(const QString &title, const LayoutValues &values, const QString &oldTitle) const
{
    QStringList sets;
    for (int i = 0; i < columns.size(); ++i)
        sets << assignment(columns[i].first) + number(values, columns[i].second, i % 2 == 0);
    return QStringLiteral("Update ") + name + QStringLiteral(" Set Title = ") + sqlQuote(title) + QLatin1Char(',') +
           sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE Title = ") + sqlQuote(oldTitle);
}

QString LayoutTable::updateDelimited(const QString &title, const QString &oldTitle) const
{
    return update(title, LayoutValues(), oldTitle);
}

QString LayoutTable::remove(const QString &title) const
{
    return QStringLiteral("DELETE from ") + (nameInRemove.isEmpty() ? name : nameInRemove)
           + QStringLiteral(" WHERE title = ") + sqlQuote(title);
}

namespace {

bool readCell(const QString &cell, int *value)
{
    const QString t = cell.trimmed();
    if (t.isEmpty() || t.size() > 4)
        return false;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    *value = t.toInt();
    return true;
}

} // namespace

QString CheckLayoutCells(const LayoutTable &table, const QStringList &starts, const QStringList &lengths,
                         LayoutValues *values)
{
    LayoutValues out;
    for (int i = 0; i < table.fields.size(); ++i) {
        ConvField f;
        const QString caption = table.fields[i].caption;
        if (!readCell(starts.value(i), &f.start) || !readCell(lengths.value(i), &f.length))
            return caption + QStringLiteral("의 시작과 크기를 숫자로 기입하시기 바랍니다.");
        if (f.length > 0 && f.start < 1)
            return caption + QStringLiteral("의 시작은 1 이상이어야 합니다.");
        out.append(f);
    }
    if (values)
        *values = out;
    return QString();
}

bool TitleTaken(const QStringList &titles, const QString &title, int skip)
{
    const QString wanted = title.trimmed();
    for (int i = 0; i < titles.size(); ++i)
        if (i != skip && titles[i].trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
