#pragma once

#include "control.h"
#include "option_button.h"

namespace corvalen {

// A bordered container without caption. Its option buttons form one group.
class Frame : public Control {
public:
    explicit Frame(QWidget* parent);

    QWidget* inner() const { return widget(); }
    OptionGroup& options() { return m_options; }

private:
    OptionGroup m_options;
};

} // namespace corvalen
