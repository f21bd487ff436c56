#pragma once

#include "sites/sites.h"

#include <QMap>
#include <QObject>
#include <QStringList>
#include <memory>

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponse;

namespace corvalen::demo {

// Every site the program talks to, simulated on one loopback port: the maker's pages from the
// program's own site folder, the tone host, and a shopping site whose full-exchange list changes
// at every load. Each simulated shopping page says that it is a simulation.
class ShopSimulation : public QObject {
    Q_OBJECT
public:
    explicit ShopSimulation(QObject* parent = nullptr);
    ~ShopSimulation() override;

    // Listens on 127.0.0.1 at a free port; false when no port could be had.
    bool start();
    QString base() const;
    // The program's sites, all pointed at this simulation.
    Sites sites() const;

    // The release the start page announces ("1.3.0" unless a test says otherwise).
    void setRelease(const QString& release) { m_release = release; }
    QString todaysShop() const { return base() + QStringLiteral("/shop/today.htm"); }

    int hits(const QString& path) const { return m_hits.value(path); }

signals:
    // The full-exchange list went out, as the load-th of its changing lists.
    void listServed(int load);

private:
    QHttpServerResponse respond(const QHttpServerRequest& request);
    QHttpServerResponse makerPage(const QString& path) const;
    QHttpServerResponse shopPage(const QString& path);

    std::unique_ptr<QHttpServer> m_server;
    quint16 m_port = 0;
    QString m_release;
    QMap<QString, int> m_hits;
    int m_listLoads = 0;
};

} // namespace corvalen::demo
