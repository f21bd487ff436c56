#pragma once

#include <QObject>

namespace corvalen {

class Form1;

// What every pane does by itself: it stays silent from its first download on, and the start
// page and the step-guide strip send their pop-ups to the working pane.
class PaneBehaviours : public QObject {
public:
    explicit PaneBehaviours(Form1& form);
};

} // namespace corvalen
