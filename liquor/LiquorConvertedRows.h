#pragma once
// The rows a liquor conversion made, kept compact until the list is filled:
// per row the mother account by its place among the run's bank rows and the
// row's own texts (amounts, name, account, real-name number, other
// information, check code, bank code) one after the other in blocks of text
// that never move. What every row of a run shares (the session's values, the
// mother accounts and their hyphenated numbers) is held once.

#include "core/MotherAccount.h"
#include "liquor/LiquorRow.h"
#include "liquor/LiquorTextArena.h"

#include <QString>
#include <QStringView>
#include <QVector>

#include <array>

class Session;

// The texts a row holds of its own.
struct LiquorOwnTexts
{
    // grouped
    QStringView juMoney;
    QStringView nonJuMoney;
    QStringView money;
    // bankNo hyphenated for its bank
    QStringView name;
    QStringView bankNo;
    QStringView realNameNo;
    QStringView info;
    QStringView boki;
    QStringView bankId;
};

class LiquorConvertedRows
{
public:
    LiquorConvertedRows() = default;
    // Rows paid from the given bank rows with the session's values.
    LiquorConvertedRows(const Session &session, const QVector<MotherAccount> &banks);

    int size() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // Room for rows holding about chars characters of their own in all.
    void reserve(int rows, qsizetype chars);
    // A row paid from banks[mother], with its transfer amount in whole won.
    void append(int mother, qint64 money, const LiquorOwnTexts &texts);

    // A row's own texts put aside before it is known whether the row is
    // kept (a run makes them while it checks its lines); the texts of a row
    // not kept stay unused.
    struct Staged
    {
        const QChar *text = nullptr;
        std::array<int, 9> ends{};
    };
    Staged stage(const LiquorOwnTexts &texts);
    LiquorOwnTexts staged(const Staged &staged) const;
    void append(int mother, qint64 money, const Staged &staged);
    // Takes the texts staged in other (rows of no run, kept by a thread that
    // checked a part of the lines): what was staged there may be appended
    // here, its views valid while these rows live.
    void adoptStaged(LiquorConvertedRows &&other);

    // The row as the list holds it; its running number is left empty (the
    // list numbers its rows).
    LiquorRow row(int i) const;
    // One cell of row i as a view valid while these rows live (lcNo: null).
    QStringView cell(int i, LiquorColumn col) const;
    qint64 money(int i) const { return m_rows[i].money; }

    // Whose a column's text is: the row's own, its mother account's, or the
    // run's (the session's values and the fixed texts). A fill stores each
    // shared text once.
    enum class Owner { Row, Mother, Run };
    static constexpr int OwnerCount = 3;
    static Owner ownerOf(LiquorColumn col);
    // Row i's place among the texts of a shared owner: its mother's index,
    // 0 for the run.
    int keyOf(int i, Owner owner) const;
    // How many places an owner has (the row's own: none).
    int keyCount(Owner owner) const;
    // The text of a shared column at a place.
    QStringView sharedCell(LiquorColumn col, int key) const;

private:
    enum Own { oJuMoney, oNonJuMoney, oMoney, oName, oBankNo, oRealNameNo, oInfo, oBoki, oBankId, OwnCount };
    struct Row
    {
        qint64 money;
        const QChar *text; // the first own text, in m_text
        int mother;
        std::array<int, OwnCount> end; // past each own text, counted from start
        static_assert(OwnCount == std::tuple_size_v<decltype(Staged::ends)>);
    };
    static QStringView own(const QChar *text, const std::array<int, OwnCount> &ends, Own o);

    QVector<Row> m_rows;
    LiquorTextArena m_text;
    QVector<MotherAccount> m_banks;
    QVector<QString> m_moBankNos; // hyphenated, by mother
    QString m_transDiv;
    QString m_sendId;
    QString m_service;
    QString m_userId;
    QString m_sendFlag;
    QString m_gubun;
};
