#pragma once

#include <QString>

namespace corvalen {

// The embedded media player: setting its URL starts fetching and playing that file at once and
// ends the item that was playing, also when it is the same address again.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    virtual void setURL(const QString& url) = 0;
    virtual QString URL() const = 0;
};

} // namespace corvalen
