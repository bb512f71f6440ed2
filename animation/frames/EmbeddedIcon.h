#pragma once

#include <span>

// One size of the program's icon as a PNG file.
struct IconPicture {
    int size; // width and height in pixels
    std::span<const unsigned char> png;
};

// Every size of the icon, smallest first, built into the program at compile time: the same PNG
// files that are installed into the icon theme.
std::span<const IconPicture> iconPictures();
