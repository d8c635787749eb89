#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

// One window per user and settings folder: the first start listens on a
// local socket; a later start hands its files over to it and ends, and the
// running window comes to the front. Two windows on one settings file would
// each overwrite what the other saved.
class TSingleInstance : public QObject {
    Q_OBJECT
public:
    // runtimeDir holds the socket ($XDG_RUNTIME_DIR, else the temp folder).
    TSingleInstance(const QString& settingsDir, const QString& runtimeDir, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // True when a window already runs on these settings: it was told to come
    // to the front and to import files. False: this start listens from now on.
    bool HandOver(const QStringList& files);
    QString SocketPath() const { return socketPath_; }

signals:
    // A later start asked for the window, with the files it was given.
    void Activated(const QStringList& files);

private:
    void ReadRequest();

    QString socketPath_;
    QLocalServer* server_ = nullptr;
};

// The folder for the socket: $XDG_RUNTIME_DIR when set, else /tmp.
QString RuntimeFolder();
