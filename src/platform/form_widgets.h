#pragma once

#include "view/control.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <vector>

namespace penlark {

// A flat button: thin border, no focus frame, hand pointer, and separate colours for the
// normal, hover and focus states.
class FlatButton : public QPushButton {
public:
    explicit FlatButton(QWidget* parent);
    void setColours(const ButtonColors& colours);
};

// A picture box: the image scaled into the box; reports left-button presses.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);
    void setPicture(Picture picture);

signals:
    void leftButtonPressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Picture picture_ = Picture::None;
};

// A colour swatch that opens a colour chooser.
class ColourSwatch : public QPushButton {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent);
    void setColour(Color colour);

signals:
    void colourChosen(Color colour);

private:
    Color colour_ = 0;
};

// A status bar of panels, docked by its owner; panel widths are in pixels, -1 stretching to
// the right edge.
class StatusBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit StatusBarWidget(QWidget* parent);
    void setPanels(const std::vector<StatusPanel>& panels);
    QString panelText(int panel) const;

signals:
    void leftButtonPressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePanels();
    std::vector<QLabel*> labels_;
    std::vector<StatusPanel> panels_;
};

} // namespace penlark
