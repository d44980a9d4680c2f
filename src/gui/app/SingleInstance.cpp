#include "gui/app/SingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace zarva::gui {
namespace {

// A hand-over is the message identifier 0 and the file name; the first instance answers
// with a non-zero byte when it takes the file.
constexpr quint32 kOpenFileMessage = 0;
constexpr int kTimeoutMs = 5000;

bool Answers(const QString& name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    return socket.waitForConnected(1000);
}

} // namespace

QString SingleInstance::DefaultName()
{
    const QString configured = qEnvironmentVariable("ZARVA_INSTANCE_NAME");
    if (!configured.isEmpty())
        return configured;
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QDir::home().dirName();
    return QStringLiteral("zarva-") + user;
}

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), name_(std::move(name))
{
    // Two programs starting at once must not both decide they are the first.
    startLock_ = std::make_unique<QLockFile>(QDir::temp().filePath(name_ + QStringLiteral(".lock")));
    startLock_->tryLock(kTimeoutMs);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::HandOver(const QString& file) const
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << kOpenFileMessage << file;
    socket.write(message);
    if (!socket.waitForBytesWritten(kTimeoutMs))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(kTimeoutMs))
            return false;
    }
    char answer = 0;
    socket.getChar(&answer);
    return answer != 0;
}

bool SingleInstance::Listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    bool listening = server_->listen(name_);
    if (!listening && server_->serverError() == QAbstractSocket::AddressInUseError && !Answers(name_)) {
        // The name is left over from a program that ended without closing it.
        QLocalServer::removeServer(name_);
        listening = server_->listen(name_);
    }
    startLock_->unlock();
    if (listening)
        connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnection);
    return listening;
}

void SingleInstance::AcceptConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            quint32 message = 0;
            QString file;
            in >> message >> file;
            if (!in.commitTransaction())
                return;
            const bool taken = message == kOpenFileMessage && !file.isEmpty();
            socket->putChar(taken ? 1 : 0);
            socket->flush();
            if (taken)
                emit fileReceived(file);
        });
    }
}

} // namespace zarva::gui
