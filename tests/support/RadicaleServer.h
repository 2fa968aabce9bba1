#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

// A real Radicale (Debian's) on 127.0.0.1 and a free port, with a storage
// folder of its own and the users u1 .. u50, password "secret", kept in a
// plain htpasswd file. Stopped when destroyed; it may be stopped and started
// again on the same port and storage.
class RadicaleServer
{
public:
    RadicaleServer()
    {
        QTcpServer free;
        free.listen(QHostAddress::LocalHost);
        m_port = free.serverPort();
    }
    ~RadicaleServer() { stop(); }

    // True once it answers a request, not only once it takes connections.
    bool start()
    {
        QFile users(m_dir.filePath("users")), config(m_dir.filePath("config"));
        if (!users.open(QIODevice::WriteOnly) || !config.open(QIODevice::WriteOnly))
            return false;
        for (int u = 1; u <= 50; ++u)
            users.write(QStringLiteral("u%1:secret\n").arg(u).toUtf8());
        config.write(QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n[auth]\ntype = htpasswd\nhtpasswd_filename = %2\n"
                                    "htpasswd_encryption = plain\n[storage]\nfilesystem_folder = %3\n"
                                    "[logging]\nlevel = warning\n")
                         .arg(m_port)
                         .arg(users.fileName(), storage())
                         .toUtf8());
        users.close();
        config.close();
        // Its messages go to a file: a pipe nobody reads while a test waits
        // on another process fills up, and Radicale then hangs on its log.
        m_process.setStandardOutputFile(m_dir.filePath("radicale.log"), QIODevice::Append);
        m_process.setStandardErrorFile(m_dir.filePath("radicale.log"), QIODevice::Append);
        m_process.start("/usr/bin/python3", {"-m", "radicale", "--config", config.fileName()});
        for (int i = 0; i < 200; ++i) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, quint16(m_port));
            if (s.waitForConnected(50)) {
                s.write("OPTIONS / HTTP/1.0\r\n\r\n");
                if (s.waitForReadyRead(2000) && s.readAll().startsWith("HTTP/1."))
                    return true;
            }
            QThread::msleep(50);
        }
        return false;
    }
    void stop()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    int port() const { return m_port; }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port)); }
    QString storage() const { return m_dir.filePath("store"); }
    // The end of what the server said, for a test that went wrong.
    QByteArray logTail() const
    {
        QFile log(m_dir.filePath("radicale.log"));
        return log.open(QIODevice::ReadOnly) ? log.readAll().right(3000) : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};
