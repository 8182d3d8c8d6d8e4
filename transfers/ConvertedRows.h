#pragma once
// The rows a conversion run made, held compactly until the entry list takes
// them: per row its mother account and bank by index (their texts held once
// for the run), its own made texts (grouped amount, hyphenated account, check
// code) as places in one text, and its payee name and other information as
// views of the lines the run read. The lines must outlive the rows.

#include "transfers/ConvertDecision.h"
#include "transfers/TransferRow.h"

#include <QString>
#include <QStringView>
#include <QVector>

#include <vector>

class ConvertedRows
{
public:
    int size() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }

    // The text of column col of row i, valid while the rows and the run's
    // lines live; the running number (tcNo) and the real-name number are
    // left to the list (null views).
    QStringView cell(int i, TransferColumn col) const;
    // Row i as the entry list holds it, its running number left empty.
    TransferRow row(int i) const;

    // Whose a column's text is: the row's own, or one of the few texts the
    // rows of one mother account, of one bank, of the same or another bank,
    // or of the whole run share. A fill stores each shared text once.
    enum class Owner { Row, Mother, Bank, SameBank, Run };
    static constexpr int OwnerCount = 5;
    static Owner ownerOf(TransferColumn col);
    // Row i's place among the texts of an owner: its mother's index, its
    // bank's index, 1 for the same bank and 0 for another, 0 for the run.
    int keyOf(int i, Owner owner) const;
    // How many places an owner has (the row's own: none).
    int keyCount(Owner owner) const;
    // The text of a column of a shared owner at a place.
    QStringView sharedCell(TransferColumn col, int key) const;

    // --- made by the run ---
    // Starts over for a run of about `lines` lines: the mother accounts and
    // the bank-code table whose indexes the rows hold.
    void begin(const ConvertContext &context, const MotherFinder &mothers, const QVector<LineScreen::Bank> &banks,
               qsizetype lines);
    // Appends the row of a line that passed its checks (line.bank known),
    // paid from mother (an index of the mothers); returns its index.
    int append(const ScreenedLine &line, int mother);
    void setCheckCode(int i, QStringView code);
    // Appends the rows of another run's part (begun with the same context
    // and tables), their texts copied, their views kept.
    void appendRows(const ConvertedRows &part);
    // Keeps only the rows of the given indexes (ascending), in their order.
    void retain(const std::vector<int> &kept);

private:
    // A place in m_text.
    struct Span
    {
        qint32 start = 0;
        qint32 size = 0;
    };
    struct Row
    {
        qint32 mother;
        qint32 bank;
        bool sameBank; // the mother's bank code is the line's
        Span money;
        Span bankNo;
        Span boki;
        QStringView name;
        QStringView info;
    };
    struct Mother
    {
        QString bankName;
        QString shownAccount;
        QString passWd;
        QString recvId;
        QString firmId;
        QString bankId;
    };

    QStringView text(Span span) const { return QStringView(m_text).sliced(span.start, span.size); }
    Span appendText(QStringView text);

    std::vector<Row> m_rows;
    QString m_text; // the rows' made texts one after the other
    QVector<Mother> m_mothers;
    QVector<LineScreen::Bank> m_banks;
    QString m_transDiv;
    QString m_sendId;
    QString m_userId;
    QString m_sendFlag;
    QString m_gubun;
};
