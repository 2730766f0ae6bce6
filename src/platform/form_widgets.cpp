#include "platform/form_widgets.h"

#include "platform/qt_convert.h"

#include <QColorDialog>
#include <QMouseEvent>

namespace penlark {

FlatButton::FlatButton(QWidget* parent) : QPushButton(parent)
{
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setColours(ButtonColors{});
}

void FlatButton::setColours(const ButtonColors& c)
{
    // Hover is listed last so it wins over focus while the pointer is on the button.
    setStyleSheet(QStringLiteral("QPushButton{color:%1;background-color:%2;border:1px solid %3;padding:0;outline:none;}"
                                 "QPushButton:focus{color:%4;background-color:%5;}"
                                 "QPushButton:hover{color:%6;background-color:%7;}"
                                 "QPushButton:disabled{color:#c8c8c8;}")
                      .arg(cssColour(c.normalText), cssColour(c.normalBack),
                           toQColor(c.normalBack).darker(130).name(), cssColour(c.focusText), cssColour(c.focusBack),
                           cssColour(c.hoverText), cssColour(c.hoverBack)));
}

PictureBox::PictureBox(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
}

void PictureBox::setPicture(Picture picture)
{
    picture_ = picture;
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = pixmapOf(picture, size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    setPixmap(pixmap);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) emit leftButtonPressed();
    QLabel::mousePressEvent(event);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    setPicture(picture_);
}

ColourSwatch::ColourSwatch(QWidget* parent) : QPushButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setColour(0);
    connect(this, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(toQColor(colour_), window());
        if (chosen.isValid()) emit colourChosen(fromQColor(chosen));
    });
}

void ColourSwatch::setColour(Color colour)
{
    colour_ = colour;
    setStyleSheet(QStringLiteral("QPushButton{background-color:%1;border:1px solid #808080;}").arg(cssColour(colour)));
}

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
}

void StatusBarWidget::setPanels(const std::vector<StatusPanel>& panels)
{
    panels_ = panels;
    while (labels_.size() < panels_.size()) {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setContentsMargins(4, 0, 4, 0);
        label->show();
        labels_.push_back(label);
    }
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        labels_[i]->setText(toQString(panels_[i].text));
        labels_[i]->setFrameShape(panels_[i].border ? QFrame::Panel : QFrame::NoFrame);
        labels_[i]->setFrameShadow(QFrame::Sunken);
    }
    placePanels();
}

QString StatusBarWidget::panelText(int panel) const
{
    return panel >= 0 && panel < static_cast<int>(labels_.size()) ? labels_[static_cast<std::size_t>(panel)]->text()
                                                                    : QString();
}

void StatusBarWidget::placePanels()
{
    int left = 0;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const int width = panels_[i].width < 0 ? std::max(0, this->width() - left) : panels_[i].width;
        labels_[i]->setGeometry(left, 0, width, height());
        left += width;
    }
}

void StatusBarWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) emit leftButtonPressed();
    QWidget::mousePressEvent(event);
}

void StatusBarWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placePanels();
}

} // namespace penlark
