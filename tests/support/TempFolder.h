#pragma once

// A fresh temporary folder for one test, and the files a test writes into it
// and reads back.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

struct TTempFolder {
    // The path of name in the folder.
    QString Path(const QString& name) const { return dir.filePath(name); }
    // Writes bytes as the file name (replacing it) and gives its path.
    QString Write(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
        EXPECT_EQ(file.write(bytes), bytes.size()) << name.toStdString();
        return file.fileName();
    }
    // The file's bytes; empty when it cannot be read.
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};
