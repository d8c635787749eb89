#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// A private folder for the whole fuzzing run, and a helper that writes one
// input into a file of a given name inside it.
class TFuzzFolder {
public:
    static TFuzzFolder& Get() {
        static TFuzzFolder folder;
        return folder;
    }

    // Replaces the file name in the folder with the bytes; returns its path
    // (empty when it could not be written).
    QString Write(const QString& name, const std::uint8_t* data, std::size_t size) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        if (file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
            return {};
        return path;
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }

private:
    // In memory where the machine offers it: the settings writer syncs each
    // file to disk, which would otherwise dominate every run.
    TFuzzFolder()
        : dir_(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/kr7-fuzz-XXXXXX")
                                                         : QDir::tempPath() + QStringLiteral("/kr7-fuzz-XXXXXX")) {}
    QTemporaryDir dir_;
};
