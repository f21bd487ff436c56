#pragma once

#include "forms/media_player.h"
#include "toolkit/control.h"

#include <memory>

namespace corvalen {

// The media player's place in the window. It lies behind the panes and is never seen; the
// player itself plays without a picture.
class MediaPlayerControl : public Control {
public:
    MediaPlayerControl(QWidget* parent, std::unique_ptr<MediaPlayer> player)
        : Control(new QWidget(parent))
        , m_player(std::move(player))
    {
        // The player takes the focus in its place in the tab order, as a player control does.
        widget()->setFocusPolicy(Qt::StrongFocus);
    }

    MediaPlayer* operator->() const { return m_player.get(); }

private:
    std::unique_ptr<MediaPlayer> m_player;
};

} // namespace corvalen
