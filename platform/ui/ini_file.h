#pragma once
// The INI-file component: writes keys of one profile file through the system's profile writer.
// A key that cannot be written raises EIniFileException "Unable to write to <file>".

#include <QString>

class TIniFile {
public:
    explicit TIniFile(QString fileName) : FFileName(std::move(fileName)) {}
    const QString& FileName() const { return FFileName; }

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, long long value);
    // "1" for true, "0" for false.
    void WriteBool(const QString& section, const QString& key, bool value);

private:
    QString FFileName;
};
