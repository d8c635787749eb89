#include "shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {

constexpr int CONNECT_WAIT_MS = 500;
constexpr int REQUEST_WAIT_MS = 2000;

QString SocketName(const QString& settingsDir, const QString& runtimeDir) {
    const QByteArray place = QDir(settingsDir).absolutePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(place, QCryptographicHash::Sha1).toHex().left(16);
    return QDir(runtimeDir)
        .filePath(QStringLiteral("kr7controller-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash)));
}

} // namespace

QString RuntimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QDir(runtime).exists() ? runtime : QStringLiteral("/tmp");
}

TSingleInstance::TSingleInstance(const QString& settingsDir, const QString& runtimeDir, QObject* parent)
    : QObject(parent), socketPath_(SocketName(settingsDir, runtimeDir)) {}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::HandOver(const QStringList& files) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(CONNECT_WAIT_MS)) {
        QByteArray request = "raise\n";
        for (const QString& file : files)
            request += QDir().absoluteFilePath(file).toUtf8() + '\n';
        socket.write(request);
        socket.flush();
        socket.waitForBytesWritten(REQUEST_WAIT_MS);
        socket.disconnectFromServer();
        return true;
    }
    // Nobody answers: a socket left by a window that crashed is taken over.
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::ReadRequest);
    server_->listen(socketPath_);
    return false;
}

void TSingleInstance::ReadRequest() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readChannelFinished, this, [this, socket] {
            const QList<QByteArray> lines = socket->readAll().split('\n');
            if (lines.isEmpty() || lines.front() != "raise")
                return;
            QStringList files;
            for (qsizetype i = 1; i < lines.size(); ++i)
                if (!lines.at(i).isEmpty())
                    files << QString::fromUtf8(lines.at(i));
            emit Activated(files);
        });
    }
}
