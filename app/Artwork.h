#pragma once

#include <QIcon>
#include <QWidget>

// The tutor's own pictures, drawn by code so they stay sharp at any screen scale.
namespace artwork {

enum class Picture
{
    Logo,        // the menu's heading: the product name over a row of keys
    AboutBanner, // the about panel's picture
    WebLink,     // a globe: opens the project's web page
    HomeHands,   // two hands resting on the home row
};

// A decorative picture widget of the given kind; it scales its drawing to its size.
QWidget *createPicture(Picture picture, QWidget *parent);

enum class ButtonIcon
{
    Forward,
    Fingers,
    Custom,
    Practice,
    Tests,
    Back,
    Test
};

QIcon icon(ButtonIcon kind);

} // namespace artwork
