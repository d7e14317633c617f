#include "app/SettingsFile.h"

#include "platform/Gbk.h"
#include "platform/ProtectedFile.h"
#include "store/DataDirectory.h"

#include <QFile>
#include <QStringList>

namespace moquan {

namespace {

const QString kPassword = QStringLiteral("9157");

// Upper-cases Latin letters only, as the section lookup does.
QString latinUpper(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return out;
}

bool isSectionLine(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'));
}

QStringList splitLines(const QByteArray &plain)
{
    if (plain.isEmpty())
        return {};
    QStringList lines = fromGbk(plain).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray joinLines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines) {
        out += toGbk(l);
        out += "\r\n";
    }
    return out;
}

int findSection(const QStringList &lines, const QString &section)
{
    const QString wanted = latinUpper(QLatin1Char('[') + section + QLatin1Char(']'));
    for (int i = 0; i < lines.size(); ++i)
        if (latinUpper(lines[i]) == wanted)
            return i;
    return -1;
}

bool blank(const QString &s) { return s.trimmed().isEmpty(); }

} // namespace

QString SettingsFile::path() { return dataFile(QStringLiteral("rivi.kemotari")); }

QString SettingsFile::read(const QString &section, const QString &key, const QString &fallback)
{
    return readFrom(path(), section, key, fallback);
}

bool SettingsFile::write(const QString &section, const QString &key, const QString &value)
{
    return writeTo(path(), section, key, value);
}

QStringList SettingsFile::lines(const QString &file)
{
    QByteArray plain;
    if (readProtectedFile(file, kPassword, &plain) != ProtectedRead::Ok)
        return {};
    return splitLines(plain);
}

QString SettingsFile::readFrom(const QString &file, const QString &section, const QString &key,
                               const QString &fallback)
{
    QByteArray plain;
    if (readProtectedFile(file, kPassword, &plain) != ProtectedRead::Ok)
        return QString();
    const QStringList all = splitLines(plain);
    const int start = findSection(all, section);
    if (start < 0)
        return fallback;
    for (int i = start + 1; i < all.size(); ++i) {
        const QString &line = all[i];
        if (isSectionLine(line))
            return fallback;
        if (!line.contains(QLatin1Char('=')))
            continue;
        const QStringList parts = line.split(QLatin1Char('='));
        if (parts.size() == 2 && parts[0].trimmed() == key)
            return parts[1];
    }
    return fallback;
}

bool SettingsFile::writeTo(const QString &file, const QString &section, const QString &key,
                           const QString &value)
{
    if (blank(section) || blank(key) || blank(value))
        return false;
    QByteArray plain;
    const ProtectedRead state = readProtectedFile(file, kPassword, &plain);
    if (state == ProtectedRead::Unreadable)
        return false;
    if (state == ProtectedRead::Corrupt) {
        // A damaged file is kept aside, never overwritten silently.
        const QString aside = file + QStringLiteral(".bad");
        QFile::remove(aside);
        if (!QFile::rename(file, aside))
            return false;
        plain.clear();
    }
    QStringList all = splitLines(plain);
    const QString newLine = key + QLatin1Char('=') + value;
    const int start = findSection(all, section);
    if (start < 0) {
        all << QLatin1Char('[') + section + QLatin1Char(']') << newLine;
    } else {
        int i = start + 1;
        bool done = false;
        for (; i < all.size(); ++i) {
            const QString line = all[i];
            if (isSectionLine(line)) {
                all.insert(i, newLine);
                done = true;
                break;
            }
            if (!line.contains(QLatin1Char('=')))
                continue;
            const QStringList parts = line.split(QLatin1Char('='));
            if (parts.size() >= 2 && parts[0].trimmed() == key) {
                all[i] = parts[0] + QLatin1Char('=') + value;
                done = true;
                break;
            }
        }
        if (!done)
            all << newLine;
    }
    if (!writeProtectedFile(file, kPassword, joinLines(all)))
        return false;
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

} // namespace moquan
