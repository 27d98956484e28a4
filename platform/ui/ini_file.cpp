#include "platform/ui/ini_file.h"

#include "platform/sys/profile.h"
#include "platform/ui/exceptions.h"

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    if (!WritePrivateProfileString(section.toStdString(), key.toStdString(), value.toStdString(),
                                   FFileName.toStdString()))
        throw EIniFileException(QStringLiteral("Unable to write to %1").arg(FFileName));
}

void TIniFile::WriteInteger(const QString& section, const QString& key, long long value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
