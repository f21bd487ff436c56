#pragma once

#include "forms/media_player_control.h"
#include "forms/pane_control.h"
#include "forms/watch_state.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/control_array.h"
#include "toolkit/form.h"
#include "toolkit/frame.h"
#include "toolkit/label.h"
#include "toolkit/option_button.h"
#include "toolkit/text_box.h"
#include "toolkit/timer.h"

namespace corvalen {

class ComponentFactory;

// The main window: every control the user works with, under the names the rest of the program
// uses, with its design geometry and initial look. It holds no behaviour; the subsystems attach
// their handlers to its controls.
class Form1 : public Form {
    Q_OBJECT
public:
    Form1(ComponentFactory& components, const QString& contactQq);
    ~Form1() override;

    // The containers come first: the controls inside them are made in them.
    Frame Frame1;
    Frame Frame2;
    Frame Frame3;
    Frame Frame4;
    Frame Frame5;

    ControlArray<Button> Command1;
    ControlArray<Button> Command2;
    ControlArray<Button> Command3;
    ControlArray<Button> Command4;
    ControlArray<Button> Command5;
    Button Command6;
    Button Command7;
    Button Command8;

    CheckBox Check1;
    CheckBox Check2;
    ControlArray<CheckBox> Check3;
    ControlArray<OptionButton> Option1;
    ControlArray<OptionButton> Option2;
    ControlArray<TextBox> Text1;
    TextBox Text2;

    Label Label1;
    Label Label2;
    ControlArray<Label> Label3;
    Label Label4;
    Label Label5;

    PaneControl WebBrowser1;
    PaneControl WebBrowser2;
    PaneControl WebBrowser3;
    PaneControl WebBrowser4;
    PaneControl WebBrowser5;
    PaneControl WebBrowser6;
    MediaPlayerControl WindowsMediaPlayer1;
    Timer Timer1;

    WatchState state;

private:
    void designTopStrip();
    void designBrowsingArea(const QString& contactQq);
    void designStacking();
    void designTabOrder();
};

} // namespace corvalen
