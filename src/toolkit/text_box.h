#pragma once

#include "colors.h"
#include "control.h"
#include "event.h"

#include <cstdint>

class QLineEdit;

namespace corvalen {

// A one-line text box. Its text colour is kept as the window code set it and shown in every
// state of the widget, disabled included, since the colour carries meaning.
class TextBox : public Control {
public:
    explicit TextBox(QWidget* parent);
    ~TextBox() override;

    QString Text() const;
    void setText(const QString& text);

    std::uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(std::uint32_t color);

    Event<> GotFocus;
    Event<> LostFocus;

private:
    QLineEdit* m_edit;
    QPointer<QObject> m_focusWatcher;
    std::uint32_t m_foreColor = Colors::WindowText;
};

} // namespace corvalen
