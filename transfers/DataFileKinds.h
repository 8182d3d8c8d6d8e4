#pragma once
// The kinds of data the client can produce as data files, as data.ini
// (section DATAFILE) records them, and the fields of each kind's record.

#include <QList>
#include <QString>
#include <QStringList>

struct DataFileKind
{
    QString key;      // data.ini key ("SUNABICHE_USE", "J_SUNABICHE_USE", ...)
    QString checkBox; // component name of its check box
    QString name;     // its entry in the kind list
};

// The five kinds of a transfer kind (IcheKind 1 general, else liquor-trade),
// in their order: collections, payments, then the three notice kinds.
QList<DataFileKind> DataFileKinds(int icheKind);

// The field headers from column 1 for a kind's name; empty for "선택된 자료없음".
QStringList DataFileFields(const QString &kindName, int icheKind);

inline const QString NoDataFileKind = QStringLiteral("선택된 자료없음");
