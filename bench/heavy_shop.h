#pragma once

#include "sites/sites.h"

#include <QByteArray>
#include <QHttpServer>
#include <memory>

namespace corvalen::testing {

// Every shopping site on one loopback port, each page as heavy as the real shop's: the
// full-exchange list with a number of goods, any other address a heavy shop page.
class HeavyShop {
public:
    explicit HeavyShop(int goods = 12);

    // The shop's sites live on hosts of their own, as the real ones do, so that the engine gives
    // each its own renderer; every name under "localhost" reaches this loopback server.
    QString site(const char* name) const
    {
        return QStringLiteral("http://%1.localhost:%2").arg(QLatin1String(name)).arg(m_port);
    }
    // Points every shopping site of `sites` here; the maker's site and the tones stay as given.
    void serveShopsOf(Sites& sites) const;
    int listLoads() const { return m_listLoads; }

private:
    std::unique_ptr<QHttpServer> m_server;
    QByteArray m_list;
    QByteArray m_shop;
    quint16 m_port = 0;
    int m_listLoads = 0;
};

} // namespace corvalen::testing
