#include "platform/IniFile.h"

#include "platform/Cp949.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qvx {
namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquote(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

bool isBlank(const QByteArray &raw)
{
    return raw.trimmed().isEmpty();
}

} // namespace

IniFile::IniFile(const QString &fileName) : m_fileName(fileName) {}

bool IniFile::exists() const
{
    return QFileInfo(m_fileName).isFile();
}

void IniFile::load() const
{
    m_lines.clear();
    QFile f(m_fileName);
    if (!f.open(QIODevice::ReadOnly))
        return; // a missing file reads as empty
    const QByteArray data = f.readAll();

    bool inSection = false;
    qsizetype pos = 0;
    while (pos < data.size()) {
        qsizetype end = pos;
        while (end < data.size() && data[end] != '\n' && data[end] != '\r')
            ++end;
        Line line;
        line.raw = data.mid(pos, end - pos);
        if (end < data.size()) {
            if (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n')
                line.ending = "\r\n";
            else
                line.ending = QByteArray(1, data[end]);
        }
        pos = end + line.ending.size();

        const QString text = Cp949::decode(line.raw).trimmed();
        if (text.startsWith(QLatin1Char('['))) {
            qsizetype close = text.indexOf(QLatin1Char(']'));
            line.kind = Line::Section;
            line.name = (close < 0 ? text.mid(1) : text.mid(1, close - 1)).trimmed();
            inSection = true;
        } else if (inSection && !text.startsWith(QLatin1Char(';'))) {
            qsizetype eq = text.indexOf(QLatin1Char('='));
            if (eq > 0) {
                line.kind = Line::Key;
                line.name = text.left(eq).trimmed();
                line.value = unquote(text.mid(eq + 1).trimmed());
            }
        }
        m_lines.append(line);
    }
}

QByteArray IniFile::newline() const
{
    for (const Line &l : m_lines)
        if (!l.ending.isEmpty())
            return l.ending;
    return "\r\n";
}

int IniFile::findSection(const QString &section) const
{
    const QString name = section.trimmed();
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Section && sameName(m_lines[i].name, name))
            return i;
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Line::Section)
        ++i;
    return i;
}

int IniFile::findKey(int header, const QString &key) const
{
    const QString name = key.trimmed();
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Line::Key && sameName(m_lines[i].name, name))
            return i;
    return -1;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    load();
    const int header = findSection(section);
    if (header < 0)
        return defaultValue;
    const int k = findKey(header, key);
    return k < 0 ? defaultValue : m_lines[k].value;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    bool ok = false;
    const int v = readString(section, key).toInt(&ok, 10);
    return ok ? v : defaultValue;
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString sec = section.trimmed();
    const QString name = key.trimmed();
    if (sec.isEmpty() || name.isEmpty()) {
        m_error = QStringLiteral("empty section or key name");
        return false;
    }
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        m_error = QStringLiteral("a value cannot hold a line break");
        return false;
    }

    load();
    const QByteArray nl = newline();
    QList<Line> lines = m_lines;
    const int header = findSection(sec);

    int k = header < 0 ? -1 : findKey(header, name);
    const QString keyName = k >= 0 ? m_lines[k].name : name;
    bool ok = true;
    const QByteArray raw = Cp949::encode(keyName + QLatin1Char('=') + value, &ok);
    if (!ok) {
        m_error = QStringLiteral("the value holds characters CP949 cannot store");
        return false;
    }

    Line line;
    line.kind = Line::Key;
    line.raw = raw;
    line.name = keyName;
    line.value = value;

    if (k >= 0) {
        line.ending = lines[k].ending;
        lines[k] = line;
    } else {
        int at;
        if (header < 0) {
            Line head;
            head.kind = Line::Section;
            head.name = sec;
            head.raw = Cp949::encode(QLatin1Char('[') + sec + QLatin1Char(']'));
            head.ending = nl;
            if (!lines.isEmpty() && lines.last().ending.isEmpty())
                lines.last().ending = nl;
            lines.append(head);
            at = lines.size();
        } else {
            at = sectionEnd(header);
            while (at > header + 1 && lines[at - 1].kind == Line::Other && isBlank(lines[at - 1].raw))
                --at;
        }
        if (at > 0 && lines[at - 1].ending.isEmpty())
            lines[at - 1].ending = nl;
        line.ending = nl;
        lines.insert(at, line);
    }
    return save(lines);
}

QStringList IniFile::sections() const
{
    load();
    QStringList out;
    for (const Line &l : m_lines)
        if (l.kind == Line::Section && !out.contains(l.name, Qt::CaseInsensitive))
            out.append(l.name);
    return out;
}

QStringList IniFile::keys(const QString &section) const
{
    load();
    QStringList out;
    const int header = findSection(section);
    if (header < 0)
        return out;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Line::Key && !out.contains(m_lines[i].name, Qt::CaseInsensitive))
            out.append(m_lines[i].name);
    return out;
}

bool IniFile::sectionExists(const QString &section) const
{
    load();
    return findSection(section) >= 0;
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    load();
    const int header = findSection(section);
    return header >= 0 && findKey(header, key) >= 0;
}

bool IniFile::eraseSection(const QString &section)
{
    load();
    if (findSection(section) < 0) {
        m_error.clear();
        return true;
    }
    QList<Line> lines;
    bool skipping = false;
    const QString name = section.trimmed();
    for (const Line &l : m_lines) {
        if (l.kind == Line::Section)
            skipping = sameName(l.name, name);
        if (!skipping)
            lines.append(l);
    }
    return save(lines);
}

bool IniFile::deleteKey(const QString &section, const QString &key)
{
    load();
    const int header = findSection(section);
    const int k = header < 0 ? -1 : findKey(header, key);
    if (k < 0) {
        m_error.clear();
        return true;
    }
    QList<Line> lines = m_lines;
    const QByteArray ending = lines[k].ending;
    lines.removeAt(k);
    if (ending.isEmpty() && k > 0 && k == lines.size())
        lines[k - 1].ending.clear(); // keep "no line break at the end" as it was
    return save(lines);
}

bool IniFile::save(const QList<Line> &lines)
{
    QSaveFile f(m_fileName);
    if (!f.open(QIODevice::WriteOnly)) {
        m_error = f.errorString();
        return false;
    }
    QByteArray data;
    for (const Line &l : lines) {
        data += l.raw;
        data += l.ending;
    }
    if (f.write(data) != data.size() || !f.commit()) {
        m_error = f.errorString();
        f.cancelWriting();
        return false;
    }
    m_lines = lines;
    m_error.clear();
    return true;
}

} // namespace qvx
