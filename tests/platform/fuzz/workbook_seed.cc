// Writes the fuzz run's seed: a one-sheet workbook as the program saves it.
#include "platform/XlsWriter.h"

#include <QFile>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const QByteArray bytes = qvx::XlsWriter::build({{QStringLiteral("NO"), QStringLiteral("금액")},
                                                    {QStringLiteral("1"), QStringLiteral("1,000")}},
                                                   {-1, 0}, QStringLiteral("Sheet1"));
    QFile f(QString::fromLocal8Bit(argv[1]));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? 0 : 1;
}
