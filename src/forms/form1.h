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
    Frame Frame1; // the contact box beside the banner
    Frame Frame2; // the goods-count panel
    Frame Frame3; // the refresh-interval panel
    Frame Frame4; // the keyword panel
    Frame Frame5; // the counter box

    ControlArray<Button> Command1; // the five tabs along the left edge
    ControlArray<Button> Command2; // preview of each count range's tone
    ControlArray<Button> Command3; // preview of each keyword's tone, and of both
    ControlArray<Button> Command4; // the five coin-claiming steps
    ControlArray<Button> Command5; // the sixteen advertisement buttons
    Button Command6; // start and stop the watch
    Button Command7; // hide and show the step guide
    Button Command8; // open the instructions

    CheckBox Check1; // search by goods count
    CheckBox Check2; // refresh at an interval
    ControlArray<CheckBox> Check3; // search for each keyword
    ControlArray<OptionButton> Option1; // the goods-count ranges
    ControlArray<OptionButton> Option2; // the refresh intervals
    ControlArray<TextBox> Text1; // the two keywords
    TextBox Text2; // the goods counted on the list

    Label Label1; // the keyword panel's heading
    Label Label2; // "found", before the count
    ControlArray<Label> Label3; // the contact box's two static lines
    Label Label4; // "full-exchange goods", after the count
    Label Label5; // the maker's contact number

    PaneControl WebBrowser1; // the banner advertisement along the bottom
    PaneControl WebBrowser2; // the start page, whose title names the latest release
    PaneControl WebBrowser3; // the shopping pages of tabs 2 to 4
    PaneControl WebBrowser4; // the step guide of the coin-claiming tab
    PaneControl WebBrowser5; // the advertisement on the right
    PaneControl WebBrowser6; // the working pane: the watched list and the coin pages
    MediaPlayerControl WindowsMediaPlayer1; // plays the alert tones
    Timer Timer1; // the watch's second, while a watch runs

    WatchState state;

private:
    void designTopStrip();
    void designBrowsingArea(const QString& contactQq);
    void designStacking();
    void designTabOrder();
};

} // namespace corvalen
