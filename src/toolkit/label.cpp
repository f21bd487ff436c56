#include "label.h"

#include "fitted_text.h"

#include <QLabel>
#include <QPainter>

namespace corvalen {

namespace {
// A label whose caption shrinks to fit its box instead of being cut.
class FittedLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(
            isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        drawFittedText(painter, contentsRect(), text(), font(), alignment());
    }
};
} // namespace

Label::Label(QWidget* parent)
    : Control(new FittedLabel(parent))
    , m_label(static_cast<QLabel*>(widget()))
{
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setTextFormat(Qt::PlainText);
}

QString Label::Caption() const
{
    return m_label->text();
}

void Label::setCaption(const QString& caption)
{
    m_label->setText(caption);
}

void Label::setCentered(bool centered)
{
    m_label->setAlignment(
        centered ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
}

} // namespace corvalen
