#pragma once

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <memory>

// A small HTTP server on 127.0.0.1 for the download tests: serves the files a test puts into it,
// answers 404 for the rest, and can cut a transfer in the middle or send it slowly.
class TestHttpServer : public QObject
{
public:
    enum class Mode { Whole, CutInTheMiddle, Slow };

    struct File
    {
        QByteArray body;
        Mode mode = Mode::Whole;
    };

    TestHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    QUrl base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/files/").arg(m_server.serverPort())); }
    void put(const QString &name, const QByteArray &body, Mode mode = Mode::Whole) { m_files.insert(name, {body, mode}); }
    int requests() const { return m_requests; }

private:
    void serve(QTcpSocket *socket)
    {
        socket->setParent(this);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray &request = m_pending[socket];
            request += socket->readAll();
            if (!request.contains("\r\n\r\n"))
                return;
            ++m_requests;
            const QByteArray path = request.split(' ').value(1);
            const QString name = QUrl::fromPercentEncoding(path.mid(path.lastIndexOf('/') + 1));
            m_pending.remove(socket);
            respond(socket, name);
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    void respond(QTcpSocket *socket, const QString &name)
    {
        if (!m_files.contains(name)) {
            socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nNot Found");
            socket->disconnectFromHost();
            return;
        }
        const File file = m_files.value(name);
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: "
                      + QByteArray::number(file.body.size()) + "\r\nConnection: close\r\n\r\n");
        switch (file.mode) {
        case Mode::Whole:
            socket->write(file.body);
            socket->disconnectFromHost();
            return;
        case Mode::CutInTheMiddle:
            socket->write(file.body.left(file.body.size() / 2));
            socket->flush();
            socket->abort();
            return;
        case Mode::Slow: {
            auto *timer = new QTimer(socket);
            auto sent = std::make_shared<qsizetype>(0);
            QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, sent, body = file.body] {
                socket->write(body.mid(*sent, 512));
                *sent += 512;
                if (*sent >= body.size()) {
                    timer->stop();
                    socket->disconnectFromHost();
                }
            });
            timer->start(20);
            return;
        }
        }
    }

    QTcpServer m_server;
    QHash<QString, File> m_files;
    QHash<QTcpSocket *, QByteArray> m_pending;
    int m_requests = 0;
};
