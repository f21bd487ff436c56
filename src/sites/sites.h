#pragma once

#include <QString>

namespace corvalen {

// Every host the program talks to, and the maker's affiliate values. A site is a scheme and a
// host (and port) without a trailing "/"; the program appends the paths. The tone host is a base
// address that ends in "/".
struct Sites {
    QString coin;
    QString favourites;
    QString brand;
    QString special;
    QString click;
    QString maker;
    QString toneHost;
    QString publisherId;
    QString clickToken;
    QString contactQq;

    // The values this build was configured with.
    static Sites production();
    // The same sites with every host pointed at one base address, such as a loopback server.
    static Sites allAt(const QString& base);
};

} // namespace corvalen
