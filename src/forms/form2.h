#pragma once

#include "forms/pane_control.h"
#include "toolkit/button.h"
#include "toolkit/form.h"
#include "toolkit/frame.h"
#include "toolkit/label.h"

namespace corvalen {

class ComponentFactory;

// The instructions window: borderless, always on top, with its own title strip and close
// button over the instructions page.
class Form2 : public Form {
    Q_OBJECT
public:
    explicit Form2(ComponentFactory& components);

    Frame Frame1;
    Frame Frame2;
    Label Label1;
    Button Command1;
    PaneControl WebBrowser1;
};

} // namespace corvalen
