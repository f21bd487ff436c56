#include "text_box.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

namespace corvalen {

namespace {
// Focus moving to another control of the window counts; a window losing or regaining the
// activation (a message box, another program) or a popup does not.
bool isControlFocusChange(const QFocusEvent* event)
{
    return event->reason() != Qt::ActiveWindowFocusReason
        && event->reason() != Qt::PopupFocusReason;
}

class FocusWatcher : public QObject {
public:
    FocusWatcher(QObject* parent, TextBox& box)
        : QObject(parent)
        , m_box(box)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn
            && isControlFocusChange(static_cast<QFocusEvent*>(event)))
            m_box.GotFocus.raise();
        else if (event->type() == QEvent::FocusOut
            && isControlFocusChange(static_cast<QFocusEvent*>(event)))
            m_box.LostFocus.raise();
        return false;
    }

private:
    TextBox& m_box;
};
} // namespace

TextBox::TextBox(QWidget* parent)
    : Control(new QLineEdit(parent))
    , m_edit(static_cast<QLineEdit*>(widget()))
{
    m_focusWatcher = new FocusWatcher(m_edit, *this);
    m_edit->installEventFilter(m_focusWatcher);
    setForeColor(m_foreColor);
}

// The edit outlives this part of the control by a moment; its focus must not reach it then.
TextBox::~TextBox()
{
    delete m_focusWatcher.data();
}

QString TextBox::Text() const
{
    return m_edit->text();
}

void TextBox::setText(const QString& text)
{
    m_edit->setText(text);
}

void TextBox::setForeColor(std::uint32_t color)
{
    m_foreColor = color;
    QPalette palette = m_edit->palette();
    const QColor shown = toQColor(color);
    for (auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
        palette.setColor(group, QPalette::Text, shown);
    m_edit->setPalette(palette);
}

} // namespace corvalen
