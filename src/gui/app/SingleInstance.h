#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace zarva::gui {

// One running program per user: a later start hands the files it was asked to open to the
// first one and ends. The first instance listens on a local socket with a per-user name.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The socket name: ZARVA_INSTANCE_NAME when set (tests run side by side), else one per user.
    static QString DefaultName();

    explicit SingleInstance(QString name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Gives the file to a running instance; true when it took it.
    bool HandOver(const QString& file) const;
    // Becomes the instance that others hand their files to. False when another instance
    // already listens (this one then runs on its own).
    bool Listen();

signals:
    void fileReceived(const QString& file);

private:
    void AcceptConnection();

    QString name_;
    std::unique_ptr<QLockFile> startLock_;
    QLocalServer* server_ = nullptr;
};

} // namespace zarva::gui
